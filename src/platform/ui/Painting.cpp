#include "platform/ui/PlatformState.h"

namespace platform {

namespace {

const Color FRAME_COLOR = Rgb(0, 0, 0);
const Color CAPTION_COLOR = Rgb(0, 0, 128);
const Color CAPTION_TEXT_COLOR = Rgb(255, 255, 255);

int FrameWidth(const WindowData& window) {
  return (window.style & (WS_BORDER | WS_CAPTION)) != 0 ? 1 : 0;
}

int CaptionHeight(const WindowData& window) {
  return (window.style & WS_CAPTION) == WS_CAPTION ? CAPTION_HEIGHT : 0;
}

// Subtracts the visible windows of `siblings` that lie above `below` (all of them when
// `below` is null) from the region.
void SubtractWindowsAbove(Region& region, const std::vector<Hwnd>& siblings, Hwnd below) {
  bool above = !below;
  for (Hwnd sibling : siblings) {
    if (sibling == below) {
      above = true;
      continue;
    }
    if (!above)
      continue;
    const WindowData* w = FindWindowData(sibling);
    if (w != nullptr && (w->style & WS_VISIBLE) != 0)
      region.Subtract(WindowScreenRect(*w));
  }
}

void AppendInPaintOrder(Hwnd hwnd, std::vector<Hwnd>& out) {
  out.push_back(hwnd);
  for (Hwnd child : FindWindowData(hwnd)->children)
    AppendInPaintOrder(child, out);
}

}  // namespace

Rect WindowScreenRect(const WindowData& window) {
  Rect r = window.rect;
  if (const WindowData* parent = FindWindowData(window.parent)) {
    const Rect parentClient = ClientScreenRect(*parent);
    r = r.Offset(parentClient.left, parentClient.top);
  }
  return r;
}

Rect ClientScreenRect(const WindowData& window) {
  const Rect r = WindowScreenRect(window);
  const int frame = FrameWidth(window);
  Rect client{r.left + frame, r.top + frame + CaptionHeight(window), r.right - frame,
              r.bottom - frame};
  if (client.right < client.left)
    client.right = client.left;
  if (client.bottom < client.top)
    client.bottom = client.top;
  return client;
}

Region VisibleRegionOf(const WindowData& window, const Rect& area) {
  if (!IsWindowVisible(window.handle))
    return {};
  Region region(area.Intersect(State().screen.Bounds()));
  // Children are above their parent.
  SubtractWindowsAbove(region, window.children, {});
  const WindowData* w = &window;
  while (!region.IsEmpty()) {
    const WindowData* parent = FindWindowData(w->parent);
    if (parent == nullptr) {
      SubtractWindowsAbove(region, State().topLevel, w->handle);
      break;
    }
    region.Intersect(ClientScreenRect(*parent));
    SubtractWindowsAbove(region, parent->children, w->handle);
    w = parent;
  }
  return region;
}

Region VisibleRegion(Hwnd hwnd) {
  const WindowData* window = FindWindowData(hwnd);
  return window ? VisibleRegionOf(*window, ClientScreenRect(*window)) : Region{};
}

std::vector<Hwnd> WindowsInPaintOrder() {
  std::vector<Hwnd> out;
  for (Hwnd top : State().topLevel)
    AppendInPaintOrder(top, out);
  return out;
}

void InvalidateScreenArea(const Rect& area) {
  for (Hwnd hwnd : WindowsInPaintOrder()) {
    WindowData& w = *FindWindowData(hwnd);
    const Rect whole = WindowScreenRect(w);
    if (!whole.Intersects(area) || !IsWindowVisible(hwnd))
      continue;
    const Rect client = ClientScreenRect(w);
    Region shown = VisibleRegionOf(w, area.Intersect(client));
    if (!shown.IsEmpty()) {
      shown.Offset(-client.left, -client.top);
      w.update.Add(shown);
      w.eraseBackground = true;
    }
    if (client != whole && !VisibleRegionOf(w, area.Intersect(whole)).IsEmpty()) {
      w.frameDirty = true;
    }
  }
}

bool NeedsPaint(const WindowData& window) {
  return (!window.update.IsEmpty() || window.frameDirty) && IsWindowVisible(window.handle);
}

void DrawFrame(WindowData& window) {
  window.frameDirty = false;
  const int frame = FrameWidth(window);
  if (frame == 0)
    return;
  const Rect whole = WindowScreenRect(window);
  Region clip = VisibleRegionOf(window, whole);
  clip.Subtract(ClientScreenRect(window));
  if (clip.IsEmpty())
    return;
  State().screenDirty = true;
  DeviceContext dc(State().screen, {whole.left, whole.top}, clip);
  const int width = whole.Width();
  const int height = whole.Height();
  dc.SelectPen(CreatePen(PenStyle::Solid, 1, FRAME_COLOR));
  dc.SelectBrush(GetStockBrush(StockObject::NullBrush));
  dc.Rectangle(0, 0, width, height);
  const int caption = CaptionHeight(window);
  if (caption == 0)
    return;
  Rect bar{1, 1, width - 1, 1 + caption};
  dc.FillRect(bar, CreateSolidBrush(CAPTION_COLOR));
  dc.SelectFont(CreateFont(13, 700));
  dc.SetTextColor(CAPTION_TEXT_COLOR);
  dc.SetBackgroundMode(BackgroundMode::Transparent);
  Rect textRect{bar.left + 4, bar.top, bar.right - 2, bar.bottom};
  dc.DrawText(window.title, textRect, DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
}

void InvalidateRect(Hwnd hwnd, const Rect* rect, bool erase) {
  WindowData* window = FindWindowData(hwnd);
  if (window == nullptr)
    return;
  const Rect client = GetClientRect(hwnd);
  const Rect area = rect ? rect->Intersect(client) : client;
  if (area.IsEmpty())
    return;
  window->update.Add(area);
  window->eraseBackground = window->eraseBackground || erase;
}

void ValidateRect(Hwnd hwnd, const Rect* rect) {
  WindowData* window = FindWindowData(hwnd);
  if (window == nullptr)
    return;
  if (rect == nullptr) {
    window->update.Clear();
    window->eraseBackground = false;
  } else {
    window->update.Subtract(*rect);
  }
}

void PaintWindowNow(Hwnd hwnd) {
  WindowData* window = FindWindowData(hwnd);
  if (window == nullptr || !NeedsPaint(*window))
    return;
  if (window->frameDirty)
    DrawFrame(*window);
  if (window->update.IsEmpty())
    return;
  SendMessage(hwnd, WM_PAINT);
  // A procedure that ignores WM_PAINT must not be asked again and again.
  ValidateRect(hwnd, nullptr);
}

void UpdateWindow(Hwnd hwnd) {
  PaintWindowNow(hwnd);
}

namespace {

Point ClientOrigin(Hwnd hwnd) {
  const WindowData* window = FindWindowData(hwnd);
  if (window == nullptr)
    return {};
  const Rect client = ClientScreenRect(*window);
  return {client.left, client.top};
}

Region ClientClip(Hwnd hwnd) {
  State().screenDirty = true;
  return VisibleRegion(hwnd);
}

Region PaintClip(Hwnd hwnd) {
  Region clip = ClientClip(hwnd);
  if (const WindowData* window = FindWindowData(hwnd)) {
    Region update = window->update;
    const Point origin = ClientOrigin(hwnd);
    update.Offset(origin.x, origin.y);
    clip.Intersect(update);
  }
  return clip;
}

}  // namespace

WindowDC::WindowDC(Hwnd hwnd)
    : DeviceContext(::platform::State().screen, ClientOrigin(hwnd), ClientClip(hwnd)) {}

PaintDC::PaintDC(Hwnd hwnd)
    : DeviceContext(::platform::State().screen, ClientOrigin(hwnd), PaintClip(hwnd)) {
  WindowData* window = FindWindowData(hwnd);
  if (window == nullptr)
    return;
  paintRect_ = window->update.Bounds();
  if (window->eraseBackground && window->background) {
    const Rect client = GetClientRect(hwnd);
    FillRect(client, window->background);
  }
  window->update.Clear();
  window->eraseBackground = false;
}

}  // namespace platform
