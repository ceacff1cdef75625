#include "gps/GpsMonitorCommands.h"

#include <cstddef>

#include "gps/GpsMonitorList.h"
#include "gps/GpsMonitorReader.h"
#include "gps/GpsMonitorSend.h"
#include "serial/PortSetup.h"

namespace gradlog {

using namespace platform;

namespace {

Hwnd Button(const GpsMonitorState& state, std::int32_t index) {
  return state.windows.buttons[static_cast<std::size_t>(index)];
}

void DiscardPendingBytes(PortLink& link) {
  if (const PortHandle port = link.Port().Get())
    port->Purge(true, true);
}

void Go(GpsMonitor& monitor) {
  GpsMonitorState& state = monitor.state;
  DiscardPendingBytes(monitor.link);
  if (ReaderThread* reader = monitor.link.Reader())
    reader->Resume();
  state.monitorPaused = 0;
  state.monitorRunning = 1;
  ShowRunButtons(state);
  if (state.monitorDefaultButton == MONITOR_GO)
    SetMonitorDefault(state, MONITOR_PAUSE);
  SetFocus(state.windows.monitor);
}

void Pause(GpsMonitor& monitor) {
  GpsMonitorState& state = monitor.state;
  if (ReaderThread* reader = monitor.link.Reader())
    reader->Suspend();
  state.monitorPaused = 1;
  DiscardPendingBytes(monitor.link);
  state.monitorRunning = 0;
  ShowRunButtons(state);
  if (state.monitorDefaultButton == MONITOR_PAUSE)
    SetMonitorDefault(state, MONITOR_GO);
  SetFocus(state.windows.monitor);
}

// The command field may have been edited in place: the question starts from what it shows.
void Send(GpsMonitor& monitor) {
  GpsMonitorState& state = monitor.state;
  state.gpsCommandText = GetWindowText(state.windows.commandEdit).substr(0, GPS_COMMAND_TEXT_MAX);
  const std::optional<std::string> answer =
      monitor.askCommand ? monitor.askCommand(state.windows.monitor, state.gpsCommandText)
                         : std::nullopt;
  if (answer) {
    state.gpsCommandText = answer->substr(0, GPS_COMMAND_TEXT_MAX);
    SetWindowText(state.windows.commandEdit, state.gpsCommandText);
    if (const std::optional<std::string> failure =
            WriteGpsCommand(monitor.link, state.gpsCommandText, state.monitorPaused == 1)) {
      AppendMonitorLine(state.windows.list, SEND_FAILED_TEXT + *failure);
    }
  }
  SetFocus(state.windows.monitor);
}

void Exit(GpsMonitor& monitor) {
  const Hwnd window = monitor.state.windows.monitor;
  monitor.link.Stop();
  ShowWindow(window, false);
  SetFocus(GetParent(window));
}

}  // namespace

void OpenGpsMonitor(GpsMonitor& monitor) {
  // One reader at a time: a reader left from before goes with its port.
  monitor.link.Stop();
  const SurveySettings& settings = monitor.config.settings;
  if (settings.gpsInput == 1 &&
      OpenGpsPort(monitor.link.Port(), settings, monitor.state.windows.monitor)) {
    StartMonitorReading(monitor);
  }
  ShowGpsMonitor(monitor);
}

void StartMonitorReading(GpsMonitor& monitor) {
  StartGpsMonitorReader(monitor.link, monitor.state.windows.monitor);
  if (monitor.state.monitorPaused == 1)
    monitor.link.Reader()->Suspend();
}

void ShowGpsMonitor(GpsMonitor& monitor) {
  const Hwnd window = monitor.state.windows.monitor;
  ShowWindow(window, true);
  BringWindowToTop(window);
  SetFocus(window);
}

void RunMonitorAction(GpsMonitor& monitor, std::int32_t action) {
  switch (action) {
    case MONITOR_GO:
      Go(monitor);
      break;
    case MONITOR_PAUSE:
      Pause(monitor);
      break;
    case MONITOR_SEND:
      Send(monitor);
      break;
    case MONITOR_EXIT:
      Exit(monitor);
      break;
    default:
      break;
  }
}

void MoveMonitorDefault(GpsMonitorState& state) {
  const std::int32_t hidden = state.monitorRunning == 1 ? MONITOR_GO : MONITOR_PAUSE;
  std::int32_t next = (state.monitorDefaultButton + 1) % MONITOR_BUTTON_COUNT;
  if (next == hidden)
    next = (next + 1) % MONITOR_BUTTON_COUNT;
  SetMonitorDefault(state, next);
}

void SetMonitorDefault(GpsMonitorState& state, std::int32_t index) {
  const std::int32_t old = state.monitorDefaultButton;
  if (old >= 0 && old < MONITOR_BUTTON_COUNT)
    SendMessage(Button(state, old), BM_SETSTYLE, BS_PUSHBUTTON, 1);
  SendMessage(Button(state, index), BM_SETSTYLE, BS_DEFPUSHBUTTON, 1);
  state.monitorDefaultButton = index;
}

void ShowRunButtons(const GpsMonitorState& state) {
  const bool running = state.monitorRunning == 1;
  const Hwnd shown = Button(state, running ? MONITOR_PAUSE : MONITOR_GO);
  const Hwnd hidden = Button(state, running ? MONITOR_GO : MONITOR_PAUSE);
  ShowWindow(hidden, false);
  EnableWindow(hidden, false);
  ShowWindow(shown, true);
  EnableWindow(shown, true);
}

}  // namespace gradlog
