#include "dialogs/MapScaleDialog.h"

#include "config/SettingChoices.h"
#include "config/SettingsFile.h"
#include "dialogs/DialogText.h"
#include "dialogs/ModalDialog.h"
#include "platform/ui/Controls.h"
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

// Only once the focus leaves an entry: correcting it while it is typed would put the rest of
// what is typed in front of the replacement ("25" starts with a grid too fine for a scale of 100).
void CorrectEntries(Hwnd dialog, int id, std::uint16_t code) {
  if ((id != ids::SCALE_EDIT && id != ids::GRID_EDIT) || code != EN_KILLFOCUS)
    return;
  const MapScaleCorrection correction = CorrectMapScale(GetDlgItemInteger(dialog, ids::SCALE_EDIT),
                                                        GetDlgItemFloat(dialog, ids::GRID_EDIT));
  if (correction.scale)
    SetDlgItemInteger(dialog, ids::SCALE_EDIT, *correction.scale);
  if (correction.gridInterval)
    SetDlgItemFixed(dialog, ids::GRID_EDIT, *correction.gridInterval, 2);
}

int Store(ConfigState& config, MapGeometry& map, Hwnd dialog) {
  SurveySettings& s = config.settings;
  const std::int32_t typedScale = GetDlgItemInteger(dialog, ids::SCALE_EDIT);
  const float typedGrid = GetDlgItemFloat(dialog, ids::GRID_EDIT);
  const MapScaleCorrection correction = CorrectMapScale(typedScale, typedGrid);
  s.mapScale = correction.scale.value_or(typedScale);
  s.mapGridInterval =
      correction.gridInterval ? static_cast<float>(*correction.gridInterval) : typedGrid;
  map.prevPixelsPerUnit = map.pixelsPerUnit;
  map.pixelsPerUnit = MapPixelsPerUnit(map.extent, s.mapScale);
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
