// The two ways out of the profile options window.

#include "config/ConfigState.h"
#include "config/SettingsFile.h"
#include "display/DisplayState.h"
#include "display/ProfileOptionsInternals.h"

namespace gradlog {

using namespace platform;

namespace {

// The opener's redraw runs last, once the window is gone; it may open the window again.
void Close(ProfileOptionsState& state) {
  const std::function<void()> onClosed = std::move(state.onClosed);
  state.onClosed = nullptr;
  const Hwnd window = state.window;
  state.window = {};
  DestroyWindow(window);
  if (onClosed)
    onClosed();
}

}  // namespace

void AcceptProfileOptions(ProfileOptionsContext& context) {
  ProfileOptionsState& state = context.display.profileOptions;
  SurveySettings& settings = context.config.settings;
  for (std::size_t i = 0; i < PROFILE_OPTIONS_CHANNELS; ++i) {
    settings.channelColor[i] = state.channelColorEdit[i];
    settings.channelThickness[i] = state.channelThicknessEdit[i];
    settings.channelShown[i] = state.channelShownEdit[i];
  }
  context.display.channels = CreateChannelResources(settings);
  SaveSettings(context.config);
  Close(state);
}

void CancelProfileOptions(ProfileOptionsContext& context) {
  Close(context.display.profileOptions);
}

}  // namespace gradlog
