#include "dialogs/NewStationDialog.h"

#include "datafile/RecordWriters.h"
#include "dialogs/DialogText.h"
#include "dialogs/ModalDialog.h"
#include "platform/ui/Dialog.h"

namespace gradlog {

using namespace platform;

namespace {

constexpr char NEW_STATION_TEMPLATE[] = "GetNewStation";
constexpr int START_STATION_TEXT = 863;
constexpr int LAST_STATION_TEXT = 864;
constexpr int NEW_STATION_EDIT = 865;

void Fill(const AppState& app, Hwnd dialog) {
  SetDlgItemFixed(dialog, START_STATION_TEXT, app.settings.startStation, 3);
  SetDlgItemFixed(dialog, LAST_STATION_TEXT, app.currentStation, 3);
}

int Store(AppState& app, Hwnd dialog) {
  app.currentStation = GetDlgItemNumber(dialog, NEW_STATION_EDIT);
  // The curves must not join the old station's last points to the new one's first.
  if (app.restartProfileCurves)
    app.restartProfileCurves();
  if (app.redrawStationBox)
    app.redrawStationBox();
  app.firstReadingDone = 0;
  // Without an open data file the writers write nothing; the station moves all the same.
  WriteStationRecord(app);
  WriteClockRecord(app);
  return DIALOG_ACCEPTED;
}

}  // namespace

std::optional<int> RunNewStationDialog(AppState& app, Hwnd owner) {
  return RunModalDialog(NEW_STATION_TEMPLATE, owner,
                        {.fill = [&app](Hwnd dialog) { Fill(app, dialog); },
                         .store = [&app](Hwnd dialog) { return Store(app, dialog); }});
}

}  // namespace gradlog
