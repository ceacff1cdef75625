#pragma once

#include <optional>

#include "display/MapView.h"
#include "gps/LocalPlane.h"
#include "gps/TrackSentences.h"
#include "logging/LoggingRun.h"

namespace gradlog {

// The run's map as the drawing sees it, at the current scale and origin.
MapScene RunMapScene(LoggingRun& run);

// How the run's own sentences become positions.
TrackDecoding RunTrackDecoding(const LoggingRun& run, TrackSource source);

// The start of a run: the map's geometry from the curve area and the scale, the view at the
// origin, the grid, an empty track.
void StartRunMap(LoggingRun& run);

// A position of the run, plotted while the map is shown and live; stored while recording.
// The run's first position also places an external track loaded before it, whose pixels need
// the run's origin.
void PlotRunPosition(LoggingRun& run, PlanePoint position, bool firstOfRun);

// The logged track rebuilt from the data file (the view kept around its last position), and
// the external track reloaded, both at the current scale; nothing drawn. A reload that finds
// its file gone tells the operator and drops the track. The marker goes to the current fix.
void RebuildMapTracks(LoggingRun& run, ViewAdjust adjust);

// The whole map drawn anew from the tracks held, with the marker where it was.
void DrawRunMap(LoggingRun& run);

// The external track reloaded at the current scale, told to the operator when it failed.
void ReloadRunExternalTrack(LoggingRun& run);

}  // namespace gradlog
