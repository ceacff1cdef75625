#include "dialogs/SurveySetupDialog.h"

#include "config/SettingsFile.h"
#include "dialogs/DialogText.h"
#include "dialogs/ModalDialog.h"
#include "platform/ui/Controls.h"
#include "platform/ui/Dialog.h"

namespace gradlog {

using namespace platform;

namespace {

constexpr char SURVEY_SETUP_TEMPLATE[] = "GetSurveySetupBAR";
constexpr int SURVEY_LINE_EDIT = 624;
constexpr int LINE_INCREMENT_EDIT = 625;
constexpr int SEQUENCE_LIST = 626;
constexpr int DIRECTION_LIST = 627;
constexpr int START_STATION_EDIT = 628;
constexpr int STATION_INCREMENT_EDIT = 629;

constexpr float FIXED_READING_INTERVAL = 1.0f;
constexpr std::int32_t FIXED_READING_INTERVAL_MS = 1000;
constexpr double INCREMENT_REPLACING_ZERO = 1.0;

void Fill(const AppState& app, Hwnd dialog) {
  const SurveySettings& s = app.settings;
  SetDlgItemText(dialog, SURVEY_LINE_EDIT, s.surveyLine);
  SetDlgItemFixed(dialog, LINE_INCREMENT_EDIT, s.lineIncrement, 2);
  SelectListEntry(dialog, SEQUENCE_LIST, s.lineSequence);
  SelectListEntry(dialog, DIRECTION_LIST, s.lineDirection);
  SetDlgItemFixed(dialog, START_STATION_EDIT, s.startStation, 3);
  SetDlgItemFixed(dialog, STATION_INCREMENT_EDIT, app.currentStationIncrement, 3);
}

// A zero increment would log every reading at one station, so the edit never shows one.
void KeepIncrementNonZero(Hwnd dialog, int id, std::uint16_t code) {
  if (id != STATION_INCREMENT_EDIT)
    return;
  if (code != EN_CHANGE && code != EN_SETFOCUS && code != EN_KILLFOCUS)
    return;
  if (GetDlgItemNumber(dialog, id) == 0.0)
    SetDlgItemFixed(dialog, id, INCREMENT_REPLACING_ZERO, 3);
}

int Store(AppState& app, Hwnd dialog) {
  SurveySettings& s = app.settings;
  // This instrument's form has neither a mode list nor a reading-rate field.
  s.surveyMode = 0;
  app.activeSurveyMode = 0;
  s.readingInterval = FIXED_READING_INTERVAL;
  app.readingIntervalMs = FIXED_READING_INTERVAL_MS;
  app.firstReadingDone = 0;
  s.surveyLine = GetDlgItemSurveyLine(dialog, SURVEY_LINE_EDIT);
  s.lineIncrement = GetDlgItemFloat(dialog, LINE_INCREMENT_EDIT);
  StoreListSelection(dialog, SEQUENCE_LIST, s.lineSequence);
  StoreListSelection(dialog, DIRECTION_LIST, s.lineDirection);
  s.startStation = GetDlgItemNumber(dialog, START_STATION_EDIT);
  app.currentStation = s.startStation;
  app.currentStationIncrement = GetDlgItemFloat(dialog, STATION_INCREMENT_EDIT);
  s.stationIncrementAuto = app.currentStationIncrement;
  SaveSettings(app);
  return DIALOG_ACCEPTED;
}

}  // namespace

std::optional<int> RunSurveySetupDialog(AppState& app, Hwnd owner) {
  return RunModalDialog(SURVEY_SETUP_TEMPLATE, owner,
                        {.fill = [&app](Hwnd dialog) { Fill(app, dialog); },
                         .store = [&app](Hwnd dialog) { return Store(app, dialog); },
                         .notified = KeepIncrementNonZero});
}

}  // namespace gradlog
