#include "dialogs/NewLineDialog.h"

#include "dialogs/DialogText.h"
#include "dialogs/ModalDialog.h"
#include "platform/ui/Dialog.h"

namespace gradlog {

using namespace platform;

namespace {

constexpr char NEW_LINE_TEMPLATE[] = "GetNewLine";
constexpr int CURRENT_LINE_TEXT = 651;
constexpr int LAST_STATION_TEXT = 653;
constexpr int NEW_LINE_EDIT = 674;
constexpr int LINE_INCREMENT_EDIT = 675;
constexpr int SEQUENCE_LIST = 676;
constexpr int DIRECTION_LIST = 677;
constexpr int START_STATION_EDIT = 678;
constexpr int STATION_INCREMENT_EDIT = 679;

constexpr std::int32_t WEST = 0;
constexpr std::int32_t EAST = 3;

void Fill(const ConfigState& config, Hwnd dialog) {
  const NewLineProposal proposal = ProposeNewLine(config);
  SetDlgItemText(dialog, CURRENT_LINE_TEXT, config.settings.surveyLine);
  SetDlgItemFixed(dialog, LAST_STATION_TEXT, config.currentStation, 3);
  SetDlgItemFixed(dialog, NEW_LINE_EDIT, proposal.line, 2);
  SetDlgItemFixed(dialog, LINE_INCREMENT_EDIT, proposal.lineIncrement, 2);
  SelectListEntry(dialog, SEQUENCE_LIST, proposal.sequence);
  SelectListEntry(dialog, DIRECTION_LIST, proposal.direction);
  SetDlgItemFixed(dialog, START_STATION_EDIT, proposal.startStation, 3);
  SetDlgItemFixed(dialog, STATION_INCREMENT_EDIT, proposal.stationIncrement, 3);
}

// The automatic increment and the first-reading flag stay as they are: a new line goes on
// counting stations the way the run did.
int Store(ConfigState& config, Hwnd dialog) {
  SurveySettings& s = config.settings;
  s.surveyLine = GetDlgItemSurveyLine(dialog, NEW_LINE_EDIT);
  s.lineIncrement = GetDlgItemFloat(dialog, LINE_INCREMENT_EDIT);
  StoreListSelection(dialog, SEQUENCE_LIST, s.lineSequence);
  StoreListSelection(dialog, DIRECTION_LIST, s.lineDirection);
  s.startStation = GetDlgItemNumber(dialog, START_STATION_EDIT);
  config.currentStation = s.startStation;
  config.currentStationIncrement = GetDlgItemFloat(dialog, STATION_INCREMENT_EDIT);
  return DIALOG_ACCEPTED;
}

}  // namespace

std::int32_t OppositeDirection(std::int32_t direction) {
  if (direction < WEST || direction > EAST)
    return direction;
  return EAST - direction;
}

NewLineProposal ProposeNewLine(const ConfigState& config) {
  const SurveySettings& s = config.settings;
  NewLineProposal proposal{.line = ReadNumber(s.surveyLine) + s.lineIncrement,
                           .lineIncrement = s.lineIncrement,
                           .sequence = s.lineSequence};
  if (s.lineSequence == LINE_SEQUENCE_ALTERNATE) {
    proposal.direction = OppositeDirection(s.lineDirection);
    proposal.startStation = config.currentStation;
    proposal.stationIncrement = -config.currentStationIncrement;
  } else {
    proposal.direction = s.lineDirection;
    proposal.startStation = s.startStation;
    proposal.stationIncrement = config.currentStationIncrement;
  }
  return proposal;
}

std::optional<int> RunNewLineDialog(ConfigState& config, Hwnd owner) {
  return RunModalDialog(NEW_LINE_TEMPLATE, owner,
                        {.fill = [&config](Hwnd dialog) { Fill(config, dialog); },
                         .store = [&config](Hwnd dialog) { return Store(config, dialog); }});
}

}  // namespace gradlog
