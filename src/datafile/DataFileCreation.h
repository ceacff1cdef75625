#pragma once

#include "config/ConfigState.h"
#include "datafile/DataFileState.h"
#include "platform/ui/Window.h"

namespace gradlog {

enum class DataFileOutcome { Created, Cancelled, Failed };

// Proposes a name, lets the operator accept or change it in the file chooser ("Create Data
// File"), refuses an existing name with a "WARNING", creates the file in the data folder and
// writes the header, the line-start records and a clock record. Created: run.dataFileHandle,
// dataFilePath and dataFileName are set and recordingState is -1. The file stays open as it
// was created (every write goes to its end), not closed and opened again as on the handheld.
// Failed (the folder or file cannot be written): the operator has been told in a "Cannot
// create data file" message with the folder and the cause, and no handle is set.
DataFileOutcome CreateDataFile(DataFileState& run, const ConfigState& config, platform::Hwnd owner);

// At a pause: the file is synced, closed and opened again at its end (a reader thread inside
// an append is waited for a moment first). When it cannot be opened again (a card pulled),
// the handle is left empty, the operator is told as above and the result is false;
// dataFilePath and dataFileName stay for the rest of the run. False without a message when
// there was no data file.
bool ReopenDataFile(DataFileState& run, platform::Hwnd owner);

// The end of a run: the handle released, the file synced and closed; dataFilePath and
// dataFileName cleared, as no file is open any more.
void CloseDataFile(DataFileState& run);

}  // namespace gradlog
