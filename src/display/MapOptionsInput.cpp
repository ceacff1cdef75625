// The map options window's input: which command, typed character or key runs which action.

#include <any>
#include <cctype>
#include <span>

#include "display/DisplayState.h"
#include "display/MapOptionsInternals.h"

namespace gradlog {

using namespace platform;

namespace {

using Action = void (*)(MapOptionsContext&);

struct InputAction {
  std::uintptr_t input;  // a control id, an upper-case character or a virtual key
  Action action;
};

template <int Item>
void PickColor(MapOptionsContext& context) {
  ChooseMapItemColor(context, Item);
}

void SizeDown(MapOptionsContext& context) {
  StepFocusedMapSize(context, -1);
}

void SizeUp(MapOptionsContext& context) {
  StepFocusedMapSize(context, 1);
}

// In focus order.
constexpr InputAction PUSH_BUTTONS[] = {
    {MAP_OPTIONS_OK_ID, AcceptMapOptions},          {MAP_OPTIONS_CANCEL_ID, CancelMapOptions},
    {MAP_OPTIONS_FIRST_COLOR_ID, PickColor<0>},     {MAP_OPTIONS_FIRST_COLOR_ID + 1, PickColor<1>},
    {MAP_OPTIONS_FIRST_COLOR_ID + 2, PickColor<2>},
};

// Enter runs the focused push button; in a column it has nothing to do.
void Enter(MapOptionsContext& context) {
  const std::int32_t focus = context.display.mapOptions.mapOptionsFocus;
  if (focus >= MAP_FOCUS_OK && focus < MAP_OPTIONS_PUSH_BUTTONS)
    PUSH_BUTTONS[static_cast<std::size_t>(focus)].action(context);
}

constexpr InputAction CHARACTERS[] = {
    {'O', AcceptMapOptions}, {'C', CancelMapOptions},       {'\x1b', CancelMapOptions},
    {'\r', Enter},           {'\t', MoveMapOptionsFocusOn},
};

constexpr InputAction KEYS[] = {
    {VK_LEFT, SizeDown},
    {VK_UP, SizeDown},
    {VK_RIGHT, SizeUp},
    {VK_DOWN, SizeUp},
};

bool Run(std::span<const InputAction> table, std::uintptr_t input, MapOptionsContext& context) {
  for (const InputAction& entry : table) {
    if (entry.input == input) {
      entry.action(context);
      return true;
    }
  }
  return false;
}

// A radio button's id names its column and its size.
void RunSizeButton(MapOptionsContext& context, int id) {
  for (int item = 0; item < MAP_ITEMS_COUNT; ++item) {
    const int size = id - MAP_ITEMS[static_cast<std::size_t>(item)].firstSizeId;
    if (size >= 0 && size < MAP_SIZES_COUNT) {
      SetMapItemSize(context, item, size);
      return;
    }
  }
}

std::uintptr_t UpperCase(WPARAM character) {
  return character < 0x80 ? static_cast<std::uintptr_t>(std::toupper(static_cast<int>(character)))
                          : character;
}

bool TakeKeyDown(Hwnd window) {
  std::any* data = GetWindowData(window);
  if (data == nullptr)
    return false;
  const bool seen = data->has_value() && std::any_cast<bool>(*data);
  *data = false;
  return seen;
}

}  // namespace

void SetMapOptionsKeyDown(Hwnd window, bool down) {
  if (std::any* data = GetWindowData(window))
    *data = down;
}

LRESULT OnMapOptionsInput(MapOptionsContext& context, const Message& message) {
  switch (message.message) {
    case WM_COMMAND: {
      const int id = LowWord(message.wParam);
      if (!Run(PUSH_BUTTONS, static_cast<std::uintptr_t>(id), context))
        RunSizeButton(context, id);
      break;
    }
    case WM_CHAR:
      if (TakeKeyDown(message.hwnd))
        Run(CHARACTERS, UpperCase(message.wParam), context);
      break;
    case WM_KEYDOWN:
      SetMapOptionsKeyDown(message.hwnd, true);
      Run(KEYS, message.wParam, context);
      break;
    case WM_KILLFOCUS:
      SetMapOptionsKeyDown(message.hwnd, false);
      break;
    default:
      break;
  }
  return 0;
}

}  // namespace gradlog
