#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <any>
#include <array>
#include <cctype>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <tuple>
#include <utility>
#include <vector>

#include "platform/backend/EventBuilders.h"
#include "platform/ui/Window.h"
#include "support/TestPlatform.h"

namespace ui_test {

using namespace platform;
using Input = std::vector<InputEvent>;
using Commands = std::vector<std::pair<int, int>>;  // (id, code) of WM_COMMAND

inline Input operator+(Input a, const Input& b) {
  a.insert(a.end(), b.begin(), b.end());
  return a;
}
inline Input Times(int count, const Input& input) {
  Input out;
  for (int i = 0; i < count; ++i)
    out = out + input;
  return out;
}
// Down and up; Backspace also types '\b' between them, as the backends send it.
inline Input Key(std::uint32_t key, bool shift = false, bool alt = false) {
  Input out{KeyEvent(InputKind::KeyDown, key, shift, alt)};
  if (key == VK_BACK)
    out.push_back(CharEvent(U'\b', shift, alt));
  out.push_back(KeyEvent(InputKind::KeyUp, key, shift, alt));
  return out;
}
// A letter or digit key with the character it types.
inline Input Type(char letter) {
  const auto key = static_cast<std::uint32_t>(std::toupper(static_cast<unsigned char>(letter)));
  return {KeyEvent(InputKind::KeyDown, key), CharEvent(char32_t(letter)),
          KeyEvent(InputKind::KeyUp, key)};
}
// Alt held around a letter; the text event a presenter may still send carries no Alt.
inline Input AltLetter(char letter) {
  const auto key = static_cast<std::uint32_t>(std::toupper(static_cast<unsigned char>(letter)));
  return {KeyEvent(InputKind::KeyDown, VK_MENU, false, true),
          KeyEvent(InputKind::KeyDown, key, false, true), CharEvent(char32_t(letter)),
          KeyEvent(InputKind::KeyUp, key, false, true), KeyEvent(InputKind::KeyUp, VK_MENU)};
}
inline Input Chars(std::string_view ascii) {
  Input out;
  for (char c : ascii)
    out.push_back(CharEvent(char32_t(c)));
  return out;
}
inline Input Click(Point p) {
  return {PointerEvent(InputKind::ButtonDown, p), PointerEvent(InputKind::ButtonUp, p)};
}
inline Point Centre(const Rect& r) {
  return {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
}

// Where `text` is drawn whole; a failure and an empty rectangle when it is not.
inline Rect TextRect(Surface& screen, std::string_view text) {
  for (const TextTraceEntry& entry : screen.Trace().Entries()) {
    if (entry.text == text)
      return entry.rect;
  }
  ADD_FAILURE() << "not on screen: " << text;
  return {};
}

// A window class whose procedure records messages, the commands its children send (id,
// code) and the paints, and paints its background only; `hook` may take a message first.
struct RecordingClass {
  std::vector<std::uint32_t> messages;
  Commands commands;
  std::vector<Rect> paintRects;
  std::function<LRESULT(const Message&)> hook;

  void Register(const std::string& name, Color background) {
    RegisterClass({.name = name,
                   .procedure = [this](const Message& m) { return Handle(m); },
                   .background = CreateSolidBrush(background)});
  }

  LRESULT Handle(const Message& m) {
    messages.push_back(m.message);
    if (m.message == WM_COMMAND)
      commands.emplace_back(LowWord(m.wParam), HighWord(m.wParam));
    if (hook) {
      if (LRESULT r = hook(m); r != 0)
        return r;
    }
    if (m.message == WM_PAINT) {
      PaintDC dc(m.hwnd);
      paintRects.push_back(dc.PaintRect());
      return 0;
    }
    return DefWindowProc(m);
  }

  int Count(std::uint32_t message) const {
    return static_cast<int>(std::count(messages.begin(), messages.end(), message));
  }
  int CommandCount(int id, int code) const {
    return static_cast<int>(std::count(commands.begin(), commands.end(), std::pair{id, code}));
  }
};

inline Hwnd MakeTopLevel(const std::string& className, Rect rect, std::uint32_t extraStyle = 0) {
  return CreateWindow({.className = className, .style = WS_VISIBLE | extraStyle, .rect = rect});
}

using Step = std::function<void()>;

class UiTest : public ::testing::Test {
 protected:
  testing_support::TestPlatform test;

  // Queues input for the loop that will serve it.
  void Queue(const Input& input) {
    for (const InputEvent& event : input)
      test.platform->InjectInput(event);
  }
  Step Queued(const Input& input) {
    return [this, input] { Queue(input); };
  }
  // Runs `modal` (a box, dialog, chooser or menu with a loop of its own) and the steps in
  // turn, each once all that the one before queued has been served: a timer set after a step
  // comes only then. A modal still open after the last step fails the test and is ended.
  template <typename Modal>
  auto RunSteps(std::vector<Step> steps, Modal modal) {
    StepRun run{.steps = &steps, .test = this};
    // The class is registered once per platform; each run hands the ticker its own state, so a
    // test may run several modals one after the other.
    RegisterClass({.name = "StepTicker", .procedure = &StepTicker});
    const Hwnd ticker = CreateWindow({.className = "StepTicker", .rect = {0, 0, 1, 1}});
    SetWindowData(ticker, &run);
    Arm(ticker);
    const auto result = modal();
    EXPECT_EQ(run.next, steps.size()) << "ended before its last step";
    DestroyWindow(ticker);
    PumpMessages();  // the key-up of the key that ended it, as the outer loop would
    return result;
  }
  bool Shows(std::string_view text) { return test.Screen().Trace().IsVisible(text); }
  Color At(int x, int y) { return FromPixel(test.Screen().At(x, y)); }

 private:
  struct StepRun {
    std::vector<Step>* steps = nullptr;
    std::size_t next = 0;
    UiTest* test = nullptr;
  };

  static LRESULT StepTicker(const Message& m) {
    if (m.message != WM_TIMER)
      return DefWindowProc(m);
    StepRun& run = *std::any_cast<StepRun*>(*GetWindowData(m.hwnd));
    if (run.next < run.steps->size()) {
      (*run.steps)[run.next++]();
      run.test->Arm(m.hwnd);
    } else {
      ADD_FAILURE() << "still open after the last step";
      PostQuitMessage(0);
    }
    return 0;
  }

  void Arm(Hwnd ticker) {
    SetTimer(ticker, 1, 1);
    test.services.Advance(1);
  }
};

// A grey screen-sized window of class "Host".
class HostTest : public UiTest {
 protected:
  RecordingClass host;
  Hwnd window;

  void SetUp() override {
    host.Register("Host", Rgb(192, 192, 192));
    window = MakeTopLevel("Host", {0, 0, 320, 240});
    PumpMessages();
  }
  // A visible child of the host window, its creation served.
  Hwnd MakeChild(const std::string& className, std::uint32_t style, Rect rect, int id = 0,
                 const std::string& text = "") {
    const Hwnd child = CreateWindow({.className = className,
                                     .title = text,
                                     .style = WS_CHILD | WS_VISIBLE | style,
                                     .rect = rect,
                                     .parent = window,
                                     .id = id});
    PumpMessages();
    return child;
  }
  void Inject(const Input& input) {
    Queue(input);
    PumpMessages();
  }
};

}  // namespace ui_test
