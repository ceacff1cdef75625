#include <utility>

#include "platform/ui/PlatformState.h"

namespace platform {

namespace {

// The deepest visible window under a screen point, searching from the top of the z-order.
Hwnd WindowAt(const std::vector<Hwnd>& siblings, Point p) {
  for (auto it = siblings.rbegin(); it != siblings.rend(); ++it) {
    const WindowData* w = FindWindowData(*it);
    if (w == nullptr || (w->style & WS_VISIBLE) == 0)
      continue;
    if (!WindowScreenRect(*w).Contains(p))
      continue;
    if (ClientScreenRect(*w).Contains(p)) {
      if (Hwnd child = WindowAt(w->children, p))
        return child;
    }
    return *it;
  }
  return {};
}

// Keys go to the focused window, or to the topmost visible top-level window when nothing
// has the focus.
Hwnd KeyTarget() {
  PlatformState& s = State();
  if (IsWindow(s.focus))
    return s.focus;
  for (auto it = s.topLevel.rbegin(); it != s.topLevel.rend(); ++it) {
    if (IsWindowVisible(*it))
      return *it;
  }
  return {};
}

void PostInputMessage(Hwnd target, std::uint32_t message, WPARAM wParam, LPARAM lParam) {
  // A disabled window (a modal box's owner, say) takes no input.
  if (target && IsWindowEnabled(target))
    PostMessage(target, message, wParam, lParam);
}

// The classic key-message lParam: repeat count 1, bit 29 for Alt, bits 30 and 31 on release.
LPARAM KeyFlags(const InputEvent& event, bool release) {
  LPARAM flags = 1;
  if (event.alt)
    flags |= LPARAM{1} << 29;
  if (release)
    flags |= (LPARAM{1} << 30) | (LPARAM{1} << 31);
  return flags;
}

LPARAM ClientPoint(Hwnd hwnd, Point screen) {
  const Point client = ClientToScreen(hwnd, {0, 0});
  return MakeLParam(screen.x - client.x, screen.y - client.y);
}

// Only key events carry the modifier state: a pointer event or typed text says nothing of
// it.
void NoteKey(const InputEvent& event) {
  PlatformState& s = State();
  s.shiftDown = event.shift;
  s.altDown = event.alt;
  if (event.kind == InputKind::KeyDown)
    s.keysDown.insert(event.virtualKey);
  if (event.kind == InputKind::KeyUp)
    s.keysDown.erase(event.virtualKey);
}

void Translate(const InputEvent& event) {
  PlatformState& s = State();
  switch (event.kind) {
    case InputKind::KeyDown:
      NoteKey(event);
      PostInputMessage(KeyTarget(), WM_KEYDOWN, event.virtualKey, KeyFlags(event, false));
      break;
    case InputKind::KeyUp:
      NoteKey(event);
      PostInputMessage(KeyTarget(), WM_KEYUP, event.virtualKey, KeyFlags(event, true));
      break;
    case InputKind::Char:
      // With Alt held a letter is a command (a mnemonic), not text: no control types it.
      if (!s.altDown && !event.alt)
        PostInputMessage(KeyTarget(), WM_CHAR, event.character, KeyFlags(event, false));
      break;
    case InputKind::ButtonDown: {
      const Hwnd target = WindowAt(s.topLevel, event.position);
      if (!target || !IsWindowEnabled(target))
        break;
      s.pointerTarget = target;
      PostMessage(target, WM_LBUTTONDOWN, 0, ClientPoint(target, event.position));
      break;
    }
    case InputKind::PointerMove:
      // A drag belongs to the window that took the press, wherever the pointer goes.
      if (IsWindow(s.pointerTarget))
        PostMessage(s.pointerTarget, WM_MOUSEMOVE, 0, ClientPoint(s.pointerTarget, event.position));
      break;
    case InputKind::ButtonUp: {
      // The release goes where the press went, so a button sees a drag off it.
      const Hwnd target = std::exchange(s.pointerTarget, Hwnd{});
      if (!IsWindow(target))
        break;
      PostMessage(target, WM_LBUTTONUP, 0, ClientPoint(target, event.position));
      break;
    }
    case InputKind::Quit:
      // As the window's close button: the bottom-most top-level window is the program's.
      if (!s.topLevel.empty())
        PostMessage(s.topLevel.front(), WM_CLOSE);
      break;
  }
}

}  // namespace

bool IsKeyDown(std::uint32_t virtualKey) {
  RequireUiThread();
  const PlatformState& s = State();
  switch (virtualKey) {
    case VK_SHIFT:
      return s.shiftDown;
    case VK_MENU:
      return s.altDown;
    default:
      return s.keysDown.contains(virtualKey);
  }
}

bool TranslatePendingInput() {
  PlatformState& s = State();
  std::vector<InputEvent> polled;
  s.backend->PollInput(polled);
  s.pendingInput.insert(s.pendingInput.end(), polled.begin(), polled.end());
  if (s.pendingInput.empty())
    return false;
  // One event at a time: its messages are handled before the next event picks its target,
  // so a key that moves the focus sends the following keys to the new focus.
  const InputEvent event = s.pendingInput.front();
  s.pendingInput.pop_front();
  Translate(event);
  return true;
}

}  // namespace platform
