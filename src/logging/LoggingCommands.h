#pragma once

#include "logging/LoggingCommand.h"
#include "logging/LoggingRun.h"
#include "platform/ui/Messages.h"

namespace gradlog {

// WM_COMMAND and WM_KEYDOWN of the logging window.
platform::LRESULT OnLoggingCommand(LoggingRun& run, const platform::Message& message);
platform::LRESULT OnLoggingKey(LoggingRun& run, const platform::Message& message);

// Carries out one command in the run's present state.
void RunLoggingCommand(LoggingRun& run, LoggingCommand command);

// The button rows.
void CreateFileCommand(LoggingRun& run);
void GoCommand(LoggingRun& run);
void PauseCommand(LoggingRun& run);
void QuickLineCommand(LoggingRun& run);
void ExitCommand(LoggingRun& run);
void MenuCommand(LoggingRun& run);

// A new line's records (line start and clock) written, the settings saved, the curves
// restarted: after "&QLine" and "New Line".
void StartNewLineInFile(LoggingRun& run);

// The menu level.
void RunMenuLevelCommand(LoggingRun& run, LoggingCommand command);
// The common end of a menu command: everything redrawn, the kept curve picture put back.
void RedrawAndPutBack(LoggingRun& run);

}  // namespace gradlog
