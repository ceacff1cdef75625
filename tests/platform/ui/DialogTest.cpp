#include <atomic>
#include <cstdlib>
#include <thread>

#include "DialogTestSupport.h"

namespace {

using namespace dialog_test;

TEST(DialogUnits, EdgesThatTouchInDialogUnitsTouchInPixels) {
  testing_support::TestPlatform test;
  const Point base = DialogBaseUnits();
  EXPECT_EQ(MapDialogRect({8, 16, 4, 8}), (Rect{2 * base.x, 2 * base.y, 3 * base.x, 3 * base.y}));
  for (int at = 0; at < 60; ++at) {
    const Rect left = MapDialogRect({at, at, 3, 5});
    const Rect right = MapDialogRect({at + 3, at + 5, 7, 7});
    EXPECT_EQ(left.right, right.left) << at;
    EXPECT_EQ(left.bottom, right.top) << at;
  }
}

class DialogBoxTest : public DialogFixture {
 protected:
  void SetUp() override {
    DialogFixture::SetUp();
    RegisterDialogTemplate({.name = "Small", .cx = 100, .cy = 40});
    SetFocus(window);
  }
  // Runs a dialog, and `step` once it has been painted; `hook` takes messages first.
  std::optional<int> RunAndThen(std::string_view name, Hwnd owner, std::function<void(Hwnd)> step,
                                std::function<bool(const Message&)> hook = {}) {
    return RunSteps({[&] { step(FindWindow("Dialog", "")); }},
                    [&] { return DialogBox(name, owner, Procedure(hook)); });
  }
};

TEST_F(DialogBoxTest, TheLargestTemplateFitsCentredAndLargerOrBrokenOnesAreRefused) {
  RegisterDialogTemplate({.name = "Largest", .cx = 176, .cy = 106});
  Rect frame;
  const auto measure = [&](Hwnd dialog) {
    frame = GetWindowRect(dialog);
    EXPECT_EQ(ClientToScreen(dialog, {0, 0}),
              (Point{frame.left + 1, frame.top + 1 + CAPTION_HEIGHT}));
    EndDialog(dialog, IDOK);
  };
  EXPECT_EQ(RunAndThen("Largest", {}, measure), IDOK);
  EXPECT_EQ(frame.Height(), MapDialogRect({0, 0, 176, 106}).Height() + CAPTION_HEIGHT + 2);
  EXPECT_TRUE((Rect{0, 0, 320, 240}).Contains(frame));
  EXPECT_LE(std::abs(frame.left + frame.right - 320), 1);
  EXPECT_LE(std::abs(frame.top + frame.bottom - 240), 1);

  RegisterDialogTemplate({.name = "TooWide", .cx = 240, .cy = 40});
  RegisterDialogTemplate({.name = "TooTall", .cx = 100, .cy = 160});
  RegisterDialogTemplate({.name = "Inverted", .cx = -20, .cy = 40});
  RegisterDialogTemplate(
      {.name = "BadItem", .cx = 100, .cy = 40, .items = {Item("NoSuchClass", "", 5, 0)}});
  for (const char* name : {"Missing", "TooWide", "TooTall", "Inverted", "BadItem"}) {
    int calls = 0;
    const auto count = [&calls](const Message&) { return ++calls > 0; };
    EXPECT_EQ(DialogBox(name, window, count), std::nullopt) << name;
    EXPECT_EQ(calls, 0) << name;
    EXPECT_FALSE(FindWindow("Dialog", "")) << name;
    EXPECT_EQ(GetFocus(), window) << name;
    EXPECT_TRUE(IsWindowEnabled(window)) << name;
  }
}

TEST_F(DialogBoxTest, CreatesTheItemsInitialisesThenShowsAndRestoresTheOwner) {
  const DialogUnitRect list{4, 20, 60, 40};
  RegisterDialogTemplate({.name = "Ports",
                          .title = "Serial ports",
                          .cx = 150,
                          .cy = 80,
                          .items = {Item("STATIC", "&Grad port:", 100, 0, {4, 6, 50, 8}),
                                    {"Listbox", "", 51, WS_TABSTOP, list, {"2400", "4800"}}}});
  auto init = [&](const Message& m) {
    if (m.message != WM_INITDIALOG)
      return false;
    EXPECT_FALSE(IsWindowVisible(m.hwnd));
    EXPECT_FALSE(IsWindowEnabled(window));
    EXPECT_EQ(m.wParam, GetDlgItem(m.hwnd, 51).value);  // the first tab stop
    const Point origin = ClientToScreen(m.hwnd, {0, 0});
    EXPECT_EQ(GetWindowRect(GetDlgItem(m.hwnd, 51)),
              MapDialogRect(list).Offset(origin.x, origin.y));
    EXPECT_EQ(SendDlgItemMessage(m.hwnd, 51, LB_GETCOUNT), 2);
    SetDlgItemText(m.hwnd, 100, "&Grid port:");
    return true;
  };
  auto check = [&](Hwnd dialog) {
    EXPECT_TRUE(Shows("Serial ports") && Shows("Grid port:"));
    EndDialog(dialog, 42);
  };
  EXPECT_EQ(RunAndThen("PORTS", window, check, init), 42);
  EXPECT_FALSE(FindWindow("Dialog", ""));
  EXPECT_TRUE(IsWindowEnabled(window));
  EXPECT_EQ(GetFocus(), window);
}

TEST_F(DialogBoxTest, OkAndCancelEndTheDialogUnlessTheProcedureHandlesThem) {
  constexpr int STILL_OPEN = 99;  // the result of the WM_USER the procedure ends it with
  // Sent on the first tick, with whether the procedure takes IDOK, and the result.
  const std::tuple<const char*, std::uint32_t, WPARAM, bool, int> cases[] = {
      {"OK", WM_COMMAND, MakeWParam(IDOK, BN_CLICKED), false, IDOK},
      {"close", WM_CLOSE, 0, false, IDCANCEL},
      {"OK taken by the procedure", WM_COMMAND, MakeWParam(IDOK, BN_CLICKED), true, STILL_OPEN},
      {"a notification from id 1", WM_COMMAND, MakeWParam(IDOK, EN_CHANGE), false, STILL_OPEN},
  };
  for (const auto& [what, message, wParam, takesOk, result] : cases) {
    commands.clear();
    auto hook = [takesOk = takesOk](const Message& m) {
      if (m.message == WM_USER)
        EndDialog(m.hwnd, STILL_OPEN);
      return m.message == WM_USER || (takesOk && m.message == WM_COMMAND);
    };
    auto send = [message = message, wParam = wParam](Hwnd dialog) {
      SendMessage(dialog, message, wParam);
      PostMessage(dialog, WM_USER);  // never served once the dialog has ended
    };
    EXPECT_EQ(RunAndThen("small", {}, send, hook), result) << what;
    EXPECT_EQ(commands.size(), 1u) << what;
  }
  EXPECT_FALSE(EndDialog({}, 1));
}

TEST_F(DialogBoxTest, TheCaptionOkButtonAndCloseBoxAnswerThePointer) {
  RegisterDialogTemplate(
      {.name = "Grid", .title = "Grid", .cx = 120, .cy = 60, .exStyle = WS_EX_CAPTIONOKBTN});
  auto click = [this](Point down, Point up) {
    Queue({{.kind = InputKind::ButtonDown, .position = down},
           {.kind = InputKind::ButtonUp, .position = up}});
  };
  const auto clicks = [&](Hwnd dialog) {
    const Rect frame = GetWindowRect(dialog);
    const Point okAt = Centre(TextRect(test.Screen(), "OK"));
    const Point closeAt{frame.right - 10, frame.top + 9};
    EXPECT_LT(okAt.y, frame.top + CAPTION_HEIGHT);
    click({frame.left + 20, frame.top + 9}, {frame.left + 20, frame.top + 9});  // title
    click(okAt, closeAt);  // pressed on one button, released on the other
    click(okAt, okAt);
    click(closeAt, closeAt);
    Queue(Key(VK_ESCAPE));  // ends the dialog, with a wrong command, should a click go astray
  };
  const auto result = RunAndThen("grid", {}, clicks, [](const Message& m) {
    return m.message == WM_COMMAND && LowWord(m.wParam) == IDOK;
  });
  EXPECT_EQ(result, IDCANCEL);
  EXPECT_EQ(commands, (Commands{{IDOK, BN_CLICKED}, {IDCANCEL, BN_CLICKED}}));
}

TEST_F(DialogBoxTest, TimersAndSendsFromOtherThreadsKeepRunningWhileItIsUp) {
  host.hook = [](const Message& m) -> LRESULT { return m.message == WM_USER + 5 ? 77 : 0; };
  std::atomic<bool> answered = false;
  std::optional<LRESULT> answer;
  std::thread sender;
  int ticks = 0;
  const auto result = DialogBox("Small", window, [&](const Message& m) {
    if (m.message == WM_INITDIALOG) {
      SetTimer(m.hwnd, 1, 100);
      test.services.Advance(100);
      sender = std::thread([&] {
        answer = SendMessage(window, WM_USER + 5);
        answered = true;
      });
    } else if (m.message == WM_TIMER) {
      ++ticks;
      test.services.Advance(100);
      if (ticks >= 3 && answered)
        EndDialog(m.hwnd, IDOK);
    }
    return m.message == WM_INITDIALOG;
  });
  sender.join();
  EXPECT_EQ(result, IDOK);
  EXPECT_EQ(answer, 77);
  EXPECT_GE(ticks, 3);
}

TEST_F(DialogBoxTest, AQuitEndsItAsCancelAndStaysPendingForTheOuterLoop) {
  const auto result = DialogBox("Small", {}, [](const Message& m) {
    if (m.message == WM_INITDIALOG)
      PostQuitMessage(5);
    return m.message == WM_INITDIALOG;
  });
  EXPECT_EQ(result, IDCANCEL);
  EXPECT_FALSE(FindWindow("Dialog", ""));
  Message m;
  EXPECT_FALSE(GetMessage(m));
  EXPECT_EQ(m.wParam, 5u);
}

}  // namespace
