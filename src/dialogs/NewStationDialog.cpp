#include "dialogs/NewStationDialog.h"

#include "datafile/RecordWriters.h"
#include "dialogs/DialogText.h"
#include "dialogs/ModalDialog.h"
#include "platform/ui/Dialog.h"
#include "resources/ControlIds.h"

namespace gradlog {

using namespace platform;

namespace {

namespace ids = controls::new_station;

void Fill(const ConfigState& config, Hwnd dialog) {
  SetDlgItemFixed(dialog, ids::START_STATION_TEXT, config.settings.startStation, 3);
  SetDlgItemFixed(dialog, ids::LAST_STATION_TEXT, config.currentStation, 3);
}

int Store(ConfigState& config, DataFileState& run, DisplayState& display, Hwnd dialog) {
  config.currentStation = GetDlgItemNumber(dialog, ids::NEW_STATION_EDIT);
  // The curves must not join the old station's last points to the new one's first.
  if (display.restartProfileCurves)
    display.restartProfileCurves();
  if (display.redrawStationBox)
    display.redrawStationBox();
  run.firstReadingDone = 0;
  // Without an open data file the writers write nothing; the station moves all the same.
  WriteStationRecord(run, config.currentStation);
  WriteClockRecord(run);
  return DIALOG_ACCEPTED;
}

}  // namespace

std::optional<int> RunNewStationDialog(ConfigState& config, DataFileState& run,
                                       DisplayState& display, Hwnd owner) {
  return RunModalDialog(
      ids::TEMPLATE, owner,
      {.fill = [&config](Hwnd dialog) { Fill(config, dialog); },
       .store = [&](Hwnd dialog) { return Store(config, run, display, dialog); }});
}

}  // namespace gradlog
