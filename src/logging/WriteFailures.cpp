#include "logging/WriteFailures.h"

#include <cstdio>

#include "display/LoggingScreen.h"

namespace gradlog {

using namespace platform;

namespace {

void ReportFirstFailure(LoggingRun& run, const DataFile* file) {
  run.logging.writeFailed = true;
  const std::string cause = file != nullptr ? file->FailureCause() : std::string();
  std::fprintf(stderr, "gradlog: writing the data file %s failed: %s\n",
               run.dataFile.dataFilePath.c_str(), cause.empty() ? "unknown cause" : cause.c_str());
  std::fflush(stderr);
  ShowRunMode(run);
}

}  // namespace

void NoteWriteResult(LoggingRun& run, bool written) {
  const std::shared_ptr<DataFile> file = run.dataFile.dataFileHandle.Get();
  // Without a file nothing was meant to be written.
  if (run.logging.writeFailed || !file)
    return;
  if (!written || file->Failures() > 0)
    ReportFirstFailure(run, file.get());
}

void CheckDataFileFailures(LoggingRun& run) {
  NoteWriteResult(run, true);
}

void ShowRunMode(LoggingRun& run) {
  const Hwnd logging = run.logging.windows.logging;
  if (!IsWindow(logging))
    return;
  WindowDC dc(logging);
  ShowModeText(dc, run.display, ModeText(run.dataFile.recordingState, run.logging.writeFailed));
}

}  // namespace gradlog
