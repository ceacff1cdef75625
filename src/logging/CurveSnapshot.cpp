#include "logging/CurveSnapshot.h"

namespace gradlog {

using namespace platform;

namespace {

void PutBack(LoggingRun& run) {
  Hwnd curve = run.logging.windows.curve;
  if (!run.logging.curveSnapshot || !IsWindow(curve))
    return;
  Bitmap& snapshot = *run.logging.curveSnapshot;
  BitmapContext source(snapshot);
  WindowDC dc(curve);
  dc.BitBlt(0, 0, snapshot.Width(), snapshot.Height(), source, 0, 0);
}

void Take(LoggingRun& run) {
  Hwnd curve = run.logging.windows.curve;
  if (!IsWindow(curve))
    return;
  const Rect client = GetClientRect(curve);
  Bitmap& snapshot =
      run.logging.curveSnapshot.emplace(client.Width(), client.Height(), Rgb(255, 255, 255));
  BitmapContext target(snapshot);
  WindowDC source(curve);
  target.BitBlt(0, 0, client.Width(), client.Height(), source, 0, 0);
}

}  // namespace

void FreezeCurve(LoggingRun& run) {
  run.logging.curveLiveUpdate = 0;
  if (run.logging.curveSnapshot)
    PutBack(run);
  else
    Take(run);
}

void ThawCurve(LoggingRun& run, CurveEnd end) {
  if (end == CurveEnd::PutBack)
    PutBack(run);
  run.logging.curveSnapshot.reset();
  run.logging.curveLiveUpdate = 1;
}

}  // namespace gradlog
