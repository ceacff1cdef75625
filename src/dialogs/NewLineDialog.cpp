#include "dialogs/NewLineDialog.h"

#include "dialogs/DialogText.h"
#include "dialogs/ModalDialog.h"
#include "platform/ui/Dialog.h"
#include "resources/ControlIds.h"

namespace gradlog {

using namespace platform;

namespace {

namespace ids = controls::new_line;

// Opposite directions mirror each other in the list.
constexpr std::int32_t LAST_DIRECTION = static_cast<std::int32_t>(LINE_DIRECTIONS.size()) - 1;
static_assert(LAST_DIRECTION - LINE_DIRECTION_WEST == LINE_DIRECTION_EAST &&
              LAST_DIRECTION - LINE_DIRECTION_SOUTH == LINE_DIRECTION_NORTH);

void Fill(const ConfigState& config, Hwnd dialog) {
  const NewLineProposal proposal = ProposeNewLine(config);
  SetDlgItemText(dialog, ids::CURRENT_LINE_TEXT, config.settings.surveyLine);
  SetDlgItemFixed(dialog, ids::LAST_STATION_TEXT, config.currentStation, 3);
  SetDlgItemFixed(dialog, ids::NEW_LINE_EDIT, proposal.line, 2);
  SetDlgItemFixed(dialog, ids::LINE_INCREMENT_EDIT, proposal.lineIncrement, 2);
  SelectListEntry(dialog, ids::SEQUENCE_LIST, proposal.sequence);
  SelectListEntry(dialog, ids::DIRECTION_LIST, proposal.direction);
  SetDlgItemFixed(dialog, ids::START_STATION_EDIT, proposal.startStation, 3);
  SetDlgItemFixed(dialog, ids::STATION_INCREMENT_EDIT, proposal.stationIncrement, 3);
}

// The automatic increment and the first-reading flag stay as they are: a new line goes on
// counting stations the way the run did.
int Store(ConfigState& config, Hwnd dialog) {
  SurveySettings& s = config.settings;
  s.surveyLine = GetDlgItemSurveyLine(dialog, ids::NEW_LINE_EDIT);
  s.lineIncrement = GetDlgItemFloat(dialog, ids::LINE_INCREMENT_EDIT);
  StoreListSelection(dialog, ids::SEQUENCE_LIST, s.lineSequence);
  StoreListSelection(dialog, ids::DIRECTION_LIST, s.lineDirection);
  s.startStation = GetDlgItemNumber(dialog, ids::START_STATION_EDIT);
  config.currentStation = s.startStation;
  config.currentStationIncrement = GetDlgItemFloat(dialog, ids::STATION_INCREMENT_EDIT);
  return DIALOG_ACCEPTED;
}

}  // namespace

std::int32_t OppositeDirection(std::int32_t direction) {
  if (direction < 0 || direction > LAST_DIRECTION)
    return direction;
  return LAST_DIRECTION - direction;
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
  return RunModalDialog(ids::TEMPLATE, owner,
                        {.fill = [&config](Hwnd dialog) { Fill(config, dialog); },
                         .store = [&config](Hwnd dialog) { return Store(config, dialog); }});
}

}  // namespace gradlog
