#include <string>
#include <string_view>

#include "platform/ui/Controls.h"
#include "platform/ui/PlatformState.h"

namespace platform {

namespace {

constexpr std::uint32_t STATIC_TYPE_MASK = 0x001F;

int LineWidth(DeviceContext& dc, const std::string& line) {
  // DrawText measures without the '&' markers, as it draws.
  Rect r;
  dc.DrawText(line, r, DT_CALCRECT | DT_SINGLELINE);
  return r.Width();
}

// Breaks the text at spaces so that each line fits `width`, as classic static text wraps; a
// word wider than the box keeps a line of its own.
std::string WrapText(DeviceContext& dc, std::string_view text, int width) {
  std::string wrapped;
  std::size_t lineStart = 0;
  while (lineStart <= text.size()) {
    std::size_t lineEnd = text.find('\n', lineStart);
    if (lineEnd == std::string_view::npos)
      lineEnd = text.size();
    std::string_view source = text.substr(lineStart, lineEnd - lineStart);
    if (!source.empty() && source.back() == '\r')
      source.remove_suffix(1);
    std::string current;
    std::size_t wordStart = 0;
    while (wordStart <= source.size()) {
      std::size_t wordEnd = source.find(' ', wordStart);
      if (wordEnd == std::string_view::npos)
        wordEnd = source.size();
      const std::string_view word = source.substr(wordStart, wordEnd - wordStart);
      std::string candidate =
          current.empty() ? std::string(word) : current + ' ' + std::string(word);
      if (!current.empty() && LineWidth(dc, candidate) > width) {
        wrapped += current + '\n';
        candidate = word;
      }
      current = std::move(candidate);
      wordStart = wordEnd + 1;
    }
    wrapped += current;
    lineStart = lineEnd + 1;
    if (lineStart <= text.size())
      wrapped += '\n';
  }
  return wrapped;
}

void PaintStatic(Hwnd hwnd) {
  PaintDC dc(hwnd);
  Rect client = GetClientRect(hwnd);
  dc.FillRect(client, GetStockBrush(StockObject::LightGrayBrush));
  dc.SetBackgroundMode(BackgroundMode::Transparent);
  dc.SetTextColor(IsWindowEnabled(hwnd) ? Rgb(0, 0, 0) : Rgb(128, 128, 128));
  const bool centred = (GetWindowStyle(hwnd) & STATIC_TYPE_MASK) == SS_CENTER;
  dc.DrawText(WrapText(dc, GetWindowText(hwnd), client.Width()), client,
              centred ? DT_CENTER : DT_LEFT);
}

LRESULT StaticProc(const Message& m) {
  switch (m.message) {
    case WM_PAINT:
      PaintStatic(m.hwnd);
      return 0;
    case WM_GETDLGCODE:
      return DLGC_STATIC;
    case WM_ENABLE:
      InvalidateRect(m.hwnd, nullptr, false);
      return 0;
    default:
      // SetWindowText invalidates the whole box already, and a static takes no focus.
      return DefWindowProc(m);
  }
}

}  // namespace

void RegisterStaticClass() {
  RegisterClass({.name = "STATIC", .procedure = StaticProc, .background = nullptr});
}

}  // namespace platform
