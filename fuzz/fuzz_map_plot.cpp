// Any bytes as a run on the map, under hand-edited map settings of any size: positions plotted
// (recorded or not), positions far beyond any survey, rescales that rebuild the logged track
// from the recorded positions and keep the last one's place, Toggle View's rebuild, whole
// redraws and an external track growing beside, on the logging screen's curve window or on a
// small one that keeps an input cheap. The logged track never outgrows its buffer or the
// run's limit and stays sorted by y, the grid lists stay bounded and ascending, and with
// margins that leave room for it the marker stays inside the map square.
#include <algorithm>
#include <cfloat>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "config/SurveySettings.h"
#include "display/DrawingResources.h"
#include "display/MapGeometry.h"
#include "display/MapView.h"
#include "gps/GpsState.h"
#include "gps/TrackPlane.h"
#include "platform/gfx/DeviceContext.h"

namespace {

using namespace gradlog;

constexpr int CURVE_WINDOW = 215;
constexpr int SMALL_CURVE_WINDOW = 64;
// Enough for a walk that scrolls every way and fills a small track; keeps an input cheap.
constexpr int MAX_STEPS = 200;
constexpr std::size_t EXTERNAL_CAPACITY = 48;

void Check(bool condition) {
  if (!condition)
    __builtin_trap();
}

// The input front to back; zeros once it is used up.
class ByteStream {
 public:
  ByteStream(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}
  bool Done() const { return at_ >= size_; }
  std::uint8_t Byte() { return at_ < size_ ? data_[at_++] : 0; }
  std::int16_t Int16() {
    const unsigned low = Byte();
    return static_cast<std::int16_t>(low | (unsigned{Byte()} << 8));
  }

 private:
  const std::uint8_t* data_;
  std::size_t size_;
  std::size_t at_ = 0;
};

// Grid intervals a settings file may hold, from none to absurd.
constexpr float GRID_INTERVALS[] = {0.0f,  1.5f,   0.01f, 0.5f,    10.0f,    250.0f,
                                    -3.0f, 1e-30f, 1e30f, FLT_MAX, INFINITY, 1e6f};
// Positions no receiver gives, where every pixel computation meets its limits.
constexpr double EXTREMES[] = {1e300,        -1e300,        DBL_MAX, -DBL_MAX,
                               2147483648.0, -2147483649.0, 1e15,    -1e15,
                               DBL_TRUE_MIN, 1073741824.5,  0.0,     -0.0};

template <typename T, std::size_t N>
T Pick(const T (&table)[N], std::uint8_t byte) {
  return table[byte % N];
}

struct MapRun {
  explicit MapRun(int curveWindow)
      : curveWindow(curveWindow), window(curveWindow, curveWindow, platform::Rgb(255, 255, 255)) {}

  int curveWindow;
  SurveySettings settings;
  MapGeometry geometry;
  MapViewState view;
  MapResources pens;
  TrackBuffers track;
  ExternalTrack external;
  GpsFix fix;
  platform::Bitmap window;
  platform::BitmapContext dc{window};
  std::vector<PlanePoint> recorded;  // the fixes the data file would hold
  std::vector<PlanePoint> externalPositions;

  MapScene Scene(const DrawingResources& drawing) {
    return {view, geometry, settings, pens, drawing, track, external, MapTrackPlane(geometry, fix)};
  }
};

void ReadSettings(MapRun& run, ByteStream& in) {
  SurveySettings& s = run.settings;
  s.mapScale = in.Int16();
  s.mapGridInterval = Pick(GRID_INTERVALS, in.Byte());
  const std::uint8_t sizes = in.Byte();
  s.mapSavedPointSize = (sizes & 7) - 1;
  s.mapExternalPointSize = ((sizes >> 3) & 7) - 1;
  s.mapCurrentMarkerSize = static_cast<std::int8_t>(in.Byte()) % 9;
  s.mapMarginStep = static_cast<std::int8_t>(in.Byte()) % 40;
  run.track.maxTrackPositions = 1 + in.Byte() % 64;
  run.track.trackBufferSize = run.track.maxTrackPositions + in.Byte() % 4;
  run.track.trackBuffersReserved = 1;
  run.track.points.Reset(static_cast<std::size_t>(run.track.trackBufferSize));
  run.external.points.Reset(EXTERNAL_CAPACITY);

  ComputeMapExtent(run.geometry, run.curveWindow, run.curveWindow, s);
  run.geometry.prevPixelsPerUnit = run.geometry.pixelsPerUnit;
  ComputeMapMarker(run.geometry, run.curveWindow, s);
  run.pens = CreateMapResources(s);
  ResetMapView(run.view, run.geometry, s);
}

// As the track loaders rebuild both tracks at the new scale from the files.
void RebuildTracks(MapRun& run, ViewAdjust adjust) {
  const TrackPlane plane = MapTrackPlane(run.geometry, run.fix);
  TrackBuffers& track = run.track;
  track.points.Reset(static_cast<std::size_t>(track.trackBufferSize));
  track.trackPositionCount = 0;
  for (const PlanePoint position : run.recorded) {
    if (track.trackPositionCount < track.maxTrackPositions &&
        track.points.Append(ToTrackPixel(plane, position))) {
      ++track.trackPositionCount;
    }
  }
  track.points.SortByY();
  if (!run.recorded.empty())
    AdjustViewAfterReload(run.view, run.geometry, plane, run.recorded.back(), adjust);
  run.external.points.Reset(EXTERNAL_CAPACITY);
  for (const PlanePoint position : run.externalPositions)
    run.external.points.Append(ToTrackPixel(plane, position));
  run.external.points.SortByY();
}

void Rescale(MapRun& run, ByteStream& in) {
  run.settings.mapScale = in.Int16();
  run.settings.mapGridInterval = Pick(GRID_INTERVALS, in.Byte());
  run.geometry.prevPixelsPerUnit = run.geometry.pixelsPerUnit;
  run.geometry.pixelsPerUnit = MapPixelsPerUnit(run.geometry.extent, run.settings.mapScale);
  RebuildTracks(run, ViewAdjust::AfterRescale);
}

void AddExternal(MapRun& run, PlanePoint position) {
  if (run.external.points.Full())
    return;
  run.externalPositions.push_back(position);
  run.external.points.Append(ToTrackPixel(MapTrackPlane(run.geometry, run.fix), position));
  run.external.points.SortByY();
  run.external.loaded = 1;
}

bool SortedByY(const SortedTrack& track) {
  return std::ranges::is_sorted(track.Points(), {}, &TrackPoint::y);
}

// One step of the run: flags bit 0 records the position, bit 1 makes it one of the extremes,
// bits 2 and 3 together are followed by a command, bit 4 lays the position into the external
// track, bits 5 to 7 choose the metres a step of the deltas is.
struct Step {
  bool store = false;
  bool extreme = false;
  bool command = false;
  bool external = false;
  double metresPerStep = 1.0;
  std::int16_t north = 0;
  std::int16_t east = 0;
};

Step ReadStep(ByteStream& in) {
  // From a slow walk to a jump across the country.
  constexpr double METRES_PER_STEP[] = {0.01, 0.1, 0.5, 1.0, 5.0, 40.0, 1000.0, 1e6};
  const std::uint8_t flags = in.Byte();
  Step step{.store = (flags & 0x01) != 0,
            .extreme = (flags & 0x02) != 0,
            .command = (flags & 0x0C) == 0x0C,
            .external = (flags & 0x10) != 0,
            .metresPerStep = METRES_PER_STEP[flags >> 5]};
  step.north = in.Int16();
  step.east = in.Int16();
  return step;
}

// The commands that redraw the whole map: a redraw alone, a rescale, Toggle View.
void RunCommand(MapRun& run, ByteStream& in, const DrawingResources& drawing) {
  switch (in.Byte() % 3) {
    case 1:
      Rescale(run, in);
      break;
    case 2:
      RebuildTracks(run, ViewAdjust::Other);
      break;
    default:
      break;
  }
  MapScene scene = run.Scene(drawing);
  RedrawMap(run.dc, scene, run.view.lastPosition);
}

void CheckInvariants(const MapRun& run) {
  const TrackBuffers& track = run.track;
  Check(track.points.Count() <= track.points.Capacity());
  Check(track.trackPositionCount >= 0 && track.trackPositionCount <= track.maxTrackPositions);
  Check(track.points.Count() == static_cast<std::size_t>(track.trackPositionCount));
  Check(SortedByY(track.points));
  Check(run.external.points.Count() <= run.external.points.Capacity());
  Check(SortedByY(run.external.points));
  for (const std::vector<float>* lines : {&run.view.grid.x, &run.view.grid.y}) {
    Check(lines->size() <= MAX_GRID_LINES);
    Check(std::ranges::is_sorted(*lines));
  }
}

// A plotted position stays inside the square when a scroll can put it the outer margin inside
// the narrowest view, a recentred one.
void CheckMarkerInside(const MapRun& run) {
  const MapGeometry& geometry = run.geometry;
  if (geometry.marginPx < 0 || geometry.marginOuterPx > 2 * geometry.halfWidth - 2)
    return;
  const MapBox& square = run.view.plotBox;
  Check(run.view.lastMarkerX >= square.left && run.view.lastMarkerX <= square.right);
  Check(run.view.lastMarkerY >= square.top && run.view.lastMarkerY <= square.bottom);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static const DrawingResources drawing = CreateDrawingResources();
  ByteStream in(data, size);
  MapRun run(in.Byte() % 4 == 0 ? CURVE_WINDOW : SMALL_CURVE_WINDOW);
  ReadSettings(run, in);

  // A run's positions are measured from its first fix, which therefore lies at the origin.
  PlanePoint position;
  {
    MapScene scene = run.Scene(drawing);
    PlotPosition(run.dc, scene, false, position);
  }
  for (int step = 0; step < MAX_STEPS && !in.Done(); ++step) {
    const Step next = ReadStep(in);
    position = next.extreme ? PlanePoint{Pick(EXTREMES, static_cast<std::uint8_t>(next.north)),
                                         Pick(EXTREMES, static_cast<std::uint8_t>(next.east))}
                            : PlanePoint{position.north + next.north * next.metresPerStep,
                                         position.east + next.east * next.metresPerStep};
    {
      MapScene scene = run.Scene(drawing);
      PlotPosition(run.dc, scene, next.store, position);
    }
    if (next.store)
      run.recorded.push_back(position);
    CheckMarkerInside(run);
    if (next.external)
      AddExternal(run, position);
    if (next.command)
      RunCommand(run, in, drawing);
    CheckInvariants(run);
  }
  return 0;
}
