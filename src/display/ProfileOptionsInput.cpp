// The profile options window's input: which command, typed character or key runs which
// action.

#include <any>
#include <cctype>
#include <span>

#include "display/DisplayState.h"
#include "display/ProfileOptionsInternals.h"
#include "platform/ui/Controls.h"

namespace gradlog {

using namespace platform;

namespace {

using Action = void (*)(ProfileOptionsContext&);

struct InputAction {
  std::uintptr_t input;  // a control id, an upper-case character or a virtual key
  Action action;
};

template <int Index>
void SelectChannel(ProfileOptionsContext& context) {
  SelectProfileChannel(context, Index);
}

template <int Width>
void Thickness(ProfileOptionsContext& context) {
  SetProfileThickness(context, Width);
}

void SubFocusBack(ProfileOptionsContext& context) {
  MoveProfileSubFocus(context, -1);
}

void SubFocusOn(ProfileOptionsContext& context) {
  MoveProfileSubFocus(context, 1);
}

// Enter runs the focused push button, or inside the channel frame the focused one of
// "Show Profile" and "Select Color"; on a thickness it has nothing to do.
void Enter(ProfileOptionsContext& context) {
  const ProfileOptionsState& state = context.display.profileOptions;
  switch (state.profileOptionsFocus) {
    case FOCUS_OK:
      AcceptProfileOptions(context);
      return;
    case FOCUS_CANCEL:
      CancelProfileOptions(context);
      return;
    case FOCUS_HELP:
      ShowProfileOptionsHelp(context);
      return;
    default:
      break;
  }
  if (state.profileOptionsSubFocus == SUB_FOCUS_SHOWN)
    ToggleProfileShown(context);
  else if (state.profileOptionsSubFocus == SUB_FOCUS_COLOR)
    ChooseProfileColor(context);
}

// Escape only folds the amplitude list away; it never closes the window.
void CloseAmplitudeList(ProfileOptionsContext& context) {
  SendMessage(GetDlgItem(context.display.profileOptions.window, PROFILE_OPTIONS_AMPLITUDE_ID),
              CB_SHOWDROPDOWN, 0);
}

constexpr InputAction COMMANDS[] = {
    {PROFILE_OPTIONS_FIRST_CHANNEL_ID, SelectChannel<0>},
    {PROFILE_OPTIONS_FIRST_CHANNEL_ID + 1, SelectChannel<1>},
    {PROFILE_OPTIONS_FIRST_THICKNESS_ID, Thickness<1>},
    {PROFILE_OPTIONS_FIRST_THICKNESS_ID + 1, Thickness<2>},
    {PROFILE_OPTIONS_FIRST_THICKNESS_ID + 2, Thickness<3>},
    {PROFILE_OPTIONS_FIRST_THICKNESS_ID + 3, Thickness<4>},
    {PROFILE_OPTIONS_FIRST_THICKNESS_ID + 4, Thickness<5>},
    {PROFILE_OPTIONS_SHOWN_ID, ToggleProfileShown},
    {PROFILE_OPTIONS_OK_ID, AcceptProfileOptions},
    {PROFILE_OPTIONS_CANCEL_ID, CancelProfileOptions},
    {PROFILE_OPTIONS_HELP_ID, ShowProfileOptionsHelp},
    {PROFILE_OPTIONS_COLOR_ID, ChooseProfileColor},
};

constexpr InputAction CHARACTERS[] = {
    {'O', AcceptProfileOptions},
    {'C', CancelProfileOptions},
    {'H', ShowProfileOptionsHelp},
    {'S', ChooseProfileColor},
    {'P', ToggleProfileShown},
    {'1', Thickness<1>},
    {'2', Thickness<2>},
    {'3', Thickness<3>},
    {'4', Thickness<4>},
    {'5', Thickness<5>},
    {'\r', Enter},
    {'\t', MoveProfileFocusOn},
    {'\x1b', CloseAmplitudeList},
};

constexpr InputAction KEYS[] = {
    {VK_UP, SubFocusBack},
    {VK_LEFT, SubFocusBack},
    {VK_DOWN, SubFocusOn},
    {VK_RIGHT, SubFocusOn},
};

void Run(std::span<const InputAction> table, std::uintptr_t input, ProfileOptionsContext& context) {
  for (const InputAction& entry : table) {
    if (entry.input == input) {
      entry.action(context);
      return;
    }
  }
}

std::uintptr_t UpperCase(WPARAM character) {
  return character < 0x80 ? static_cast<std::uintptr_t>(std::toupper(static_cast<int>(character)))
                          : character;
}

// A character counts only when its key went down in this window: the Enter that closes the
// help box or the colour chooser, or the key that opened the window, must not act here too.
void NoteKeyDown(Hwnd window) {
  if (std::any* data = GetWindowData(window))
    *data = true;
}

bool TakeKeyDown(Hwnd window) {
  std::any* data = GetWindowData(window);
  if (data == nullptr)
    return false;
  const bool seen = data->has_value() && std::any_cast<bool>(*data);
  *data = false;
  return seen;
}

// After the colour chooser closed, the next message hands the keyboard back to the window
// (unless that message is the focus leaving it on purpose).
void TakeBackFocus(ProfileOptionsState& state, const Message& message) {
  if (state.profileColorRefocus != 2)
    return;
  state.profileColorRefocus = 0;
  if (message.message != WM_KILLFOCUS)
    SetFocus(state.window);
}

}  // namespace

LRESULT OnProfileOptionsInput(ProfileOptionsContext& context, const Message& message) {
  ProfileOptionsState& state = context.display.profileOptions;
  TakeBackFocus(state, message);
  switch (message.message) {
    case WM_COMMAND:
      Run(COMMANDS, LowWord(message.wParam), context);
      // A clicked control took the keyboard; the window's keys must keep working.
      if (IsWindow(state.window))
        SetFocus(state.window);
      break;
    case WM_CHAR:
      if (TakeKeyDown(message.hwnd))
        Run(CHARACTERS, UpperCase(message.wParam), context);
      break;
    case WM_KEYDOWN:
      NoteKeyDown(message.hwnd);
      Run(KEYS, message.wParam, context);
      break;
    default:
      break;
  }
  return 0;
}

}  // namespace gradlog
