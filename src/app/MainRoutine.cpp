#include "app/MainRoutine.h"

#include "app/MainWindow.h"

namespace gradlog {

using namespace platform;

namespace {

constexpr char kMainClass[] = "EM61";

struct ClassSpec {
  const char* name;
  StockObject background;
};

// The windows that later work gives their behaviour; until then they paint their background
// and nothing more.
constexpr ClassSpec kChildClasses[] = {
    {"MonitorGPSWnd", StockObject::LightGrayBrush},
    {"DisplayMapOptionsWnd", StockObject::LightGrayBrush},
    {"LoggingWnd", StockObject::LightGrayBrush},
    {"CurveWnd", StockObject::WhiteBrush},
    {"BarsWnd", StockObject::WhiteBrush},
    {"BarQWnd", StockObject::WhiteBrush},
    {"BarIWnd", StockObject::WhiteBrush},
    {"SpeedbarWnd", StockObject::WhiteBrush},
    {"DisplayOptionsWnd", StockObject::LightGrayBrush},
};

}  // namespace

int RegisterWindowClasses(AppState& app) {
  if (!RegisterClass({.name = kMainClass,
                      .procedure = [&app](const Message& m) { return MainWindowProc(app, m); },
                      .background = GetStockBrush(StockObject::LightGrayBrush)})) {
    return kMainClassFailed;
  }
  for (const ClassSpec& spec : kChildClasses) {
    if (!RegisterClass({.name = spec.name,
                        .procedure = DefWindowProc,
                        .background = GetStockBrush(spec.background)})) {
      return kOtherClassFailed;
    }
  }
  return 0;
}

Hwnd CreateMainWindow(AppState& app) {
  const Hwnd main = CreateWindow({.className = kMainClass,
                                  .title = "EM31",
                                  .style = WS_VISIBLE,
                                  .rect = {0, 0, app.screenWidth, app.screenHeight}});
  if (main) UpdateWindow(main);
  return main;
}

int RunMainRoutine(AppState& app) {
  if (const int failed = RegisterWindowClasses(app); failed != 0) return failed;
  if (!CreateMainWindow(app)) return kMainWindowFailed;
  return RunMessageLoop();
}

}  // namespace gradlog
