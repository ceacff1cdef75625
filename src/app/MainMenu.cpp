#include "app/MainMenu.h"

#include <algorithm>

#include "app/MainWindow.h"
#include "common/BusyWait.h"
#include "config/SettingsFile.h"
#include "dialogs/GpsPortSetupDialog.h"
#include "dialogs/LoggerSetupDialog.h"
#include "dialogs/SurveySetupDialog.h"
#include "dialogs/SystemSetupDialog.h"
#include "display/MapOptionsWindow.h"
#include "display/ProfileOptionsWindow.h"
#include "gps/GpsMonitorCommands.h"
#include "logging/LoggingStart.h"
#include "platform/sys/SystemServices.h"
#include "platform/ui/MessageBox.h"

namespace gradlog {

using namespace platform;

namespace {

constexpr int LOGGING_COMMAND = 0;
constexpr int SURVEY_SETUP_COMMAND = 1;
constexpr int SYSTEM_SETUP_COMMAND = 2;
constexpr int LOGGER_SETUP_COMMAND = 3;
constexpr int GPS_PORT_SETUP_COMMAND = 4;
constexpr int MONITOR_GPS_COMMAND = 5;
constexpr int MAP_OPTIONS_COMMAND = 6;
constexpr int PROFILE_OPTIONS_COMMAND = 7;

constexpr std::array<int, MAIN_BUTTON_COUNT> BULGE{0, 5, 8, 10, 12, 10, 8, 5, 0};

// The command a key code starts: a letter counts as its upper-case code or the code 0x20
// above it, which the keyboard also sends for some function and number-pad keys.
int CommandForKey(WPARAM key) {
  static constexpr std::array<std::uint32_t, MAIN_BUTTON_COUNT> LETTERS{'L', 'S', 'Y', 'O', 'G',
                                                                        'N', 'M', 'P', 'X'};
  for (int i = 0; i < MAIN_BUTTON_COUNT; ++i) {
    if (key == LETTERS[i] || key == LETTERS[i] + 0x20)
      return i;
  }
  if (key == 'E' || key == 'e')
    return EXIT_COMMAND;
  return -1;
}

// A clock that has run this long is no longer trusted for a day's records.
void StartLogging(AppState& app) {
  if (Services().TickCount() > UPTIME_LIMIT_MS) {
    MessageBox(app.windows.mainWindow, UptimeWarningText(), "STOP", MB_ICONEXCLAMATION);
    ExitProcess(0);
  }
  StartLoggingRun(app.loggingRun);
}

void OpenProfileOptions(AppState& app) {
  const Hwnd main = app.windows.mainWindow;
  if (!OpenProfileOptionsWindow(app.config, app.display, [main] {
        InvalidateRect(main, nullptr, true);
        SetFocus(main);
      })) {
    DestroyWindow(main);
    return;
  }
  InvalidateRect(main, nullptr, true);
}

// The start screen shows no map to redraw: however the window closes, the keys come back.
void OpenMapOptions(AppState& app) {
  const Hwnd main = app.windows.mainWindow;
  OpenMapOptionsWindow(app.config, app.display, [main](bool) { SetFocus(main); });
}

void OpenMonitorGps(AppState& app) {
  OpenGpsMonitor(app.gpsMonitorRun);
  UpdateWindow(app.windows.mainWindow);
  InvalidateRect(app.windows.mainWindow, nullptr, true);
}

}  // namespace

void ExitProgram(AppState& app) {
  app.keepAlive.Stop();
  BusyWaitMs(100);
  SendMessage(app.windows.mainWindow, WM_CLOSE);
}

Rect MainButtonRect(int index) {
  const int d = BULGE[static_cast<std::size_t>(index)];
  return Rect::FromSize(180 + d, 3 + 26 * index, 130 - 2 * d, 25);
}

void SelectMainButton(AppState& app, int index) {
  const int old = app.windows.mainButtonSelection;
  if (old >= 0 && old < MAIN_BUTTON_COUNT) {
    SendMessage(app.windows.mainButtons[static_cast<std::size_t>(old)], BM_SETSTYLE, BS_PUSHBUTTON,
                1);
  }
  const Hwnd button = app.windows.mainButtons[static_cast<std::size_t>(index)];
  SendMessage(button, BM_SETSTYLE, BS_DEFPUSHBUTTON, 1);
  app.windows.mainButtonSelection = index;
  // The focus frame follows the highlight when a button holds the focus, so that Enter runs
  // the highlighted command.
  const auto& buttons = app.windows.mainButtons;
  if (std::find(buttons.begin(), buttons.end(), GetFocus()) != buttons.end())
    SetFocus(button);
}

void RunMainCommand(AppState& app, int index) {
  switch (index) {
    case LOGGING_COMMAND:
      StartLogging(app);
      break;
    case SURVEY_SETUP_COMMAND:
      RunSurveySetupDialog(app.config, app.dataFile, app.windows.mainWindow);
      UpdateWindow(app.windows.mainWindow);
      InvalidateRect(app.windows.mainWindow, nullptr, true);
      SetFocus(app.windows.mainWindow);
      break;
    case SYSTEM_SETUP_COMMAND:
      RunSystemSetupDialog(app.config, app.windows.mainWindow);
      InvalidateRect(app.windows.mainWindow, nullptr, true);
      break;
    case LOGGER_SETUP_COMMAND:
      RunLoggerSetupDialog(app.config, app.windows.mainWindow);
      InvalidateRect(app.windows.mainWindow, nullptr, true);
      break;
    case GPS_PORT_SETUP_COMMAND:
      RunGpsPortSetupDialog(app.config, app.gps, app.display, app.windows.mainWindow);
      SaveSettings(app.config);
      InvalidateRect(app.windows.mainWindow, nullptr, true);
      break;
    case MONITOR_GPS_COMMAND:
      OpenMonitorGps(app);
      break;
    case MAP_OPTIONS_COMMAND:
      OpenMapOptions(app);
      break;
    case PROFILE_OPTIONS_COMMAND:
      OpenProfileOptions(app);
      break;
    case EXIT_COMMAND:
      ExitProgram(app);
      break;
    default:
      break;
  }
}

LRESULT OnMainCommand(AppState& app, const Message& message) {
  const int index = static_cast<int>(LowWord(message.wParam)) - FIRST_MAIN_BUTTON_ID;
  if (index < 0 || index >= MAIN_BUTTON_COUNT)
    return 0;
  RunMainCommand(app, index);
  // The logging window, the GPS monitor and the map options cover the start screen and keep
  // the focus.
  if (app.logging.loggingActive != 0 || IsWindowVisible(app.windows.monitorGpsWindow) ||
      IsWindowVisible(app.windows.mapOptionsWindow))
    return 0;
  // A click leaves the highlight where the keys put it; the clicked button must not keep the
  // keyboard focus, or Enter would run it instead of the highlighted one.
  if (IsWindow(app.windows.mainWindow))
    SetFocus(app.windows.mainButtons[static_cast<std::size_t>(app.windows.mainButtonSelection)]);
  return 0;
}

LRESULT OnMainKey(AppState& app, const Message& message) {
  if (app.logging.loggingActive != 0)
    return 0;
  const int selection = app.windows.mainButtonSelection;
  switch (message.wParam) {
    case VK_TAB:
    case VK_RIGHT:
    case VK_DOWN:
      SelectMainButton(app, (selection + 1) % MAIN_BUTTON_COUNT);
      return 0;
    case VK_LEFT:
    case VK_UP:
      SelectMainButton(app, (selection + MAIN_BUTTON_COUNT - 1) % MAIN_BUTTON_COUNT);
      return 0;
    case VK_RETURN:
      RunMainCommand(app, selection);
      return 0;
    default:
      break;
  }
  if (const int command = CommandForKey(message.wParam); command >= 0) {
    RunMainCommand(app, command);
  }
  return 0;
}

}  // namespace gradlog
