#include "logging/RunMap.h"

#include "display/MapGeometry.h"
#include "gps/ExternalTrackLoad.h"
#include "gps/LoggedTrackReload.h"
#include "platform/sys/SystemServices.h"
#include "platform/ui/MessageBox.h"

namespace gradlog {

using namespace platform;

MapScene RunMapScene(LoggingRun& run) {
  DisplayState& display = run.display;
  return MapScene{
      display.mapView, display.map,   run.config.settings, display.mapPens,
      display.drawing, run.gps.track, run.gps.external,    MapTrackPlane(display.map, run.gps.fix)};
}

TrackDecoding RunTrackDecoding(const LoggingRun& run, TrackSource source) {
  const SurveySettings& settings = run.config.settings;
  return TrackDecoding{.source = source,
                       .gpsDataType = settings.gpsDataType,
                       .eastScale = run.gps.fix.eastScale,
                       .distanceUnits = settings.distanceUnits};
}

void StartRunMap(LoggingRun& run) {
  DisplayState& display = run.display;
  const SurveySettings& settings = run.config.settings;
  ComputeMapExtent(display.map, display.layout.curveWidth, display.layout.curveHeight, settings);
  display.map.prevPixelsPerUnit = display.map.pixelsPerUnit;
  ResetMapView(display.mapView, display.map, settings);
  // The last run's points lie on the last run's plane.
  TrackBuffers& track = run.gps.track;
  if (track.trackBuffersReserved == 1)
    track.points.Reset(static_cast<std::size_t>(track.trackBufferSize));
  track.trackPositionCount = 0;
}

void PlotRunPosition(LoggingRun& run, PlanePoint position, bool firstOfRun) {
  if (firstOfRun && run.gps.external.loaded == 1)
    ReloadRunExternalTrack(run);
  if (run.display.mapViewShown != 1 || run.logging.curveLiveUpdate != 1)
    return;
  MapScene scene = RunMapScene(run);
  WindowDC dc(run.logging.windows.curve);
  PlotPosition(dc, scene, run.dataFile.recordingState == 1, position);
}

void ReloadRunExternalTrack(LoggingRun& run) {
  ExternalTrack& external = run.gps.external;
  if (external.loaded != 1)
    return;
  const ExternalLoadRequest request{
      .mode = ExternalLoadMode::Reload,
      .columns = {.latitudeColumn = run.config.settings.asciiLatitudeColumn,
                  .longitudeColumn = run.config.settings.asciiLongitudeColumn,
                  .delimiter = run.config.settings.asciiDelimiter},
      .decoding = RunTrackDecoding(run, TrackSource::External),
      .plane = MapTrackPlane(run.display.map, run.gps.fix),
      .availableBytes = Services().FreeMemoryBytes()};
  const ExternalLoadResult result = LoadExternalTrackFromFile(external, request);
  if (result.outcome != ExternalLoadOutcome::Loaded || !result.message.empty())
    MessageBox(run.logging.windows.logging, result.message, result.caption, MB_ICONEXCLAMATION);
}

void RebuildMapTracks(LoggingRun& run, ViewAdjust adjust) {
  DisplayState& display = run.display;
  const TrackPlane plane = MapTrackPlane(display.map, run.gps.fix);
  if (run.dataFile.dataFileHandle.Get() && !run.dataFile.dataFilePath.empty()) {
    if (const std::optional<PlanePoint> last =
            ReloadLoggedTrackFromFile(run.gps.track, run.dataFile.dataFilePath,
                                      RunTrackDecoding(run, TrackSource::Logged), plane)) {
      AdjustViewAfterReload(display.mapView, display.map, plane, *last, adjust);
    }
  }
  ReloadRunExternalTrack(run);
  // The map drawn whole shows the current position, and the next fix goes on from there
  // instead of clearing the map as a run's first position does.
  const GpsFix& fix = run.gps.fix;
  if (fix.haveOrigin == 1) {
    display.mapView.lastPosition = PlanePoint{fix.north, fix.east};
    display.mapView.plotStarted = 1;
  }
}

void DrawRunMap(LoggingRun& run) {
  MapScene scene = RunMapScene(run);
  WindowDC dc(run.logging.windows.curve);
  RedrawMap(dc, scene, run.display.mapView.lastPosition);
}

}  // namespace gradlog
