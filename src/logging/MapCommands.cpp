#include "logging/MapCommands.h"

#include "datafile/DataFileNaming.h"
#include "dialogs/AsciiFileDialog.h"
#include "dialogs/MapScaleDialog.h"
#include "dialogs/ModalDialog.h"
#include "display/LoggingScreen.h"
#include "display/MapOptionsWindow.h"
#include "display/ProfileCurves.h"
#include "gps/ExternalFiles.h"
#include "gps/ExternalTrackLoad.h"
#include "logging/Acquisition.h"
#include "logging/CurveSnapshot.h"
#include "logging/LoggingCommands.h"
#include "logging/LoggingWindow.h"
#include "logging/RunMap.h"
#include "platform/sys/SystemServices.h"
#include "platform/ui/MessageBox.h"
#include "resources/Menus.h"

namespace gradlog {

using namespace platform;

namespace {

std::string RunDataFolder(const LoggingRun& run) {
  return DataFolder(run.config.settings.dataStorage);
}

bool MapShown(const LoggingRun& run) {
  return run.display.mapViewShown == 1;
}

void ShowPleaseWait(LoggingRun& run) {
  WindowDC dc(run.logging.windows.logging);
  ShowModeText(dc, run.display, "Please Wait...");
}

// The map drawn anew after its tracks were rebuilt; the kept picture is out of date.
void DrawMapAndDrop(LoggingRun& run) {
  DrawRunMap(run);
  ThawCurve(run, CurveEnd::Drop);
}

// With the profile shown the map is only made ready for the next Toggle View.
void RebuildMapBehindProfile(LoggingRun& run, ViewAdjust adjust) {
  BuildMapGrid(run.display.mapView.grid, run.display.mapView.plotBox, run.display.map,
               run.config.settings);
  RebuildMapTracks(run, adjust);
}

ExternalLoadRequest FirstLoadRequest(const LoggingRun& run) {
  const SurveySettings& settings = run.config.settings;
  return ExternalLoadRequest{.mode = ExternalLoadMode::First,
                             .columns = {.latitudeColumn = settings.asciiLatitudeColumn,
                                         .longitudeColumn = settings.asciiLongitudeColumn,
                                         .delimiter = settings.asciiDelimiter},
                             .decoding = RunTrackDecoding(run, TrackSource::External),
                             .plane = MapTrackPlane(run.display.map, run.gps.fix),
                             .availableBytes = Services().FreeMemoryBytes()};
}

// Loads the chosen file and tells the operator how many of its positions are shown, or why
// none are; the map then shows it, or keeps its picture.
void LoadChosenExternalFile(LoggingRun& run) {
  const ExternalLoadResult result =
      LoadExternalTrackFromFile(run.gps.external, FirstLoadRequest(run));
  const bool loaded = result.outcome == ExternalLoadOutcome::Loaded;
  MessageBox(run.logging.windows.logging, result.message, result.caption,
             loaded ? MB_ICONINFORMATION : MB_ICONEXCLAMATION);
  RedrawLoggingScreen(run);
  if (loaded && MapShown(run))
    DrawMapAndDrop(run);
  else
    ThawCurve(run, CurveEnd::PutBack);
}

void RemoveExternalTrack(LoggingRun& run) {
  run.gps.external.points.Release();
  run.gps.external.loaded = 0;
  RedrawLoggingScreen(run);
  if (MapShown(run))
    DrawMapAndDrop(run);
  else
    ThawCurve(run, CurveEnd::PutBack);
}

void ChooseExternalDataFile(LoggingRun& run) {
  switch (OpenExternalDataFile(run.logging.windows.logging, RunDataFolder(run), run.gps.external)) {
    case ExternalChoice::Cancelled:
      RedrawAndPutBack(run);
      break;
    case ExternalChoice::OtherFormat:
      MessageBox(run.logging.windows.logging, "Format not supported", "FILE ERROR",
                 MB_ICONEXCLAMATION);
      RedrawAndPutBack(run);
      break;
    case ExternalChoice::Chosen:
      run.gps.external.isAscii = 0;
      LoadChosenExternalFile(run);
      break;
  }
}

void ChooseAsciiFile(LoggingRun& run) {
  // The parameters' Cancel drops the load too: the operator backed out of it.
  if (!OpenAsciiPositionFile(run.logging.windows.logging, RunDataFolder(run), run.gps.external) ||
      RunAsciiFileDialog(run.config, run.logging.windows.logging) != DIALOG_ACCEPTED) {
    RedrawAndPutBack(run);
    return;
  }
  run.gps.external.isAscii = 1;
  LoadChosenExternalFile(run);
}

// External File and ASCII File load a track when none is loaded and remove the loaded one.
void ExternalTrackCommand(LoggingRun& run, bool ascii) {
  if (run.config.settings.gpsInput != 1) {
    RedrawAndPutBack(run);
    return;
  }
  SuspendAcquisition(run);
  if (run.gps.external.loaded == 1)
    RemoveExternalTrack(run);
  else if (ascii)
    ChooseAsciiFile(run);
  else
    ChooseExternalDataFile(run);
  ResumeAcquisition(run);
}

void MapOptionsClosed(LoggingRun& run, bool accepted) {
  const Hwnd logging = run.logging.windows.logging;
  if (run.logging.loggingWindowShown == 1 && !IsWindowVisible(logging))
    ShowWindow(logging, true);
  RedrawLoggingScreen(run);
  if (!accepted) {
    ThawCurve(run, CurveEnd::PutBack);
  } else {
    SuspendAcquisition(run);
    if (MapShown(run)) {
      DrawMapAndDrop(run);
    } else {
      RebuildMapBehindProfile(run, ViewAdjust::Other);
      ThawCurve(run, CurveEnd::PutBack);
    }
    ResumeAcquisition(run);
  }
  SetFocus(logging);
}

}  // namespace

void ScaleMapCommand(LoggingRun& run) {
  if (RunMapScaleDialog(run.config, run.display.map, run.logging.windows.logging) !=
      DIALOG_ACCEPTED) {
    RedrawAndPutBack(run);
    return;
  }
  SuspendAcquisition(run);
  RedrawLoggingScreen(run);
  if (MapShown(run)) {
    ShowPleaseWait(run);
    RebuildMapTracks(run, ViewAdjust::AfterRescale);
    RedrawLoggingScreen(run);
    DrawMapAndDrop(run);
  } else {
    RebuildMapBehindProfile(run, ViewAdjust::AfterRescale);
    ThawCurve(run, CurveEnd::PutBack);
  }
  ResumeAcquisition(run);
}

// The curve window shows the map or the profile; only a run with both an instrument and
// positions has the choice.
void ToggleViewCommand(LoggingRun& run) {
  const SurveySettings& settings = run.config.settings;
  if (settings.gpsInput != 1 || settings.instrumentEnabled != 1) {
    RedrawAndPutBack(run);
    return;
  }
  SuspendAcquisition(run);
  if (MapShown(run)) {
    run.display.mapViewShown = 0;
    RestartProfileCurves(run.display.curves, true);
    RedrawLoggingScreen(run);
    ThawCurve(run, CurveEnd::Drop);
  } else {
    ShowPleaseWait(run);
    run.display.mapViewShown = 1;
    RebuildMapTracks(run, ViewAdjust::Other);
    RedrawLoggingScreen(run);
    DrawMapAndDrop(run);
  }
  ResumeAcquisition(run);
}

void ExternalFileCommand(LoggingRun& run) {
  ExternalTrackCommand(run, false);
}

void AsciiFileCommand(LoggingRun& run) {
  ExternalTrackCommand(run, true);
}

void MapOptionsCommand(LoggingRun& run) {
  OpenMapOptionsWindow(run.config, run.display,
                       [&run](bool accepted) { MapOptionsClosed(run, accepted); });
  ShowWindow(run.logging.windows.logging, false);
}

int LoggingMenuId(const LoggingRun& run) {
  const bool fileOpen = run.dataFile.dataFileHandle.Get() != nullptr;
  const ExternalTrack& external = run.gps.external;
  if (external.loaded != 1)
    return fileOpen ? MENU_FILE_OPEN : MENU_NO_FILE;
  if (external.isAscii == 1)
    return fileOpen ? MENU_FILE_OPEN_ASCII : MENU_NO_FILE_ASCII;
  return fileOpen ? MENU_FILE_OPEN_EXTERNAL : MENU_NO_FILE_EXTERNAL;
}

}  // namespace gradlog
