#include "app/MainMenu.h"

#include "app/BusyWait.h"
#include "app/KeepAlive.h"
#include "config/SettingsFile.h"
#include "dialogs/GpsPortSetupDialog.h"
#include "dialogs/LoggerSetupDialog.h"
#include "dialogs/SurveySetupDialog.h"
#include "dialogs/SystemSetupDialog.h"

namespace gradlog {

using namespace platform;

namespace {

constexpr int SURVEY_SETUP_COMMAND = 1;
constexpr int SYSTEM_SETUP_COMMAND = 2;
constexpr int LOGGER_SETUP_COMMAND = 3;
constexpr int GPS_PORT_SETUP_COMMAND = 4;

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

void ExitProgram(AppState& app) {
  StopKeepAlive(app);
  BusyWaitMs(100);
  SendMessage(app.mainWindow, WM_CLOSE);
}

}  // namespace

Rect MainButtonRect(int index) {
  const int d = BULGE[static_cast<std::size_t>(index)];
  return Rect::FromSize(180 + d, 3 + 26 * index, 130 - 2 * d, 25);
}

void SelectMainButton(AppState& app, int index) {
  const int old = app.mainButtonSelection;
  if (old >= 0 && old < MAIN_BUTTON_COUNT) {
    SendMessage(app.mainButtons[static_cast<std::size_t>(old)], BM_SETSTYLE, BS_PUSHBUTTON, 1);
  }
  SendMessage(app.mainButtons[static_cast<std::size_t>(index)], BM_SETSTYLE, BS_DEFPUSHBUTTON, 1);
  app.mainButtonSelection = index;
}

void RunMainCommand(AppState& app, int index) {
  // Logging runs, the GPS monitor and the two option windows arrive with the windows they
  // open; until then their buttons do nothing.
  switch (index) {
    case SURVEY_SETUP_COMMAND:
      RunSurveySetupDialog(app, app.mainWindow);
      UpdateWindow(app.mainWindow);
      InvalidateRect(app.mainWindow, nullptr, true);
      SetFocus(app.mainWindow);
      break;
    case SYSTEM_SETUP_COMMAND:
      RunSystemSetupDialog(app, app.mainWindow);
      InvalidateRect(app.mainWindow, nullptr, true);
      break;
    case LOGGER_SETUP_COMMAND:
      RunLoggerSetupDialog(app, app.mainWindow);
      InvalidateRect(app.mainWindow, nullptr, true);
      break;
    case GPS_PORT_SETUP_COMMAND:
      RunGpsPortSetupDialog(app, app.mainWindow);
      SaveSettings(app);
      InvalidateRect(app.mainWindow, nullptr, true);
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
  if (index >= 0 && index < MAIN_BUTTON_COUNT)
    RunMainCommand(app, index);
  return 0;
}

LRESULT OnMainKey(AppState& app, const Message& message) {
  if (app.loggingActive != 0)
    return 0;
  const int selection = app.mainButtonSelection;
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
