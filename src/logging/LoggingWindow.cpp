#include "logging/LoggingWindow.h"

#include "common/BusyWait.h"
#include "common/HandlerTable.h"
#include "common/UserMessages.h"
#include "display/GpsBoxes.h"
#include "display/LoggingLayout.h"
#include "display/LoggingScreen.h"
#include "display/ProfileCurves.h"
#include "display/ProfileReplay.h"
#include "display/SpeedBar.h"
#include "logging/ButtonSets.h"
#include "logging/ConnectionWatchdog.h"
#include "logging/GpsHandlers.h"
#include "logging/GradReadingHandler.h"
#include "logging/LoggingCommands.h"
#include "logging/RunMap.h"
#include "platform/sys/SystemServices.h"

namespace gradlog {

using namespace platform;

namespace {

constexpr int CURVE_ID = 5;
constexpr int SPEEDBAR_ID = 15;
constexpr int BARS_ID = 12;
constexpr int BAR_Y = 28;

Hwnd CreateChild(Hwnd parent, const char* className, int id, const Rect& rect, bool visible) {
  return CreateWindow({.className = className,
                       .style = WS_CHILD | WS_BORDER | (visible ? WS_VISIBLE : 0),
                       .rect = rect,
                       .parent = parent,
                       .id = id});
}

void CreateChildWindows(LoggingRun& run) {
  const ScreenLayout& layout = run.display.layout;
  LoggingWindows& windows = run.logging.windows;
  const Hwnd parent = windows.logging;
  windows.curve = CreateChild(parent, "CurveWnd", CURVE_ID,
                              Rect::FromSize(layout.curveLeft - 1, layout.curveTop - 1,
                                             layout.curveWidth, layout.curveHeight),
                              true);
  windows.speedbar = CreateChild(
      parent, "SpeedbarWnd", SPEEDBAR_ID,
      Rect::FromSize(layout.curveLeft - 1, layout.curveHeight + 17, layout.curveWidth, 6), true);
  const int barX = layout.curveWidth + 6;
  windows.bars =
      CreateChild(parent, "BarsWnd", BARS_ID,
                  Rect::FromSize(barX, BAR_Y, layout.barsWidth, layout.barsHeight), false);
  windows.barQ =
      CreateChild(parent, "BarQWnd", BARS_ID, Rect::FromSize(barX, BAR_Y, 15, 80), false);
  windows.barI =
      CreateChild(parent, "BarIWnd", BARS_ID, Rect::FromSize(barX + 15 + 2, BAR_Y, 15, 80), false);
}

// The dialogs that move the station or rescale the profile redraw through these.
void InstallDisplayHooks(LoggingRun& run) {
  run.display.restartProfileCurves = [&run] { RestartProfileCurves(run.display.curves, false); };
  run.display.redrawStationBox = [&run] {
    WindowDC dc(run.logging.windows.logging);
    ShowStation(dc, run.display, run.config.currentStation);
  };
}

LRESULT OnLoggingCreate(LoggingRun& run, const Message& message) {
  run.logging.windows.logging = message.hwnd;
  {
    WindowDC dc(message.hwnd);
    dc.SelectFont(run.display.fonts.normal);
    run.display.boxes = MeasureLoggingLayout(dc, run.display.fonts, run.display.layout);
  }
  BusyWaitMs(5);
  CreateChildWindows(run);
  CreateButtonSets(run);
  ShowWindow(run.logging.windows.bars, true);
  InstallDisplayHooks(run);
  return 0;
}

LRESULT OnLoggingPaint(LoggingRun& run, const Message& message) {
  {
    PaintDC dc(message.hwnd);
    const std::shared_ptr<DataFile> file = run.dataFile.dataFileHandle.Get();
    const LoggingScreenFacts facts{.recordingState = run.dataFile.recordingState,
                                   .writeFailed = run.logging.writeFailed,
                                   .dataFileOpen = file != nullptr,
                                   .dataFileName = run.dataFile.dataFileName,
                                   .currentStation = run.config.currentStation,
                                   .gpsRecordCount = run.dataFile.gpsRecordCount,
                                   .speed = run.gps.fix.speed};
    PaintLoggingScreen(dc, run.display, run.config.settings, facts);
    // The battery as it is now rather than a placeholder until the next refresh.
    ShowBattery(dc, run.display, Services().Battery());
  }
  // Not while a modal box or dialog is up (the window is then disabled): it would take the
  // keys from the box, which then could never be answered.
  if (IsWindowEnabled(message.hwnd))
    SetFocus(message.hwnd);
  return 0;
}

LRESULT OnLoggingSize(LoggingRun&, const Message&) {
  return 0;
}

// The other instrument families' readers are not built into this program, so their messages
// never arrive from a reader; one that arrives anyway is ignored.
LRESULT IgnoreOtherFamilyReading(LoggingRun&, const Message&) {
  return 0;
}

constexpr HandlerEntry<LoggingRun> LOGGING_HANDLERS[] = {
    {WM_CREATE, OnLoggingCreate},
    {WM_PAINT, OnLoggingPaint},
    {WM_TIMER, OnConnectionWatchdog},
    {WM_COMMAND, OnLoggingCommand},
    {WM_SIZE, OnLoggingSize},
    {UM_EM61MK2_DATA, IgnoreOtherFamilyReading},
    {UM_EM61_DATA, IgnoreOtherFamilyReading},
    {UM_EM_DATA, IgnoreOtherFamilyReading},
    {UM_G823_DATA, IgnoreOtherFamilyReading},
    {UM_GRAD_DATA, OnGradReading},
    {UM_GPS_FIX, OnGpsFix},
    {UM_GPS_GSA, OnGpsGsa},
    {UM_GPS_SENTENCE, OnGpsSentence},
    {UM_TPS_POSITION, OnTotalStationPosition},
    {WM_KEYDOWN, OnLoggingKey},
};

// The window keeps no picture: the profile comes back from the data file, the map from its
// tracks, so that a window uncovered by a dialog never stays blank.
LRESULT PaintCurve(LoggingRun& run, const Message& message) {
  PaintCurveWindow(message.hwnd, run.display, run.config.settings);
  if (run.display.mapViewShown == 0 && run.dataFile.dataFileHandle.Get()) {
    WindowDC dc(message.hwnd);
    ReplayProfileFromDataFile(dc, run.dataFile.dataFilePath, run.display, run.config.settings);
  } else if (run.display.mapViewShown == 1 && run.display.mapView.plotStarted == 1) {
    DrawRunMap(run);
  }
  return 0;
}

LRESULT PaintBars(LoggingRun& run, const Message& message) {
  PaintBarsWindow(message.hwnd, run.display);
  return 0;
}

// The bar shows the last speed, as the speed text does; without position input it stays empty.
LRESULT PaintSpeedbar(LoggingRun& run, const Message& message) {
  PaintDC dc(message.hwnd);
  const SurveySettings& settings = run.config.settings;
  if (settings.gpsInput != 1)
    return 0;
  const float shown = ShownSpeed(run.gps.fix.speed, settings.speedUnits, settings.distanceUnits);
  DrawSpeedBar(dc, run.display,
               SpeedBarWhiteLength(settings.speedMax, shown, run.display.speedPixelsPerUnit,
                                   run.display.layout.curveWidth));
  return 0;
}

struct ChildClass {
  const char* name;
  StockObject background;
  LRESULT (*paint)(LoggingRun&, const Message&);
};

constexpr ChildClass CHILD_CLASSES[] = {
    {"CurveWnd", StockObject::WhiteBrush, PaintCurve},
    {"SpeedbarWnd", StockObject::WhiteBrush, PaintSpeedbar},
    {"BarsWnd", StockObject::WhiteBrush, PaintBars},
    {"BarQWnd", StockObject::WhiteBrush, nullptr},
    {"BarIWnd", StockObject::WhiteBrush, nullptr},
};

}  // namespace

LRESULT LoggingWindowProc(LoggingRun& run, const Message& message) {
  return DispatchByTable<LoggingRun>(LOGGING_HANDLERS, run, message);
}

bool RegisterLoggingClasses(LoggingRun& run) {
  if (!RegisterClass({.name = "LoggingWnd",
                      .procedure = [&run](const Message& m) { return LoggingWindowProc(run, m); },
                      .background = GetStockBrush(StockObject::LightGrayBrush)})) {
    return false;
  }
  for (const ChildClass& child : CHILD_CLASSES) {
    const auto paint = child.paint;
    WindowProc procedure = DefWindowProc;
    if (paint != nullptr) {
      procedure = [&run, paint](const Message& m) {
        return m.message == WM_PAINT ? paint(run, m) : DefWindowProc(m);
      };
    }
    if (!RegisterClass({.name = child.name,
                        .procedure = std::move(procedure),
                        .background = GetStockBrush(child.background)})) {
      return false;
    }
  }
  return true;
}

void RedrawWindowNow(Hwnd window) {
  if (!IsWindow(window))
    return;
  InvalidateRect(window, nullptr, true);
  UpdateWindow(window);
}

void RedrawLoggingScreen(const LoggingRun& run) {
  RedrawWindowNow(run.logging.windows.logging);
  RedrawWindowNow(run.logging.windows.curve);
  RedrawWindowNow(run.logging.windows.bars);
}

}  // namespace gradlog
