// The colour chooser and the help box the profile options window opens over itself.

#include "display/DisplayState.h"
#include "display/ProfileOptionsInternals.h"
#include "platform/ui/ColorChooser.h"
#include "platform/ui/MessageBox.h"

namespace gradlog {

using namespace platform;

namespace {

constexpr char HELP_TEXT[] =
    "To select Amplitude in combo box\r\n"
    "    press A or use Tab and Enter.\r\n"
    "To change EM61-MK2 channel selection\r\n"
    "    use Tab\r\n"
    "To execute OK, Cancel, Help buttons\r\n"
    "    press indicated key or use\r\n"
    "    Tab to select and Enter to execute\r\n"
    "To change settings for selected channel\r\n"
    "    (in frame) press indicated key  \r\n"
    "    or use Up or Down keys and Enter";

}  // namespace

// The chooser starts from black with an empty custom table each time; when it is cancelled
// the channel keeps its colour.
void ChooseProfileColor(ProfileOptionsContext& context) {
  ProfileOptionsState& state = context.display.profileOptions;
  state.profileColorRefocus = 1;
  state.profileCustomColors.fill(0);
  ColorChooserRequest request{
      .initial = 0, .presetInitial = false, .customColors = &state.profileCustomColors};
  const std::optional<Color> chosen = ChooseColor(state.window, request);
  if (chosen)
    state.channelColorEdit[static_cast<std::size_t>(state.profileOptionsChannel)] =
        static_cast<std::int32_t>(*chosen);
  state.profileColorRefocus = 2;
  if (IsWindow(state.window)) {
    InvalidateRect(state.window, nullptr, true);
    SetFocus(state.window);
  }
}

void ShowProfileOptionsHelp(ProfileOptionsContext& context) {
  MessageBox(context.display.profileOptions.window, HELP_TEXT, "Display Options Help", MB_OK);
}

}  // namespace gradlog
