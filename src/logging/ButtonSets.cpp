#include "logging/ButtonSets.h"

#include <string_view>

#include "logging/LoggingCommand.h"

namespace gradlog {

using namespace platform;

namespace {

constexpr std::array<std::string_view, 4> SET_A_TEXTS{"&File", "Map&Scale", "E&xit", "&Menu"};
constexpr std::array<std::string_view, 4> SET_B_TEXTS{"&Go", "&QLine", "E&xit", "&Menu"};
constexpr int BUTTON_WIDTH = 60;
constexpr int BUTTON_HEIGHT = 19;
constexpr int PAUSE_HEIGHT = 61;
constexpr int FIRST_BUTTON_Y = 28;

Hwnd CreateButton(const LoggingRun& run, std::string_view text, int row, int height, bool visible) {
  const int x = run.display.layout.screenWidth - 62;
  return CreateWindow({.className = "BUTTON",
                       .title = std::string(text),
                       .style = WS_CHILD | WS_TABSTOP | BS_PUSHBUTTON | (visible ? WS_VISIBLE : 0),
                       .rect = Rect::FromSize(x, FIRST_BUTTON_Y + 20 * row, BUTTON_WIDTH, height),
                       .parent = run.logging.windows.logging,
                       .id = FIRST_LOGGING_BUTTON_ID + row});
}

void SetStyle(Hwnd button, std::uint32_t style) {
  SendMessage(button, BM_SETSTYLE, style, 1);
}

// The buttons of the set now shown; only "Pause" while recording.
std::span<const Hwnd> ShownSet(const LoggingRun& run) {
  const LoggingWindows& windows = run.logging.windows;
  switch (run.dataFile.recordingState.load()) {
    case 0:
      return windows.setA;
    case -1:
      return windows.setB;
    default:
      return std::span<const Hwnd>(&windows.pause, 1);
  }
}

void ShowAll(std::span<const Hwnd> buttons, bool show) {
  for (const Hwnd button : buttons)
    ShowWindow(button, show);
}

}  // namespace

void CreateButtonSets(LoggingRun& run) {
  LoggingWindows& windows = run.logging.windows;
  for (int row = 0; row < LOGGING_BUTTON_COUNT; ++row) {
    const auto i = static_cast<std::size_t>(row);
    windows.setA[i] = CreateButton(run, SET_A_TEXTS[i], row, BUTTON_HEIGHT, true);
    windows.setB[i] = CreateButton(run, SET_B_TEXTS[i], row, BUTTON_HEIGHT, false);
  }
  windows.pause = CreateButton(run, "Pause", 0, PAUSE_HEIGHT, false);
  run.logging.buttonSelection = 0;
  SetStyle(windows.setA[0], BS_DEFPUSHBUTTON);
}

void ShowButtonSet(LoggingRun& run, std::int32_t recordingState) {
  LoggingWindows& windows = run.logging.windows;
  ShowAll(windows.setA, recordingState == 0);
  ShowAll(windows.setB, recordingState == -1);
  ShowWindow(windows.pause, recordingState == 1);
  for (const auto* set : {&windows.setA, &windows.setB}) {
    for (std::size_t row = 0; row < set->size(); ++row)
      SetStyle((*set)[row], row == 0 ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON);
  }
  SetStyle(windows.pause, BS_DEFPUSHBUTTON);
  run.logging.buttonSelection = 0;
}

void MoveButtonHighlight(LoggingRun& run, int step) {
  const std::span<const Hwnd> buttons = ShownSet(run);
  if (buttons.size() < 2)
    return;
  const int count = static_cast<int>(buttons.size());
  const int old = run.logging.buttonSelection;
  const int next = ((old + step) % count + count) % count;
  SetStyle(buttons[static_cast<std::size_t>(old)], BS_PUSHBUTTON);
  SetStyle(buttons[static_cast<std::size_t>(next)], BS_DEFPUSHBUTTON);
  run.logging.buttonSelection = next;
}

}  // namespace gradlog
