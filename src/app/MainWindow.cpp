#include "app/MainWindow.h"

#include "app/MainMenu.h"
#include "common/HandlerTable.h"
#include "common/UserMessages.h"
#include "logging/StopLogging.h"

namespace gradlog {

using namespace platform;

namespace {

constexpr char TASK_BAR_CLASS[] = "HHTaskBar";

// The child windows that cover the whole screen follow its size.
LRESULT OnMainSize(AppState& app, const Message&) {
  const Rect full{0, 0, app.display.layout.screenWidth, app.display.layout.screenHeight};
  MoveWindow(GetDlgItem(app.windows.mainWindow, 3), full);
  MoveWindow(GetDlgItem(app.windows.mainWindow, 4), full);
  return 0;
}

LRESULT OnMainDestroy(AppState&, const Message&) {
  ShowWindow(FindWindow(TASK_BAR_CLASS, ""), true);
  PostQuitMessage(0);
  return 0;
}

// The window's close button: a run is left as "E&xit" leaves it, with its question.
LRESULT OnMainClose(AppState& app, const Message& message) {
  if (app.logging.loggingActive != 0 && !StopLogging(app.loggingRun, false))
    return 0;
  app.keepAlive.Stop();
  DestroyWindow(message.hwnd);
  return 0;
}

// Told to end from outside (the handheld shutting down, Ctrl+C): a run ends as a confirmed
// "E&xit" ends it, its file closed whole, and the program with it.
LRESULT OnEndProgram(AppState& app, const Message&) {
  if (app.logging.loggingActive != 0)
    EndRun(app.loggingRun);
  ExitProgram(app);
  return 0;
}

constexpr HandlerEntry<AppState> MAIN_HANDLERS[] = {
    {WM_CREATE, OnMainCreate},   {WM_SIZE, OnMainSize},          {WM_DESTROY, OnMainDestroy},
    {WM_COMMAND, OnMainCommand}, {WM_KEYDOWN, OnMainKey},        {WM_PAINT, OnMainPaint},
    {WM_CLOSE, OnMainClose},     {UM_END_PROGRAM, OnEndProgram},
};

}  // namespace

LRESULT MainWindowProc(AppState& app, const Message& message) {
  return DispatchByTable<AppState>(MAIN_HANDLERS, app, message);
}

std::string UptimeWarningText() {
  return "Windows has run for more than 20 days.\r\n"
         "To assure accurate clock operation\r\n"
         "please restart the system.\r\n"
         "Press and hold On/Off key till blue screen\r\n"
         "and \"Warm Reset Detected\" is displayed.";
}

}  // namespace gradlog
