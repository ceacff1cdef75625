// The two ways out of the map options window.

#include "config/ConfigState.h"
#include "config/SettingsFile.h"
#include "display/DisplayState.h"
#include "display/MapGeometry.h"
#include "display/MapOptionsInternals.h"

namespace gradlog {

using namespace platform;

namespace {

// The window stays for the next opening; the opener's redraw runs once it is hidden, and may
// open it again.
void Close(MapOptionsState& state, bool accepted) {
  const std::function<void(bool)> onClosed = std::move(state.onClosed);
  state.onClosed = nullptr;
  ShowWindow(state.window, false);
  if (onClosed)
    onClosed(accepted);
}

}  // namespace

void AcceptMapOptions(MapOptionsContext& context) {
  MapOptionsState& state = context.display.mapOptions;
  SurveySettings& settings = context.config.settings;
  for (const MapItemFields& item : MAP_ITEMS)
    settings.*item.size = state.*item.sizeEdit;
  context.display.mapPens = CreateMapResources(settings);
  SaveSettings(context.config);
  Close(state, true);
}

// Sizes and colours as they were at the opening; nothing is saved.
void CancelMapOptions(MapOptionsContext& context) {
  MapOptionsState& state = context.display.mapOptions;
  SurveySettings& settings = context.config.settings;
  for (const MapItemFields& item : MAP_ITEMS)
    settings.*item.color = state.*item.colorBackup;
  TakeMapOptionsEdits(state, settings);
  context.display.mapPens = CreateMapResources(settings);
  ComputeMapMarker(context.display.map, context.display.layout.curveWidth, settings);
  CheckMapSizeButtons(state);
  InvalidateRect(state.window, nullptr, true);
  Close(state, false);
}

}  // namespace gradlog
