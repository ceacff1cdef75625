#include "dialogs/SurveySetupDialog.h"

#include "config/DerivedSettings.h"
#include "config/SettingsFile.h"
#include "dialogs/DialogText.h"
#include "dialogs/ModalDialog.h"
#include "platform/ui/Controls.h"
#include "platform/ui/Dialog.h"
#include "resources/ControlIds.h"

namespace gradlog {

using namespace platform;

namespace {

namespace ids = controls::survey_setup;

constexpr float FIXED_READING_INTERVAL = 1.0f;
constexpr std::int32_t FIXED_READING_INTERVAL_MS = 1000;
constexpr double INCREMENT_REPLACING_ZERO = 1.0;

void Fill(const ConfigState& config, Hwnd dialog) {
  const SurveySettings& s = config.settings;
  SetDlgItemText(dialog, ids::SURVEY_LINE_EDIT, s.surveyLine);
  SetDlgItemFixed(dialog, ids::LINE_INCREMENT_EDIT, s.lineIncrement, 2);
  SelectListEntry(dialog, ids::SEQUENCE_LIST, s.lineSequence);
  SelectListEntry(dialog, ids::DIRECTION_LIST, s.lineDirection);
  SetDlgItemFixed(dialog, ids::START_STATION_EDIT, s.startStation, 3);
  SetDlgItemFixed(dialog, ids::STATION_INCREMENT_EDIT, config.currentStationIncrement, 3);
}

// A zero increment would log every reading at one station, so the edit never shows one.
void KeepIncrementNonZero(Hwnd dialog, int id, std::uint16_t code) {
  if (id != ids::STATION_INCREMENT_EDIT)
    return;
  if (code != EN_CHANGE && code != EN_SETFOCUS && code != EN_KILLFOCUS)
    return;
  if (GetDlgItemNumber(dialog, id) == 0.0)
    SetDlgItemFixed(dialog, id, INCREMENT_REPLACING_ZERO, 3);
}

int Store(ConfigState& config, DataFileState& run, Hwnd dialog) {
  SurveySettings& s = config.settings;
  // This instrument's form has neither a mode list nor a reading-rate field.
  s.surveyMode = 0;
  s.readingInterval = FIXED_READING_INTERVAL;
  config.readingIntervalMs = FIXED_READING_INTERVAL_MS;
  run.firstReadingDone = 0;
  s.surveyLine = GetDlgItemSurveyLine(dialog, ids::SURVEY_LINE_EDIT);
  s.lineIncrement = GetDlgItemFloat(dialog, ids::LINE_INCREMENT_EDIT);
  StoreListSelection(dialog, ids::SEQUENCE_LIST, s.lineSequence);
  StoreListSelection(dialog, ids::DIRECTION_LIST, s.lineDirection);
  s.startStation = GetDlgItemNumber(dialog, ids::START_STATION_EDIT);
  config.currentStation = s.startStation;
  s.stationIncrementAuto = GetDlgItemFloat(dialog, ids::STATION_INCREMENT_EDIT);
  ApplySurveyMode(config);
  SaveSettings(config);
  return DIALOG_ACCEPTED;
}

}  // namespace

std::optional<int> RunSurveySetupDialog(ConfigState& config, DataFileState& run, Hwnd owner) {
  return RunModalDialog(ids::TEMPLATE, owner,
                        {.fill = [&config](Hwnd dialog) { Fill(config, dialog); },
                         .store = [&](Hwnd dialog) { return Store(config, run, dialog); },
                         .notified = KeepIncrementNonZero});
}

}  // namespace gradlog
