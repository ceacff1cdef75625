#include "app/DrawingSetup.h"
#include "app/KeepAlive.h"
#include "app/MainMenu.h"
#include "app/MainWindow.h"
#include "config/SettingsFile.h"
#include "display/DisplayScales.h"
#include "gps/SentenceSelection.h"
#include "platform/sys/SystemServices.h"

namespace gradlog {

using namespace platform;

namespace {

struct ChildWindowSpec {
  const char* className;
  const char* title;
  int id;
  Hwnd AppState::*handle;
};

constexpr ChildWindowSpec CHILD_WINDOWS[] = {
    {"LoggingWnd", "Logging", 4, &AppState::loggingWindow},
    {"MonitorGPSWnd", "Monitor GPS", 3, &AppState::monitorGpsWindow},
    {"DisplayMapOptionsWnd", "Display Map Options", 21, &AppState::mapOptionsWindow},
};

void MeasureSystemFont(AppState& app) {
  WindowDC dc(app.mainWindow);
  const TextMetrics metrics = dc.GetTextMetrics();
  app.charHeight = metrics.height;
  app.charWidth = metrics.averageCharWidth;
}

void SetLayout(AppState& app) {
  app.curveLeft = 4;
  app.curveTop = 4;
  app.curveWidth = 215;
  app.curveHeight = 215;
  app.barsHeight = 80;
  app.barsWidth = 32;
}

bool CreateChildWindows(AppState& app) {
  for (const ChildWindowSpec& child : CHILD_WINDOWS) {
    const Hwnd window = CreateWindow({.className = child.className,
                                      .title = child.title,
                                      .style = WS_CHILD,
                                      .rect = {0, 0, app.screenWidth, app.screenHeight},
                                      .parent = app.mainWindow,
                                      .id = child.id});
    if (!window)
      return false;
    app.*child.handle = window;
  }
  return true;
}

void CreateMainButtons(AppState& app) {
  for (int i = 0; i < MAIN_BUTTON_COUNT; ++i) {
    app.mainButtons[static_cast<std::size_t>(i)] =
        CreateWindow({.className = "BUTTON",
                      .title = std::string(MAIN_BUTTON_TEXTS[static_cast<std::size_t>(i)]),
                      .style = WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON,
                      .rect = MainButtonRect(i),
                      .parent = app.mainWindow,
                      .id = FIRST_MAIN_BUTTON_ID + i});
  }
}

}  // namespace

LRESULT OnMainCreate(AppState& app, const Message& message) {
  app.mainWindow = message.hwnd;
  if (Services().TickCount() > UPTIME_LIMIT_MS)
    app.uptimeExceeded = 1;
  CreateFonts(app);
  MeasureSystemFont(app);
  SetLayout(app);
  InitDisplayScales(app);
  // A missing or outdated file is written by the first load and read back by the second.
  LoadSettings(app);
  LoadSettings(app);
  SelectGpsSentence(app);
  CreateDrawingResources(app);
  CreateMapResources(app);
  CreateChannelResources(app);
  if (!CreateChildWindows(app)) {
    DestroyWindow(app.mainWindow);
    return 0;
  }
  CreateMainButtons(app);
  SendMessage(app.mainButtons[static_cast<std::size_t>(app.mainButtonSelection)], BM_SETSTYLE,
              BS_DEFPUSHBUTTON, 1);
  StartKeepAlive(app);
  app.mapViewShown = app.settings.gpsInput == 1 ? 1 : 0;
  return 0;
}

}  // namespace gradlog
