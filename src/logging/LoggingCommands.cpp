#include "logging/LoggingCommands.h"

#include "logging/ButtonSets.h"

namespace gradlog {

using namespace platform;

namespace {

void RunRow(LoggingRun& run, LoggingCommand row) {
  const std::int32_t state = run.dataFile.recordingState;
  switch (row) {
    case LoggingCommand::Row0:
      if (state == 0)
        CreateFileCommand(run);
      else if (state == -1)
        GoCommand(run);
      else
        PauseCommand(run);
      break;
    case LoggingCommand::Row1:
      if (state == -1)
        QuickLineCommand(run);
      break;
    case LoggingCommand::Row2:
      ExitCommand(run);
      break;
    case LoggingCommand::Row3:
      MenuCommand(run);
      break;
    default:
      break;
  }
}

}  // namespace

void RunLoggingCommand(LoggingRun& run, LoggingCommand command) {
  const std::int32_t state = run.dataFile.recordingState;
  // While recording only the pause acts.
  if (state == 1 && command != LoggingCommand::Row0)
    return;
  if (command == LoggingCommand::HighlightedRow)
    command = RowCommand(run.logging.buttonSelection).value_or(LoggingCommand::Row0);
  command = ResolveRow(command, state);
  switch (command) {
    case LoggingCommand::Row0:
    case LoggingCommand::Row1:
    case LoggingCommand::Row2:
    case LoggingCommand::Row3:
      RunRow(run, command);
      break;
    case LoggingCommand::NextButton:
      MoveButtonHighlight(run, 1);
      break;
    case LoggingCommand::PreviousButton:
      MoveButtonHighlight(run, -1);
      break;
    default:
      RunMenuLevelCommand(run, command);
      break;
  }
}

LRESULT OnLoggingCommand(LoggingRun& run, const Message& message) {
  SetFocus(run.logging.windows.logging);
  const int id = LowWord(message.wParam);
  const bool anyButtonPauses = run.dataFile.recordingState == 1 &&
                               run.config.settings.pauseKey == 0 && id >= FIRST_LOGGING_BUTTON_ID &&
                               id < FIRST_LOGGING_BUTTON_ID + LOGGING_BUTTON_COUNT;
  if (anyButtonPauses) {
    RunLoggingCommand(run, LoggingCommand::Row0);
  } else if (const std::optional<LoggingCommand> command = CommandForId(id)) {
    RunLoggingCommand(run, *command);
  }
  return 0;
}

LRESULT OnLoggingKey(LoggingRun& run, const Message& message) {
  SetFocus(run.logging.windows.logging);
  if (run.logging.loggingActive != 1)
    return 0;
  if (const std::optional<LoggingCommand> command = CommandForKey(
          message.wParam, run.dataFile.recordingState, run.config.settings.pauseKey)) {
    RunLoggingCommand(run, *command);
  }
  return 0;
}

}  // namespace gradlog
