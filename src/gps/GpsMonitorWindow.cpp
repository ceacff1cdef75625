#include "gps/GpsMonitorWindow.h"

#include <any>
#include <array>
#include <cstddef>

#include "common/HandlerTable.h"
#include "common/UserMessages.h"
#include "gps/GpsMonitorCommands.h"
#include "gps/GpsMonitorList.h"
#include "gps/GpsMonitorReader.h"
#include "platform/ui/Controls.h"

namespace gradlog {

using namespace platform;

namespace {

struct ChildSpec {
  const char* className;
  const char* text;
  int id;
  int x;
  int y;  // from the top, or up from the bottom of the window when `fromBottom`
  bool fromBottom;
  int width;
  int height;
  std::uint32_t style;
};

constexpr std::uint32_t BUTTON_STYLE = WS_CHILD | WS_TABSTOP | BS_PUSHBUTTON;

// "&Go" and "&Pause" share their place; only one of them is shown at a time.
constexpr ChildSpec CHILDREN[] = {
    {"Listbox", "  ", MONITOR_LIST_ID, 10, 10, false, 300, 170,
     WS_CHILD | WS_VISIBLE | WS_BORDER | WS_VSCROLL | LBS_EXTENDEDSEL},
    {"edit", "", MONITOR_COMMAND_EDIT_ID, 10, 54, true, 300, 22,
     WS_CHILD | WS_VISIBLE | WS_BORDER | ES_AUTOHSCROLL},
    {"BUTTON", "&Go", MONITOR_FIRST_BUTTON_ID + MONITOR_GO, 10, 28, true, 98, 24,
     BUTTON_STYLE | WS_DISABLED},
    {"BUTTON", "&Pause", MONITOR_FIRST_BUTTON_ID + MONITOR_PAUSE, 10, 28, true, 98, 24,
     BUTTON_STYLE | WS_VISIBLE},
    {"BUTTON", "&Send", MONITOR_FIRST_BUTTON_ID + MONITOR_SEND, 110, 28, true, 98, 24,
     BUTTON_STYLE | WS_VISIBLE},
    {"BUTTON", "E&xit", MONITOR_FIRST_BUTTON_ID + MONITOR_EXIT, 210, 28, true, 98, 24,
     BUTTON_STYLE | WS_VISIBLE},
};

// The keys of the actions; Enter presses the default button, TAB moves it.
struct ActionKey {
  WPARAM key;
  std::int32_t action;
};
constexpr ActionKey ACTION_KEYS[] = {
    {'g', MONITOR_GO},   {'G', MONITOR_GO},   {'p', MONITOR_PAUSE}, {'P', MONITOR_PAUSE},
    {'s', MONITOR_SEND}, {'S', MONITOR_SEND}, {'x', MONITOR_EXIT},  {'X', MONITOR_EXIT},
};
constexpr WPARAM ENTER_KEY = 13;
constexpr WPARAM TAB_KEY = 9;

void CreateChildren(GpsMonitorState& state, Hwnd window) {
  const int height = GetClientRect(window).Height();
  for (const ChildSpec& child : CHILDREN) {
    const int y = child.fromBottom ? height - child.y : child.y;
    CreateWindow({.className = child.className,
                  .title = child.text,
                  .style = child.style,
                  .rect = Rect::FromSize(child.x, y, child.width, child.height),
                  .parent = window,
                  .id = child.id});
  }
  GpsMonitorWindows& windows = state.windows;
  windows.list = GetDlgItem(window, MONITOR_LIST_ID);
  windows.commandEdit = GetDlgItem(window, MONITOR_COMMAND_EDIT_ID);
  for (std::int32_t i = 0; i < MONITOR_BUTTON_COUNT; ++i)
    windows.buttons[static_cast<std::size_t>(i)] = GetDlgItem(window, MONITOR_FIRST_BUTTON_ID + i);
}

LRESULT OnMonitorCreate(GpsMonitor& monitor, const Message& message) {
  GpsMonitorState& state = monitor.state;
  state.windows.monitor = message.hwnd;
  CreateChildren(state, message.hwnd);
  SendMessage(state.windows.commandEdit, EM_LIMITTEXT, GPS_COMMAND_TEXT_MAX);
  SetWindowText(state.windows.commandEdit, state.gpsCommandText);
  ShowRunButtons(state);
  SetMonitorDefault(state, state.monitorDefaultButton);
  return 0;
}

// The window itself shows only its background; the keys come to it, unless the operator is
// typing in the command field or a modal box over it holds them.
LRESULT OnMonitorPaint(GpsMonitor&, const Message& message) {
  { PaintDC dc(message.hwnd); }
  if (IsWindowEnabled(message.hwnd) && GetParent(GetFocus()) != message.hwnd)
    SetFocus(message.hwnd);
  return 0;
}

LRESULT OnMonitorCommand(GpsMonitor& monitor, const Message& message) {
  RunMonitorAction(monitor,
                   static_cast<std::int32_t>(LowWord(message.wParam)) - MONITOR_FIRST_BUTTON_ID);
  return 0;
}

LRESULT OnMonitorChar(GpsMonitor& monitor, const Message& message) {
  if (message.wParam == TAB_KEY) {
    MoveMonitorDefault(monitor.state);
    return 0;
  }
  if (message.wParam == ENTER_KEY) {
    RunMonitorAction(monitor, monitor.state.monitorDefaultButton);
    return 0;
  }
  for (const ActionKey& key : ACTION_KEYS) {
    if (key.key == message.wParam) {
      RunMonitorAction(monitor, key.action);
      return 0;
    }
  }
  return 0;
}

LRESULT OnMonitorSize(GpsMonitor&, const Message&) {
  return 0;
}

LRESULT OnMonitorLine(GpsMonitor& monitor, const Message& message) {
  if (const auto* line = std::any_cast<GpsMonitorLine>(&message.payload))
    AppendMonitorLine(monitor.state.windows.list, line->text);
  return 0;
}

constexpr HandlerEntry<GpsMonitor> MONITOR_HANDLERS[] = {
    {WM_CREATE, OnMonitorCreate}, {WM_PAINT, OnMonitorPaint}, {WM_COMMAND, OnMonitorCommand},
    {WM_CHAR, OnMonitorChar},     {WM_SIZE, OnMonitorSize},   {UM_GPS_MONITOR_LINE, OnMonitorLine},
};

}  // namespace

LRESULT MonitorGpsWindowProc(GpsMonitor& monitor, const Message& message) {
  return DispatchByTable<GpsMonitor>(MONITOR_HANDLERS, monitor, message);
}

bool RegisterGpsMonitorClass(GpsMonitor& monitor) {
  return RegisterClass(
      {.name = "MonitorGPSWnd",
       .procedure = [&monitor](const Message& m) { return MonitorGpsWindowProc(monitor, m); },
       .background = GetStockBrush(StockObject::LightGrayBrush)});
}

}  // namespace gradlog
