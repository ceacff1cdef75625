#include "display/MapOptionsWindow.h"

#include "common/HandlerTable.h"
#include "config/ConfigState.h"
#include "display/DisplayState.h"
#include "display/MapOptionsInternals.h"
#include "platform/ui/Controls.h"

namespace gradlog {

using namespace platform;

namespace {

// The radio buttons paint their own light-grey background, so the window needs no colour
// message for them.
constexpr HandlerEntry<MapOptionsContext> MAP_OPTIONS_HANDLERS[] = {
    {WM_CREATE, OnMapOptionsCreate}, {WM_PAINT, OnMapOptionsPaint},
    {WM_COMMAND, OnMapOptionsInput}, {WM_KEYDOWN, OnMapOptionsInput},
    {WM_CHAR, OnMapOptionsInput},    {WM_KILLFOCUS, OnMapOptionsInput},
};

struct RadioColumn {
  int x;
  int side;
};
constexpr std::array<RadioColumn, MAP_ITEMS_COUNT> RADIO_COLUMNS{{{16, 14}, {84, 15}, {152, 14}}};

void CreateButton(Hwnd window, const char* text, int id, std::uint32_t style, const Rect& rect) {
  CreateWindow({.className = "BUTTON",
                .title = text,
                .style = WS_CHILD | WS_VISIBLE | WS_TABSTOP | style,
                .rect = rect,
                .parent = window,
                .id = id});
}

// Each column starts a group of its own, so that a click checks within its column only.
void CreateSizeButtons(Hwnd window) {
  for (int item = 0; item < MAP_ITEMS_COUNT; ++item) {
    const RadioColumn& column = RADIO_COLUMNS[static_cast<std::size_t>(item)];
    for (int size = 0; size < MAP_SIZES_COUNT; ++size) {
      CreateButton(window, "", MAP_ITEMS[static_cast<std::size_t>(item)].firstSizeId + size,
                   BS_AUTORADIOBUTTON | (size == 0 ? WS_GROUP : 0u),
                   Rect::FromSize(column.x, MAP_FIRST_ROW_Y + MAP_ROW_STEP * size, column.side,
                                  column.side));
    }
  }
}

void CreatePushButtons(Hwnd window, int screenHeight) {
  const int bottomRow = screenHeight - 34;
  CreateButton(window, "&OK", MAP_OPTIONS_OK_ID, BS_PUSHBUTTON,
               Rect::FromSize(75, bottomRow, 80, 24));
  CreateButton(window, "&Cancel", MAP_OPTIONS_CANCEL_ID, BS_PUSHBUTTON,
               Rect::FromSize(165, bottomRow, 80, 24));
  for (int item = 0; item < MAP_ITEMS_COUNT; ++item) {
    CreateButton(window, "Color", MAP_OPTIONS_FIRST_COLOR_ID + item, BS_PUSHBUTTON,
                 Rect::FromSize(16 + 64 * item, 176, 52, 22));
  }
}

}  // namespace

LRESULT OnMapOptionsCreate(MapOptionsContext& context, const Message& message) {
  MapOptionsState& state = context.display.mapOptions;
  state.window = message.hwnd;
  TakeMapOptionsEdits(state, context.config.settings);
  CreateSizeButtons(message.hwnd);
  CreatePushButtons(message.hwnd, context.display.layout.screenHeight);
  CheckMapSizeButtons(state);
  ShowMapOptionsDefaultButton(state);
  UpdateWindow(message.hwnd);
  return 0;
}

bool RegisterMapOptionsClass(ConfigState& config, DisplayState& display) {
  MapOptionsContext context{config, display};
  return RegisterClass({.name = MAP_OPTIONS_CLASS,
                        .procedure =
                            [context](const Message& message) mutable {
                              return DispatchByTable<MapOptionsContext>(MAP_OPTIONS_HANDLERS,
                                                                        context, message);
                            },
                        .background = GetStockBrush(StockObject::LightGrayBrush)});
}

// The window works on the state its class was registered with.
void OpenMapOptionsWindow(ConfigState& config, DisplayState& display,
                          std::function<void(bool accepted)> onClosed) {
  MapOptionsState& state = display.mapOptions;
  const Hwnd window = state.window;
  if (!IsWindow(window)) {
    if (onClosed)
      onClosed(false);
    return;
  }
  if ((GetWindowStyle(window) & WS_VISIBLE) != 0) {
    // Opened twice: the edits, the backups and the opener of the first opening stay.
    BringWindowToTop(window);
    SetFocus(window);
    return;
  }
  state.onClosed = std::move(onClosed);
  TakeMapOptionsEdits(state, config.settings);
  CheckMapSizeButtons(state);
  ShowMapOptionsDefaultButton(state);
  SetMapOptionsKeyDown(window, false);
  MoveWindow(window, {0, 0, display.layout.screenWidth, display.layout.screenHeight});
  ShowWindow(window, true);
  BringWindowToTop(window);
  SetFocus(window);
}

}  // namespace gradlog
