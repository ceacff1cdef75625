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

void Translate(const InputEvent& event) {
  PlatformState& s = State();
  switch (event.kind) {
    case InputKind::KeyDown:
      PostInputMessage(KeyTarget(), WM_KEYDOWN, event.virtualKey, KeyFlags(event, false));
      break;
    case InputKind::KeyUp:
      PostInputMessage(KeyTarget(), WM_KEYUP, event.virtualKey, KeyFlags(event, true));
      break;
    case InputKind::Char:
      PostInputMessage(KeyTarget(), WM_CHAR, event.character, KeyFlags(event, false));
      break;
    case InputKind::ButtonDown: {
      const Hwnd target = WindowAt(s.topLevel, event.position);
      if (!target || !IsWindowEnabled(target))
        break;
      s.pointerTarget = target;
      const Point client = ClientToScreen(target, {0, 0});
      PostMessage(target, WM_LBUTTONDOWN, 0,
                  MakeLParam(event.position.x - client.x, event.position.y - client.y));
      break;
    }
    case InputKind::ButtonUp: {
      // The release goes where the press went, so a button sees a drag off it.
      const Hwnd target = std::exchange(s.pointerTarget, Hwnd{});
      if (!IsWindow(target))
        break;
      const Point client = ClientToScreen(target, {0, 0});
      PostMessage(target, WM_LBUTTONUP, 0,
                  MakeLParam(event.position.x - client.x, event.position.y - client.y));
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
