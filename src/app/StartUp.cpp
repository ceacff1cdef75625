#include "app/MainMenu.h"
#include "app/MainWindow.h"
#include "config/SettingsFile.h"
#include "display/DisplayScales.h"
#include "display/DrawingResources.h"
#include "gps/SentenceSelection.h"
#include "platform/sys/SystemServices.h"

namespace gradlog {

using namespace platform;

namespace {

struct ChildWindowSpec {
  const char* className;
  const char* title;
  int id;
  Hwnd MainWindowState::*handle;
};

constexpr ChildWindowSpec CHILD_WINDOWS[] = {
    {"LoggingWnd", "Logging", 4, &MainWindowState::loggingWindow},
    {"MonitorGPSWnd", "Monitor GPS", 3, &MainWindowState::monitorGpsWindow},
    {"DisplayMapOptionsWnd", "Display Map Options", 21, &MainWindowState::mapOptionsWindow},
};

void MeasureSystemFont(AppState& app) {
  WindowDC dc(app.windows.mainWindow);
  const TextMetrics metrics = dc.GetTextMetrics();
  app.display.layout.charHeight = metrics.height;
  app.display.layout.charWidth = metrics.averageCharWidth;
}

void SetLayout(AppState& app) {
  app.display.layout.curveLeft = 4;
  app.display.layout.curveTop = 4;
  app.display.layout.curveWidth = 215;
  app.display.layout.curveHeight = 215;
  app.display.layout.barsHeight = 80;
  app.display.layout.barsWidth = 32;
}

bool CreateChildWindows(AppState& app) {
  for (const ChildWindowSpec& child : CHILD_WINDOWS) {
    const Hwnd window = CreateWindow(
        {.className = child.className,
         .title = child.title,
         .style = WS_CHILD,
         .rect = {0, 0, app.display.layout.screenWidth, app.display.layout.screenHeight},
         .parent = app.windows.mainWindow,
         .id = child.id});
    if (!window)
      return false;
    app.windows.*child.handle = window;
  }
  return true;
}

void CreateMainButtons(AppState& app) {
  for (int i = 0; i < MAIN_BUTTON_COUNT; ++i) {
    app.windows.mainButtons[static_cast<std::size_t>(i)] =
        CreateWindow({.className = "BUTTON",
                      .title = std::string(MAIN_BUTTON_TEXTS[static_cast<std::size_t>(i)]),
                      .style = WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON,
                      .rect = MainButtonRect(i),
                      .parent = app.windows.mainWindow,
                      .id = FIRST_MAIN_BUTTON_ID + i});
  }
}

}  // namespace

LRESULT OnMainCreate(AppState& app, const Message& message) {
  app.windows.mainWindow = message.hwnd;
  if (Services().TickCount() > UPTIME_LIMIT_MS)
    app.windows.uptimeExceeded = 1;
  app.display.fonts = CreateFonts();
  MeasureSystemFont(app);
  SetLayout(app);
  InitDisplayScales(app.display, app.config.settings);
  // A missing or outdated file is written by the first load and read back by the second.
  LoadSettings(app.config);
  LoadSettings(app.config);
  const SurveySettings& settings = app.config.settings;
  ApplyDisplaySettings(app.display, settings);
  SelectGpsSentence(app.gps.sentence, settings.gpsDataType);
  app.display.drawing = CreateDrawingResources();
  app.display.mapPens = CreateMapResources(settings);
  app.display.channels = CreateChannelResources(settings);
  if (!CreateChildWindows(app)) {
    DestroyWindow(app.windows.mainWindow);
    return 0;
  }
  CreateMainButtons(app);
  SendMessage(app.windows.mainButtons[static_cast<std::size_t>(app.windows.mainButtonSelection)],
              BM_SETSTYLE, BS_DEFPUSHBUTTON, 1);
  app.keepAlive.Start();
  app.display.mapViewShown = app.config.settings.gpsInput == 1 ? 1 : 0;
  return 0;
}

}  // namespace gradlog
