#include <atomic>
#include <thread>

#include "WindowTestSupport.h"
#include "platform/ui/ColorChooser.h"
#include "platform/ui/Dialog.h"
#include "platform/ui/FileChooser.h"
#include "platform/ui/Menu.h"
#include "platform/ui/MessageBox.h"

namespace {

using namespace ui_test;

// Runs `call` on a thread of its own while this, the UI thread, serves messages: a call
// that got past the check then finishes (its sends are answered) instead of deadlocking.
void OnAnotherThread(const std::function<void()>& call) {
  std::atomic<bool> finished{false};
  std::thread other([&] {
    call();
    finished = true;
    PostMessage({}, WM_NULL);  // wakes the loop below
  });
  Message m;
  while (!finished && GetMessage(m))
    DispatchMessage(m);
  other.join();
}

using UiThreadTest = HostTest;

// A call that belongs to the UI thread, named as the abort message names it.
using UiCall = std::pair<std::string, std::function<void(Hwnd window)>>;

const Rect SMALL{0, 0, 9, 9};
ColorChooserRequest colorRequest;

std::vector<UiCall> UiCalls() {
  return {
      {"CreateWindow", [](Hwnd) { CreateWindow({.className = "Host", .rect = SMALL}); }},
      {"DestroyWindow", [](Hwnd w) { DestroyWindow(w); }},
      {"ShowWindow", [](Hwnd w) { ShowWindow(w, false); }},
      {"MoveWindow", [](Hwnd w) { MoveWindow(w, SMALL); }},
      {"InvalidateRect", [](Hwnd w) { InvalidateRect(w, nullptr, true); }},
      {"UpdateWindow", [](Hwnd w) { UpdateWindow(w); }},
      {"WindowDC", [](Hwnd w) { WindowDC dc(w); }},
      {"PaintDC", [](Hwnd w) { PaintDC dc(w); }},
      {"SetFocus", [](Hwnd) { SetFocus({}); }},
      {"GetFocus", [](Hwnd) { GetFocus(); }},
      {"SetWindowText", [](Hwnd w) { SetWindowText(w, "Moved"); }},
      {"GetWindowText", [](Hwnd w) { GetWindowText(w); }},
      {"FindWindow", [](Hwnd) { FindWindow("Host", ""); }},
      {"SetTimer", [](Hwnd w) { SetTimer(w, 1, 100); }},
      {"KillTimer", [](Hwnd w) { KillTimer(w, 1); }},
      {"DialogBox", [](Hwnd w) { DialogBox("Absent", w, [](const Message&) { return false; }); }},
      {"MessageBox", [](Hwnd w) { MessageBox(w, "Text", "Caption", MB_OK); }},
      {"TrackPopupMenu",
       [](Hwnd w) {
         TrackPopupMenu({{{"&Item", 1}}}, {100, 0}, w);
       }},
      {"ChooseFile", [](Hwnd w) { ChooseFile(w, {}); }},
      {"ChooseColor", [](Hwnd w) { ChooseColor(w, colorRequest); }},
  };
}

class UiCallOffThreadTest : public UiThreadTest, public ::testing::WithParamInterface<UiCall> {};

TEST_P(UiCallOffThreadTest, AbortsNamingTheCall) {
  // Each death test starts the program afresh: forking one that holds threads is unsafe.
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  const UiCall& c = GetParam();
  EXPECT_DEATH(OnAnotherThread([&] { c.second(window); }),
               "gradlog: " + c.first + " called from a thread other than the UI thread");
}

INSTANTIATE_TEST_SUITE_P(WindowsTimersAndDialogs, UiCallOffThreadTest,
                         ::testing::ValuesIn(UiCalls()),
                         [](const ::testing::TestParamInfo<UiCall>& info) {
                           return info.param.first;
                         });

TEST_F(UiThreadTest, PostAndSendFromAnotherThreadPassAndArriveAPostedPayloadAsACopy) {
  constexpr std::uint32_t UM_POST = WM_USER + 1, UM_SEND = WM_USER + 2;
  std::string received;
  host.hook = [&](const Message& m) -> LRESULT {
    if (m.message == UM_POST)
      received = std::any_cast<std::string>(m.payload);
    return m.message == UM_SEND ? 42 : 0;
  };
  std::optional<LRESULT> sent;
  OnAnotherThread([&] { sent = SendMessage(window, UM_SEND); });
  std::thread([&] {
    std::string line = "$PBAR,1.0,2.0";
    PostMessage(window, UM_POST, 0, 0, line);
    line.assign("overwritten");  // before the UI thread takes the message
  }).join();
  PumpMessages();
  EXPECT_EQ(sent, 42);
  EXPECT_EQ(host.Count(UM_SEND), 1);
  EXPECT_EQ(received, "$PBAR,1.0,2.0");
}

TEST(UiThreadOwnerTest, IsTheThreadThatMadeThePlatformNotTheMainThread) {
  bool worked = false;
  std::thread maker([&] {
    testing_support::TestPlatform test;
    RegisterClass(
        {.name = "Plain", .procedure = [](const Message& m) { return DefWindowProc(m); }});
    const Hwnd window = MakeTopLevel("Plain", SMALL);
    worked = ShowWindow(window, false) && SetTimer(window, 1, 100) && KillTimer(window, 1);
  });
  maker.join();
  EXPECT_TRUE(worked);
}

}  // namespace
