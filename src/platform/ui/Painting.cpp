#include "platform/ui/ControlDrawing.h"
#include "platform/ui/Dialog.h"
#include "platform/ui/PlatformState.h"

namespace platform {

namespace {

const Color FRAME_COLOR = Rgb(0, 0, 0);
const Color CAPTION_COLOR = Rgb(0, 0, 128);
const Color CAPTION_TEXT_COLOR = Rgb(255, 255, 255);

// The caption buttons: 16 pixels high, 2 from the bar's edges, the close box rightmost.
constexpr int CAPTION_BUTTON_HEIGHT = 16;
constexpr int CLOSE_BOX_WIDTH = 16;
constexpr int OK_BUTTON_WIDTH = 24;
constexpr int CAPTION_BUTTON_GAP = 2;

int FrameWidth(const WindowData& window) {
  return FrameWidthOf(window.style);
}

int CaptionHeight(const WindowData& window) {
  return CaptionHeightOf(window.style);
}

bool HasCaptionButtons(const WindowData& window) {
  return CaptionHeight(window) != 0 && (window.exStyle & WS_EX_CAPTIONOKBTN) != 0;
}

// In window coordinates (the frame's top-left is 0, 0) of a window `width` pixels wide.
Rect CloseBoxRect(int width) {
  const int top = 1 + (CAPTION_HEIGHT - CAPTION_BUTTON_HEIGHT) / 2;
  return Rect::FromSize(width - 1 - CAPTION_BUTTON_GAP - CLOSE_BOX_WIDTH, top, CLOSE_BOX_WIDTH,
                        CAPTION_BUTTON_HEIGHT);
}

Rect OkButtonRect(int width) {
  const Rect close = CloseBoxRect(width);
  return Rect::FromSize(close.left - CAPTION_BUTTON_GAP - OK_BUTTON_WIDTH, close.top,
                        OK_BUTTON_WIDTH, CAPTION_BUTTON_HEIGHT);
}

// A raised button face with the classic 3-D edges.
void DrawCaptionButtonFace(DeviceContext& dc, const Rect& r) {
  dc.FillRect(r, CreateSolidBrush(CONTROL_FACE));
  DrawRaisedEdge(dc, r);
}

// Returns the part of the caption bar left for the title.
Rect DrawCaptionButtons(DeviceContext& dc, const Rect& bar, int width) {
  const Rect ok = OkButtonRect(width);
  DrawCaptionButtonFace(dc, ok);
  Rect okText = ok;
  dc.SelectFont(SystemFont());
  dc.SetTextColor(Rgb(0, 0, 0));
  dc.DrawText("OK", okText, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);

  const Rect close = CloseBoxRect(width);
  DrawCaptionButtonFace(dc, close);
  // The cross: two diagonals, two pixels thick, inside the edges.
  const int inset = 4;
  dc.SelectPen(CreatePen(PenStyle::Solid, 1, Rgb(0, 0, 0)));
  for (int dx = 0; dx < 2; ++dx) {
    dc.MoveTo(close.left + inset + dx, close.top + inset);
    dc.LineTo(close.right - inset + dx, close.bottom - inset);
    dc.MoveTo(close.right - inset - 1 - dx, close.top + inset);
    dc.LineTo(close.left + inset - 1 - dx, close.bottom - inset);
  }
  return {bar.left, bar.top, ok.left - CAPTION_BUTTON_GAP, bar.bottom};
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

int FrameWidthOf(std::uint32_t style) {
  return (style & (WS_BORDER | WS_CAPTION)) != 0 ? 1 : 0;
}

int CaptionHeightOf(std::uint32_t style) {
  return (style & WS_CAPTION) == WS_CAPTION ? CAPTION_HEIGHT : 0;
}

CaptionButton CaptionButtonAt(const WindowData& window, Point screen) {
  if (!HasCaptionButtons(window))
    return CaptionButton::None;
  const Rect whole = WindowScreenRect(window);
  const Point p{screen.x - whole.left, screen.y - whole.top};
  if (OkButtonRect(whole.Width()).Contains(p))
    return CaptionButton::Ok;
  if (CloseBoxRect(whole.Width()).Contains(p))
    return CaptionButton::Close;
  return CaptionButton::None;
}

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
  dc.SetBackgroundMode(BackgroundMode::Transparent);
  const Rect titleBar = HasCaptionButtons(window) ? DrawCaptionButtons(dc, bar, width) : bar;
  dc.SelectFont(CreateFont(13, 700));
  dc.SetTextColor(CAPTION_TEXT_COLOR);
  Rect textRect{titleBar.left + 4, titleBar.top, titleBar.right - 2, titleBar.bottom};
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
  RequireUiThread();
  PaintWindowNow(hwnd);
}

namespace {

// `call` is the device context being made, so that the thread check names it.
Point ClientOrigin(Hwnd hwnd, const char* call = __builtin_FUNCTION()) {
  const WindowData* window = FindWindowData(hwnd, call);
  if (window == nullptr)
    return {};
  const Rect client = ClientScreenRect(*window);
  return {client.left, client.top};
}

Region ClientClip(Hwnd hwnd, const char* call = __builtin_FUNCTION()) {
  RequireUiThread(call);
  State().screenDirty = true;
  return VisibleRegion(hwnd);
}

Region PaintClip(Hwnd hwnd, const char* call = __builtin_FUNCTION()) {
  Region clip = ClientClip(hwnd, call);
  if (const WindowData* window = FindWindowData(hwnd, call)) {
    Region update = window->update;
    const Point origin = ClientOrigin(hwnd, call);
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
