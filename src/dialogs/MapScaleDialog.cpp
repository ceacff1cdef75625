#include "dialogs/MapScaleDialog.h"

#include <algorithm>

#include "config/SettingChoices.h"
#include "config/SettingsFile.h"
#include "dialogs/DialogText.h"
#include "dialogs/ModalDialog.h"
#include "platform/ui/Dialog.h"
#include "resources/ControlIds.h"

namespace gradlog {

using namespace platform;

namespace {

namespace ids = controls::map_scale;

constexpr std::int32_t SMALLEST_SCALE = 1;
constexpr double MAX_GRID_LINES = 20.0;
constexpr double GRID_PER_SCALE = 0.05;  // 1 / MAX_GRID_LINES

void Fill(const SurveySettings& s, Hwnd dialog) {
  SetDlgItemInteger(dialog, ids::SCALE_EDIT, s.mapScale);
  SetDlgItemFixed(dialog, ids::GRID_EDIT, s.mapGridInterval, 2);
  const char* units = s.distanceUnits == DISTANCE_UNITS_METERS ? "meters" : "feet";
  SetDlgItemText(dialog, ids::SCALE_UNITS_LABEL, units);
  SetDlgItemText(dialog, ids::GRID_UNITS_LABEL, units);
}

void CorrectEntries(Hwnd dialog, int id, std::uint16_t) {
  if (id != ids::SCALE_EDIT && id != ids::GRID_EDIT)
    return;
  const MapScaleCorrection correction = CorrectMapScale(GetDlgItemInteger(dialog, ids::SCALE_EDIT),
                                                        GetDlgItemNumber(dialog, ids::GRID_EDIT));
  if (correction.scale)
    SetDlgItemInteger(dialog, ids::SCALE_EDIT, *correction.scale);
  if (correction.gridInterval)
    SetDlgItemFixed(dialog, ids::GRID_EDIT, *correction.gridInterval, 2);
}

int Store(ConfigState& config, MapGeometry& map, Hwnd dialog) {
  SurveySettings& s = config.settings;
  s.mapScale = std::max(GetDlgItemInteger(dialog, ids::SCALE_EDIT), SMALLEST_SCALE);
  map.prevPixelsPerUnit = map.pixelsPerUnit;
  map.pixelsPerUnit = MapPixelsPerUnit(map.extent, s.mapScale);
  s.mapGridInterval = GetDlgItemFloat(dialog, ids::GRID_EDIT);
  SaveSettings(config);
  return DIALOG_ACCEPTED;
}

}  // namespace

MapScaleCorrection CorrectMapScale(std::int32_t scale, double gridInterval) {
  MapScaleCorrection correction;
  if (scale < SMALLEST_SCALE) {
    scale = SMALLEST_SCALE;
    correction.scale = scale;
  }
  if (gridInterval < 0.0) {
    correction.gridInterval = 0.0;
    return correction;
  }
  if (gridInterval > 0.0 && scale / gridInterval > MAX_GRID_LINES)
    correction.gridInterval = scale * GRID_PER_SCALE;
  return correction;
}

std::optional<int> RunMapScaleDialog(ConfigState& config, MapGeometry& map, Hwnd owner) {
  return RunModalDialog(ids::TEMPLATE, owner,
                        {.fill = [&config](Hwnd dialog) { Fill(config.settings, dialog); },
                         .store = [&](Hwnd dialog) { return Store(config, map, dialog); },
                         .notified = CorrectEntries});
}

}  // namespace gradlog
