// The colour chooser the "Color" buttons open over the map options window.

#include "config/ConfigState.h"
#include "display/DisplayState.h"
#include "display/MapOptionsInternals.h"
#include "platform/ui/ColorChooser.h"

namespace gradlog {

using namespace platform;

// The colour goes straight into the setting, so that the preview and the map show it at once;
// only Cancel puts the opening colour back. A cancelled chooser leaves the colour as it was.
void ChooseMapItemColor(MapOptionsContext& context, int item) {
  MapOptionsState& state = context.display.mapOptions;
  SurveySettings& settings = context.config.settings;
  std::int32_t& color = settings.*MAP_ITEMS[static_cast<std::size_t>(item)].color;
  state.customColors.fill(0);
  ColorChooserRequest request{.initial = static_cast<Color>(color) & 0x00FFFFFF,
                              .presetInitial = true,
                              .customColors = &state.customColors};
  if (const std::optional<Color> chosen = ChooseColor(state.window, request))
    color = static_cast<std::int32_t>(*chosen);
  context.display.mapPens = CreateMapResources(settings);
  InvalidateRect(state.window, nullptr, true);
  SetFocus(state.window);
}

}  // namespace gradlog
