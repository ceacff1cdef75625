// What the choices inside the window do: the selected channel, its thickness and shown flag,
// and where the keyboard focus sits.

#include "display/DisplayState.h"
#include "display/ProfileOptionsInternals.h"
#include "platform/ui/Controls.h"

namespace gradlog {

using namespace platform;

namespace {

ProfileOptionsState& StateOf(ProfileOptionsContext& context) {
  return context.display.profileOptions;
}

std::size_t Selected(const ProfileOptionsState& state) {
  return static_cast<std::size_t>(state.profileOptionsChannel);
}

Hwnd Item(const ProfileOptionsState& state, int id) {
  return GetDlgItem(state.window, id);
}

void SetCheck(Hwnd button, bool checked) {
  SendMessage(button, BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED);
}

void SetDefaultLook(Hwnd button, bool isDefault) {
  SendMessage(button, BM_SETSTYLE, isDefault ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON, 1);
}

Hwnd PushButtonOf(const ProfileOptionsState& state, std::int32_t focus) {
  return Item(state, PROFILE_OPTIONS_OK_ID + (focus - FOCUS_OK));
}

bool IsPushButtonFocus(std::int32_t focus) {
  return focus >= FOCUS_OK && focus <= FOCUS_HELP;
}

// Only the focused one of OK, Cancel and Help looks like the default button.
void SetFocusIndex(ProfileOptionsState& state, std::int32_t focus) {
  if (IsPushButtonFocus(state.profileOptionsFocus) && state.profileOptionsFocus != focus)
    SetDefaultLook(PushButtonOf(state, state.profileOptionsFocus), false);
  state.profileOptionsFocus = focus;
  if (IsPushButtonFocus(focus))
    SetDefaultLook(PushButtonOf(state, focus), true);
}

// The element of the channel frame with the focus carries the mark: a checked thickness, a
// highlighted "Show Profile" or a default-looking "Select Color"; the others lose theirs.
void PlaceSubFocus(ProfileOptionsState& state, std::int32_t subFocus) {
  for (int k = 0; k < PROFILE_OPTIONS_THICKNESSES; ++k)
    SetCheck(Item(state, PROFILE_OPTIONS_FIRST_THICKNESS_ID + k), k == subFocus);
  SendMessage(Item(state, PROFILE_OPTIONS_SHOWN_ID), BM_SETSTATE, subFocus == SUB_FOCUS_SHOWN);
  SetDefaultLook(Item(state, PROFILE_OPTIONS_COLOR_ID), subFocus == SUB_FOCUS_COLOR);
  state.profileOptionsSubFocus = subFocus;
}

void Redraw(const ProfileOptionsState& state, const Rect& area) {
  InvalidateRect(state.window, &area, true);
}

}  // namespace

const char* ProfileChannelName(int channel) {
  return channel == 0 ? "Sensor #1" : "Sensor #2";
}

void SelectProfileChannel(ProfileOptionsContext& context, int channel) {
  ProfileOptionsState& state = StateOf(context);
  state.profileOptionsChannel = channel;
  SetFocusIndex(state, FOCUS_FIRST_CHANNEL + channel);
  for (int i = 0; i < PROFILE_OPTIONS_CHANNELS; ++i)
    SetCheck(Item(state, PROFILE_OPTIONS_FIRST_CHANNEL_ID + i), i == channel);
  const std::size_t selected = Selected(state);
  PlaceSubFocus(state, state.channelThicknessEdit[selected] - 1);
  SetCheck(Item(state, PROFILE_OPTIONS_SHOWN_ID), state.channelShownEdit[selected] != 0);
  Redraw(state, NameBox());
  SetFocus(state.window);
}

void SetProfileThickness(ProfileOptionsContext& context, int thickness) {
  ProfileOptionsState& state = StateOf(context);
  state.channelThicknessEdit[Selected(state)] = thickness;
  PlaceSubFocus(state, thickness - 1);
  Redraw(state, SampleBox(state.profileOptionsChannel));
  SetFocus(state.window);
}

void ToggleProfileShown(ProfileOptionsContext& context) {
  ProfileOptionsState& state = StateOf(context);
  std::int32_t& shown = state.channelShownEdit[Selected(state)];
  shown = shown != 0 ? 0 : 1;
  SetCheck(Item(state, PROFILE_OPTIONS_SHOWN_ID), shown != 0);
  Redraw(state, ShownMarkBox(state.profileOptionsChannel));
}

// Up and Left go back, Down and Right on, round the seven elements of the frame; reaching a
// thickness sets it.
void MoveProfileSubFocus(ProfileOptionsContext& context, int step) {
  ProfileOptionsState& state = StateOf(context);
  const std::int32_t count = SUB_FOCUS_COLOR + 1;
  const std::int32_t next = ((state.profileOptionsSubFocus + step) % count + count) % count;
  if (next < PROFILE_OPTIONS_THICKNESSES)
    SetProfileThickness(context, next + 1);
  else
    PlaceSubFocus(state, next);
}

// Tab: " G1", " G2", "OK", "Cancel", "Help" and round again; a channel reached is selected.
void MoveProfileFocusOn(ProfileOptionsContext& context) {
  ProfileOptionsState& state = StateOf(context);
  const std::int32_t focus = state.profileOptionsFocus;
  const std::int32_t next = focus == FOCUS_LAST_CHANNEL ? FOCUS_OK
                            : focus >= FOCUS_HELP       ? FOCUS_FIRST_CHANNEL
                                                        : focus + 1;
  if (next <= FOCUS_LAST_CHANNEL)
    SelectProfileChannel(context, next - FOCUS_FIRST_CHANNEL);
  else
    SetFocusIndex(state, next);
}

}  // namespace gradlog
