#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/backend/Script.h"
#include "platform/ui/Controls.h"
#include "platform/ui/Dialog.h"
#include "support/TestPlatform.h"

namespace gradlog::testing {

// Drives a modal dialog as a person would. The input is queued before the dialog opens and
// its loop takes it in order; a check runs once everything typed before it has been handled
// and painted, and gets the dialog's window. A dialog still open after the last key fails
// the test and is closed, so that no test waits for ever.
class DialogScript {
 public:
  explicit DialogScript(testing_support::TestPlatform& test) : test_(test) {
    using namespace platform;
    RegisterClass({.name = "DialogScriptWnd",
                   .procedure = [](const Message& m) -> LRESULT {
                     if (m.message != WM_TIMER)
                       return DefWindowProc(m);
                     std::any_cast<DialogScript*>(*GetWindowData(m.hwnd))->Step();
                     return 0;
                   },
                   .background = nullptr});
    watcher_ = CreateWindow({.className = "DialogScriptWnd", .rect = {0, 0, 320, 240}});
    SetWindowData(watcher_, this);
  }

  // As a person types: each character with its key going down and up.
  DialogScript& Type(std::string_view text) { return Queue(platform::TypeEvents(text)); }
  DialogScript& Press(std::uint32_t key, int times = 1) {
    for (int i = 0; i < times; ++i)
      Queue({{.kind = platform::InputKind::KeyDown, .virtualKey = key},
             {.kind = platform::InputKind::KeyUp, .virtualKey = key}});
    return *this;
  }
  DialogScript& Tab(int times = 1) { return Press(platform::VK_TAB, times); }
  DialogScript& Ok() { return Press(platform::VK_RETURN); }
  DialogScript& Cancel() { return Press(platform::VK_ESCAPE); }
  DialogScript& Check(std::function<void(platform::Hwnd dialog)> check) {
    stages_.back().check = std::move(check);
    stages_.emplace_back();
    return *this;
  }

  // Queues the input up to the first check and arms the checks; returns an owner window.
  platform::Hwnd Start() {
    Inject(stages_[0].input);
    platform::SetTimer(watcher_, 1, 1);
    test_.services.Advance(1);
    return watcher_;
  }

  // A check that the control `id` shows `text`.
  static std::function<void(platform::Hwnd)> Shows(int id, std::string text) {
    return [id, text](platform::Hwnd dialog) {
      EXPECT_EQ(platform::GetDlgItemText(dialog, id), text) << "control " << id;
    };
  }

 private:
  struct Stage {
    std::vector<platform::InputEvent> input;
    std::function<void(platform::Hwnd)> check;
  };

  DialogScript& Queue(const std::vector<platform::InputEvent>& input) {
    stages_.back().input.insert(stages_.back().input.end(), input.begin(), input.end());
    return *this;
  }

  void Inject(const std::vector<platform::InputEvent>& input) {
    for (const platform::InputEvent& event : input)
      test_.platform->InjectInput(event);
  }

  static platform::Hwnd OpenDialog() {
    using namespace platform;
    Hwnd w = GetFocus();
    while (IsWindow(w) && GetClassName(w) != "Dialog")
      w = GetParent(w);
    return IsWindow(w) ? w : Hwnd{};
  }

  void Step() {
    const platform::Hwnd dialog = OpenDialog();
    const Stage& stage = stages_[at_];
    if (!stage.check || !dialog) {
      platform::KillTimer(watcher_, 1);
      EXPECT_FALSE(dialog) << "the dialog is still open after the last key";
      EXPECT_FALSE(stage.check) << "the dialog closed before check " << at_ + 1;
      if (dialog)
        platform::PostMessage(dialog, platform::WM_CLOSE);
      return;
    }
    stage.check(dialog);
    Inject(stages_[++at_].input);
    test_.services.Advance(1);
  }

  testing_support::TestPlatform& test_;
  platform::Hwnd watcher_;
  std::vector<Stage> stages_{1};
  std::size_t at_ = 0;
};

}  // namespace gradlog::testing
