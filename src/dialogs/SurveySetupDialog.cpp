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
constexpr float INCREMENT_REPLACING_ZERO = 1.0f;

// A zero increment would log every reading at one station.
float NonZeroIncrement(float increment) {
  return increment == 0.0f ? INCREMENT_REPLACING_ZERO : increment;
}

void Fill(const ConfigState& config, Hwnd dialog) {
  const SurveySettings& s = config.settings;
  SetDlgItemText(dialog, ids::SURVEY_LINE_EDIT, s.surveyLine);
  SetDlgItemFixed(dialog, ids::LINE_INCREMENT_EDIT, s.lineIncrement, 2);
  SelectListEntry(dialog, ids::SEQUENCE_LIST, s.lineSequence);
  SelectListEntry(dialog, ids::DIRECTION_LIST, s.lineDirection);
  SetDlgItemFixed(dialog, ids::START_STATION_EDIT, s.startStation, 3);
  SetDlgItemFixed(dialog, ids::STATION_INCREMENT_EDIT,
                  NonZeroIncrement(config.currentStationIncrement), 3);
}

// Only once the focus leaves the field: "0.25" starts with a zero, and replacing the text
// while it is typed would put the rest in front of the replacement.
void KeepIncrementNonZero(Hwnd dialog, int id, std::uint16_t code) {
  if (id != ids::STATION_INCREMENT_EDIT || code != EN_KILLFOCUS)
    return;
  if (GetDlgItemFloat(dialog, id) == 0.0f)
    SetDlgItemFixed(dialog, id, INCREMENT_REPLACING_ZERO, 3);
}

int Store(ConfigState& config, DataFileState& run, Hwnd dialog) {
  SurveySettings& s = config.settings;
  // This instrument's form has neither a mode list nor a reading-rate field.
  s.surveyMode = 0;
  s.readingInterval = FIXED_READING_INTERVAL;
  config.readingIntervalMs = ReadingIntervalMs(s.readingInterval);
  run.firstReadingDone = 0;
  s.surveyLine = GetDlgItemSurveyLine(dialog, ids::SURVEY_LINE_EDIT);
  s.lineIncrement = GetDlgItemFloat(dialog, ids::LINE_INCREMENT_EDIT);
  StoreListSelection(dialog, ids::SEQUENCE_LIST, s.lineSequence);
  StoreListSelection(dialog, ids::DIRECTION_LIST, s.lineDirection);
  s.startStation = GetDlgItemNumber(dialog, ids::START_STATION_EDIT);
  config.currentStation = s.startStation;
  s.stationIncrementAuto = NonZeroIncrement(GetDlgItemFloat(dialog, ids::STATION_INCREMENT_EDIT));
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
