#include "dialogs/CommentDialog.h"
#include "dialogs/GpsPortSetupDialog.h"
#include "dialogs/ModalDialog.h"
#include "dialogs/NewLineDialog.h"
#include "dialogs/NewStationDialog.h"
#include "dialogs/ProfileScaleDialog.h"
#include "dialogs/SpeedScaleDialog.h"
#include "display/ProfileCurves.h"
#include "display/ProfileOptionsWindow.h"
#include "logging/Acquisition.h"
#include "logging/CurveSnapshot.h"
#include "logging/LoggingCommands.h"
#include "logging/LoggingWindow.h"
#include "logging/MapCommands.h"
#include "logging/WriteFailures.h"

namespace gradlog {

using namespace platform;

namespace {

bool Accepted(std::optional<int> result) {
  return result == DIALOG_ACCEPTED;
}

bool ProfileShown(const LoggingRun& run) {
  return run.display.mapViewShown == 0;
}

void NewLine(LoggingRun& run) {
  const bool accepted = Accepted(RunNewLineDialog(run.config, run.logging.windows.curve));
  if (accepted)
    StartNewLineInFile(run);
  RedrawLoggingScreen(run);
  ThawCurve(run, accepted && ProfileShown(run) ? CurveEnd::Drop : CurveEnd::PutBack);
}

void NewStation(LoggingRun& run) {
  RunNewStationDialog(run.config, run.dataFile, run.display, run.logging.windows.curve);
  CheckDataFileFailures(run);
  RedrawAndPutBack(run);
}

void Comment(LoggingRun& run) {
  RunCommentDialog(run.dataFile, run.logging.windows.curve);
  CheckDataFileFailures(run);
  RedrawAndPutBack(run);
}

void ScaleProfile(LoggingRun& run) {
  const bool accepted =
      Accepted(RunProfileScaleDialog(run.config, run.display, run.logging.windows.logging));
  if (accepted)
    RestartProfileCurves(run.display.curves, true);
  RedrawLoggingScreen(run);
  // The redraw replayed the profile at its new scale.
  ThawCurve(run, accepted && ProfileShown(run) ? CurveEnd::Drop : CurveEnd::PutBack);
}

void ProfileOptions(LoggingRun& run) {
  const bool opened = OpenProfileOptionsWindow(run.config, run.display, [&run] {
    RestartProfileCurves(run.display.curves, true);
    RedrawLoggingScreen(run);
    ThawCurve(run, ProfileShown(run) ? CurveEnd::Drop : CurveEnd::PutBack);
    SetFocus(run.logging.windows.logging);
  });
  if (!opened)
    RedrawAndPutBack(run);
}

// Speed Bar and GPS Warning change only what the next fix shows.
void SpeedBar(LoggingRun& run) {
  RunSpeedScaleDialog(run.config, run.display, run.logging.windows.logging);
  RedrawAndPutBack(run);
  SetFocus(run.logging.windows.logging);
}

void GpsWarning(LoggingRun& run) {
  RunGpsWarningMaskDialog(run.config, run.logging.windows.logging);
  RedrawAndPutBack(run);
  SetFocus(run.logging.windows.logging);
}

}  // namespace

void RedrawAndPutBack(LoggingRun& run) {
  RedrawLoggingScreen(run);
  ThawCurve(run, CurveEnd::PutBack);
}

void RunMenuLevelCommand(LoggingRun& run, LoggingCommand command) {
  FreezeCurve(run);
  switch (command) {
    case LoggingCommand::NewLine:
      NewLine(run);
      break;
    case LoggingCommand::NewStation:
      NewStation(run);
      break;
    case LoggingCommand::Comment:
      Comment(run);
      break;
    case LoggingCommand::ScaleMap:
      ScaleMapCommand(run);
      break;
    case LoggingCommand::ScaleProfile:
      ScaleProfile(run);
      break;
    case LoggingCommand::ProfileOptions:
      ProfileOptions(run);
      break;
    case LoggingCommand::SpeedBar:
      SpeedBar(run);
      break;
    case LoggingCommand::GpsWarning:
      GpsWarning(run);
      break;
    case LoggingCommand::ToggleView:
      ToggleViewCommand(run);
      break;
    case LoggingCommand::ExternalFile:
      ExternalFileCommand(run);
      break;
    case LoggingCommand::AsciiFile:
      AsciiFileCommand(run);
      break;
    case LoggingCommand::MapOptions:
      MapOptionsCommand(run);
      break;
    default:  // Hide Menu
      RedrawAndPutBack(run);
      break;
  }
}

}  // namespace gradlog
