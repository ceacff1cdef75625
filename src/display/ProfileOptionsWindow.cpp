#include "display/ProfileOptionsWindow.h"

#include <algorithm>

#include "common/HandlerTable.h"
#include "config/ConfigState.h"
#include "display/DisplayState.h"
#include "display/ProfileOptionsInternals.h"
#include "platform/ui/Controls.h"

namespace gradlog {

using namespace platform;

namespace {

constexpr HandlerEntry<ProfileOptionsContext> PROFILE_OPTIONS_HANDLERS[] = {
    {WM_CREATE, OnProfileOptionsCreate}, {WM_PAINT, OnProfileOptionsPaint},
    {WM_COMMAND, OnProfileOptionsInput}, {WM_KEYDOWN, OnProfileOptionsInput},
    {WM_CHAR, OnProfileOptionsInput},    {WM_KILLFOCUS, OnProfileOptionsInput},
};

struct ButtonSpec {
  const char* text;
  int id;
  std::uint32_t style;
  Rect rect;
};

void CreateButton(Hwnd window, const ButtonSpec& button) {
  CreateWindow({.className = "BUTTON",
                .title = button.text,
                .style = WS_CHILD | WS_VISIBLE | WS_TABSTOP | button.style,
                .rect = button.rect,
                .parent = window,
                .id = button.id});
}

// Each group of radio buttons starts with WS_GROUP, so that checking a thickness leaves the
// channel buttons alone.
void CreateControls(Hwnd window) {
  CreateWindow({.className = "combobox",
                .style = WS_CHILD | WS_TABSTOP | CBS_DROPDOWNLIST,
                .rect = Rect::FromSize(LEFT_COLUMN_X, 24, 100, 80),
                .parent = window,
                .id = PROFILE_OPTIONS_AMPLITUDE_ID});
  const char* const channelTexts[PROFILE_OPTIONS_CHANNELS] = {" G1", " G2"};
  for (int i = 0; i < PROFILE_OPTIONS_CHANNELS; ++i) {
    CreateButton(window, {channelTexts[i], PROFILE_OPTIONS_FIRST_CHANNEL_ID + i,
                          BS_AUTORADIOBUTTON | (i == 0 ? WS_GROUP : 0u),
                          Rect::FromSize(LEFT_COLUMN_X, 95 + 20 * i, 52, 14)});
  }
  const char* const thicknessTexts[PROFILE_OPTIONS_THICKNESSES] = {"&1", "&2", "&3", "&4", "&5"};
  for (int k = 0; k < PROFILE_OPTIONS_THICKNESSES; ++k) {
    CreateButton(window, {thicknessTexts[k], PROFILE_OPTIONS_FIRST_THICKNESS_ID + k,
                          BS_AUTORADIOBUTTON | (k == 0 ? WS_GROUP : 0u),
                          Rect::FromSize(206, 72 + 18 * k, 30, 14)});
  }
  CreateButton(window, {"Show &Profile", PROFILE_OPTIONS_SHOWN_ID, BS_CHECKBOX | WS_GROUP,
                        Rect::FromSize(206, 166, 90, 14)});
  CreateButton(window, {"&Select Color", PROFILE_OPTIONS_COLOR_ID, BS_PUSHBUTTON,
                        Rect::FromSize(206, 186, 90, 22)});
  CreateButton(window,
               {"&OK", PROFILE_OPTIONS_OK_ID, BS_PUSHBUTTON, Rect::FromSize(20, 184, 56, 30)});
  CreateButton(window, {"&Cancel", PROFILE_OPTIONS_CANCEL_ID, BS_PUSHBUTTON,
                        Rect::FromSize(79, 184, 56, 30)});
  CreateButton(window,
               {"&Help", PROFILE_OPTIONS_HELP_ID, BS_PUSHBUTTON, Rect::FromSize(138, 184, 56, 30)});
}

// Working copies of the settings; a thickness out of 1..5 (a hand-edited file) is shown as
// the nearest one offered.
void TakeWorkingCopies(ProfileOptionsState& state, const SurveySettings& settings) {
  for (std::size_t i = 0; i < state.channelColorEdit.size(); ++i) {
    state.channelColorEdit[i] = settings.channelColor[i];
    state.channelThicknessEdit[i] = settings.channelThickness[i];
    state.channelShownEdit[i] = settings.channelShown[i];
  }
  for (std::size_t i = 0; i < PROFILE_OPTIONS_CHANNELS; ++i) {
    state.channelThicknessEdit[i] =
        std::clamp(state.channelThicknessEdit[i], 1, PROFILE_OPTIONS_THICKNESSES);
  }
}

}  // namespace

LRESULT OnProfileOptionsCreate(ProfileOptionsContext& context, const Message& message) {
  ProfileOptionsState& state = context.display.profileOptions;
  state.window = message.hwnd;
  TakeWorkingCopies(state, context.config.settings);
  state.profileOptionsChannel =
      std::clamp(state.profileOptionsChannel, 0, PROFILE_OPTIONS_CHANNELS - 1);
  state.profileOptionsFocus = FOCUS_FIRST_CHANNEL;
  state.profileColorRefocus = 0;
  CreateControls(message.hwnd);
  SelectProfileChannel(context, state.profileOptionsChannel);
  UpdateWindow(message.hwnd);
  return 0;
}

bool RegisterProfileOptionsClass(ConfigState& config, DisplayState& display) {
  ProfileOptionsContext context{config, display};
  return RegisterClass({.name = PROFILE_OPTIONS_CLASS,
                        .procedure =
                            [context](const Message& message) mutable {
                              return DispatchByTable<ProfileOptionsContext>(
                                  PROFILE_OPTIONS_HANDLERS, context, message);
                            },
                        .background = GetStockBrush(StockObject::LightGrayBrush)});
}

// The window works on the state its class was registered with.
bool OpenProfileOptionsWindow(ConfigState&, DisplayState& display, std::function<void()> onClosed) {
  ProfileOptionsState& state = display.profileOptions;
  if (IsWindow(state.window)) {
    // Opened twice: the window already open keeps the keyboard and its opener.
    BringWindowToTop(state.window);
    SetFocus(state.window);
    return true;
  }
  state.onClosed = std::move(onClosed);
  const Hwnd window =
      CreateWindow({.className = PROFILE_OPTIONS_CLASS,
                    .title = "Display Options",
                    .style = WS_VISIBLE,
                    .rect = {0, 0, display.layout.screenWidth, display.layout.screenHeight}});
  if (!window) {
    state.onClosed = nullptr;
    state.window = {};
    return false;
  }
  SetFocus(window);
  return true;
}

}  // namespace gradlog
