#include <algorithm>
#include <cctype>

#include "platform/ui/PlatformState.h"

namespace platform {

namespace {

std::string LowerCase(std::string_view text) {
  std::string out(text);
  for (char& c : out)
    c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return out;
}

std::vector<Hwnd>& SiblingList(const WindowData& window) {
  PlatformState& s = State();
  if (WindowData* parent = FindWindowData(window.parent))
    return parent->children;
  return s.topLevel;
}

void RemoveFromSiblings(const WindowData& window) {
  std::vector<Hwnd>& siblings = SiblingList(window);
  siblings.erase(std::remove(siblings.begin(), siblings.end(), window.handle), siblings.end());
}

// Drops the timers and the pending sends of a window that is going away, and releases the
// threads blocked in those sends.
void ForgetWindow(Hwnd hwnd) {
  PlatformState& s = State();
  std::erase_if(s.timers, [hwnd](const TimerData& t) { return t.hwnd == hwnd; });
  {
    std::lock_guard lock(s.mutex);
    std::erase_if(s.sends, [hwnd](const std::shared_ptr<PendingSend>& send) {
      if (send->message.hwnd != hwnd)
        return false;
      send->finished = true;
      return true;
    });
  }
  s.sendDone.notify_all();
  if (s.focus == hwnd)
    s.focus = {};
  if (s.pointerTarget == hwnd)
    s.pointerTarget = {};
}

}  // namespace

WindowData* FindWindowData(Hwnd hwnd, const char* call) {
  RequireUiThread(call);
  if (!hwnd)
    return nullptr;
  PlatformState& s = State();
  auto it = s.windows.find(hwnd.value);
  return it == s.windows.end() ? nullptr : it->second.get();
}

bool RegisterClass(const WindowClass& windowClass) {
  RequireUiThread();
  PlatformState& s = State();
  const std::string key = LowerCase(windowClass.name);
  if (key.empty() || !windowClass.procedure || s.classes.contains(key))
    return false;
  s.classes.emplace(key, windowClass);
  return true;
}

Hwnd CreateWindow(const CreateParams& params) {
  RequireUiThread();
  PlatformState& s = State();
  auto cls = s.classes.find(LowerCase(params.className));
  if (cls == s.classes.end())
    return {};
  if (params.parent && FindWindowData(params.parent) == nullptr)
    return {};

  auto window = std::make_unique<WindowData>();
  window->handle = Hwnd{s.nextHandle++};
  window->className = cls->second.name;
  window->procedure = cls->second.procedure;
  window->background = cls->second.background;
  window->title = params.title;
  window->style = params.style;
  window->id = params.id;
  window->parent = params.parent;
  window->rect = params.rect;
  const Hwnd hwnd = window->handle;
  WindowData& data = *window;
  s.windows.emplace(hwnd.value, std::move(window));
  SiblingList(data).push_back(hwnd);

  const std::optional<LRESULT> created = SendMessage(hwnd, WM_CREATE);
  if (!IsWindow(hwnd))
    return {};
  if (created && *created == -1) {
    DestroyWindow(hwnd);
    return {};
  }
  if (IsWindowVisible(hwnd))
    InvalidateScreenArea(GetWindowRect(hwnd));
  return hwnd;
}

bool DestroyWindow(Hwnd hwnd) {
  WindowData* window = FindWindowData(hwnd);
  if (window == nullptr || window->destroying)
    return false;
  window->destroying = true;
  const bool wasVisible = IsWindowVisible(hwnd);
  const Rect area = WindowScreenRect(*window);
  SendMessage(hwnd, WM_DESTROY);
  window = FindWindowData(hwnd);
  const std::vector<Hwnd> children = window->children;
  for (auto it = children.rbegin(); it != children.rend(); ++it)
    DestroyWindow(*it);
  ForgetWindow(hwnd);
  RemoveFromSiblings(*window);
  State().windows.erase(hwnd.value);
  if (wasVisible)
    InvalidateScreenArea(area);
  return true;
}

bool IsWindow(Hwnd hwnd) {
  return FindWindowData(hwnd) != nullptr;
}

bool ShowWindow(Hwnd hwnd, bool show) {
  WindowData* window = FindWindowData(hwnd);
  if (window == nullptr)
    return false;
  const bool wasShown = (window->style & WS_VISIBLE) != 0;
  if (wasShown == show)
    return wasShown;
  const bool wasVisible = IsWindowVisible(hwnd);
  if (show) {
    window->style |= WS_VISIBLE;
  } else {
    window->style &= ~WS_VISIBLE;
    // Focus inside a hidden window would swallow keys nobody sees.
    for (Hwnd f = State().focus; f; f = GetParent(f)) {
      if (f == hwnd) {
        State().focus = {};
        break;
      }
    }
  }
  if (wasVisible || IsWindowVisible(hwnd))
    InvalidateScreenArea(WindowScreenRect(*window));
  return wasShown;
}

bool IsWindowVisible(Hwnd hwnd) {
  for (WindowData* w = FindWindowData(hwnd); w != nullptr; w = FindWindowData(w->parent)) {
    if ((w->style & WS_VISIBLE) == 0)
      return false;
    if (!w->parent)
      return true;
  }
  return false;
}

bool MoveWindow(Hwnd hwnd, const Rect& rect) {
  WindowData* window = FindWindowData(hwnd);
  if (window == nullptr)
    return false;
  const Rect before = WindowScreenRect(*window);
  const Size oldSize{window->rect.Width(), window->rect.Height()};
  window->rect = rect;
  if (IsWindowVisible(hwnd)) {
    InvalidateScreenArea(before);
    InvalidateScreenArea(WindowScreenRect(*window));
  }
  if (oldSize != Size{rect.Width(), rect.Height()}) {
    const Rect client = GetClientRect(hwnd);
    SendMessage(hwnd, WM_SIZE, 0, MakeLParam(client.Width(), client.Height()));
  }
  return true;
}

bool EnableWindow(Hwnd hwnd, bool enable) {
  WindowData* window = FindWindowData(hwnd);
  if (window == nullptr)
    return false;
  const bool wasDisabled = (window->style & WS_DISABLED) != 0;
  if (enable) {
    window->style &= ~WS_DISABLED;
  } else {
    window->style |= WS_DISABLED;
  }
  if (wasDisabled == enable)
    SendMessage(hwnd, WM_ENABLE, enable ? 1 : 0);
  return wasDisabled;
}

bool IsWindowEnabled(Hwnd hwnd) {
  for (WindowData* w = FindWindowData(hwnd); w != nullptr; w = FindWindowData(w->parent)) {
    if ((w->style & WS_DISABLED) != 0)
      return false;
  }
  return IsWindow(hwnd);
}

Rect GetWindowRect(Hwnd hwnd) {
  WindowData* window = FindWindowData(hwnd);
  return window ? WindowScreenRect(*window) : Rect{};
}

Rect GetClientRect(Hwnd hwnd) {
  WindowData* window = FindWindowData(hwnd);
  if (window == nullptr)
    return {};
  const Rect client = ClientScreenRect(*window);
  return {0, 0, client.Width(), client.Height()};
}

Point ClientToScreen(Hwnd hwnd, Point p) {
  WindowData* window = FindWindowData(hwnd);
  if (window == nullptr)
    return p;
  const Rect client = ClientScreenRect(*window);
  return {p.x + client.left, p.y + client.top};
}

Hwnd GetParent(Hwnd hwnd) {
  WindowData* window = FindWindowData(hwnd);
  return window ? window->parent : Hwnd{};
}

Hwnd GetDlgItem(Hwnd parent, int id) {
  WindowData* window = FindWindowData(parent);
  if (window == nullptr)
    return {};
  for (Hwnd child : window->children) {
    if (FindWindowData(child)->id == id)
      return child;
  }
  return {};
}

int GetDlgCtrlID(Hwnd hwnd) {
  WindowData* window = FindWindowData(hwnd);
  return window ? window->id : 0;
}

std::uint32_t GetWindowStyle(Hwnd hwnd) {
  WindowData* window = FindWindowData(hwnd);
  return window ? window->style : 0;
}

void SetWindowStyle(Hwnd hwnd, std::uint32_t style) {
  if (WindowData* window = FindWindowData(hwnd))
    window->style = style;
}

std::string GetWindowText(Hwnd hwnd) {
  WindowData* window = FindWindowData(hwnd);
  return window ? window->title : std::string();
}

void SetWindowText(Hwnd hwnd, std::string_view text) {
  WindowData* window = FindWindowData(hwnd);
  if (window == nullptr)
    return;
  window->title = text;
  window->frameDirty = true;
  SendMessage(hwnd, WM_SETTEXT);
  InvalidateRect(hwnd, nullptr, true);
}

std::string GetClassName(Hwnd hwnd) {
  WindowData* window = FindWindowData(hwnd);
  return window ? window->className : std::string();
}

Hwnd FindWindow(std::string_view className, std::string_view title) {
  RequireUiThread();
  const std::string wantedClass = LowerCase(className);
  for (Hwnd hwnd : WindowsInPaintOrder()) {
    const WindowData* w = FindWindowData(hwnd);
    if (!wantedClass.empty() && LowerCase(w->className) != wantedClass)
      continue;
    if (!title.empty() && w->title != title)
      continue;
    return hwnd;
  }
  return {};
}

void BringWindowToTop(Hwnd hwnd) {
  WindowData* window = FindWindowData(hwnd);
  if (window == nullptr)
    return;
  std::vector<Hwnd>& siblings = SiblingList(*window);
  if (!siblings.empty() && siblings.back() == hwnd)
    return;
  RemoveFromSiblings(*window);
  siblings.push_back(hwnd);
  if (IsWindowVisible(hwnd))
    InvalidateScreenArea(WindowScreenRect(*window));
}

void SetWindowData(Hwnd hwnd, std::any data) {
  if (WindowData* window = FindWindowData(hwnd))
    window->data = std::move(data);
}

std::any* GetWindowData(Hwnd hwnd) {
  WindowData* window = FindWindowData(hwnd);
  return window ? &window->data : nullptr;
}

Hwnd SetFocus(Hwnd hwnd) {
  RequireUiThread();
  PlatformState& s = State();
  const Hwnd previous = s.focus;
  if (hwnd == previous || (hwnd && !IsWindow(hwnd)))
    return previous;
  s.focus = hwnd;
  if (IsWindow(previous))
    SendMessage(previous, WM_KILLFOCUS, hwnd.value);
  if (IsWindow(hwnd))
    SendMessage(hwnd, WM_SETFOCUS, previous.value);
  FollowFocusWithDefaultButton(s.focus);
  return previous;
}

Hwnd GetFocus() {
  RequireUiThread();
  return State().focus;
}

}  // namespace platform
