#include "app/MainRoutine.h"

#include "app/MainWindow.h"
#include "display/MapOptionsWindow.h"
#include "display/ProfileOptionsWindow.h"
#include "gps/GpsMonitorWindow.h"
#include "logging/LoggingWindow.h"
#include "resources/DialogTemplates.h"
#include "resources/Menus.h"

namespace gradlog {

using namespace platform;

namespace {

constexpr char MAIN_CLASS[] = "EM61";

}  // namespace

int RegisterWindowClasses(AppState& app) {
  if (!RegisterClass({.name = MAIN_CLASS,
                      .procedure = [&app](const Message& m) { return MainWindowProc(app, m); },
                      .background = GetStockBrush(StockObject::LightGrayBrush)})) {
    return MAIN_CLASS_FAILED;
  }
  if (!RegisterMapOptionsClass(app.config, app.display) ||
      !RegisterLoggingClasses(app.loggingRun) || !RegisterGpsMonitorClass(app.gpsMonitorRun) ||
      !RegisterProfileOptionsClass(app.config, app.display)) {
    return OTHER_CLASS_FAILED;
  }
  return 0;
}

Hwnd CreateMainWindow(AppState& app) {
  const Hwnd main = CreateWindow(
      {.className = MAIN_CLASS,
       .title = "EM31",
       .style = WS_VISIBLE,
       .rect = {0, 0, app.display.layout.screenWidth, app.display.layout.screenHeight}});
  if (main)
    UpdateWindow(main);
  return main;
}

int RunMainRoutine(AppState& app, const std::function<void(Hwnd)>& mainWindowReady) {
  RegisterDialogTemplates();
  RegisterMenus();
  if (const int failed = RegisterWindowClasses(app); failed != 0)
    return failed;
  const Hwnd main = CreateMainWindow(app);
  if (!main)
    return MAIN_WINDOW_FAILED;
  if (mainWindowReady)
    mainWindowReady(main);
  return RunMessageLoop();
}

}  // namespace gradlog
