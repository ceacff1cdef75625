#pragma once

#include <functional>
#include <string>
#include <vector>

#include "platform/ui/Window.h"
#include "support/TestPlatform.h"

namespace ui_test {

// A window class whose procedure records messages and paints its background only, with a
// hook for the message a test cares about.
struct RecordingClass {
  std::vector<std::uint32_t> messages;
  std::vector<platform::Rect> paintRects;
  std::function<platform::LRESULT(const platform::Message&)> hook;

  void Register(const std::string& name, platform::Color background) {
    platform::RegisterClass({.name = name,
                             .procedure = [this](const platform::Message& m) { return Handle(m); },
                             .background = platform::CreateSolidBrush(background)});
  }

  platform::LRESULT Handle(const platform::Message& m) {
    messages.push_back(m.message);
    if (hook) {
      if (platform::LRESULT r = hook(m); r != 0)
        return r;
    }
    if (m.message == platform::WM_PAINT) {
      platform::PaintDC dc(m.hwnd);
      paintRects.push_back(dc.PaintRect());
      return 0;
    }
    return platform::DefWindowProc(m);
  }

  int Count(std::uint32_t message) const {
    int n = 0;
    for (std::uint32_t m : messages)
      n += m == message ? 1 : 0;
    return n;
  }
};

inline platform::Hwnd MakeTopLevel(const std::string& className, platform::Rect rect,
                                   std::uint32_t extraStyle = 0) {
  return platform::CreateWindow(
      {.className = className, .style = platform::WS_VISIBLE | extraStyle, .rect = rect});
}

inline platform::Color ScreenColor(platform::Surface& screen, int x, int y) {
  return platform::FromPixel(screen.At(x, y));
}

}  // namespace ui_test
