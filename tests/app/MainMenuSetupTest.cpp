#include <gtest/gtest.h>

#include <filesystem>

#include "app/AppState.h"
#include "app/MainRoutine.h"
#include "dialogs/DialogTestBase.h"
#include "platform/backend/Script.h"

namespace gradlog {
namespace {

using namespace platform;

class MainMenuSetupTest : public testing::DialogTestBase {
 protected:
  void SetUp() override {
    ASSERT_EQ(RegisterWindowClasses(*state), 0);
    ASSERT_TRUE(CreateMainWindow(*state));
    PumpMessages();
  }
  void TearDown() override { state->keepAlive.Stop(); }

  std::unique_ptr<AppState> state = std::make_unique<AppState>();
};

// Each command key opens its dialog over the disabled start screen, which gets its input back
// afterwards; GPS Port Setup saves the settings once more, even after Cancel.
TEST_F(MainMenuSetupTest, SetupKeysOpenTheirDialogs) {
  struct Case {
    std::uint32_t key;
    const char* title;
  };
  for (const Case& c : {Case{'S', "Survey Setup"}, Case{'Y', "System Setup"},
                        Case{'O', "Logger Setup"}, Case{'G', "GPS Port Setup"}}) {
    SCOPED_TRACE(c.title);
    std::filesystem::remove(root.SettingsPath());
    testing::DialogScript answer(test);
    answer
        .Check([&](Hwnd dialog) {
          EXPECT_EQ(GetWindowText(dialog), c.title);
          EXPECT_FALSE(IsWindowEnabled(state->windows.mainWindow));
        })
        .Cancel();
    test.platform->InjectInput({.kind = InputKind::KeyDown, .virtualKey = c.key});
    answer.Start();
    PumpMessages();
    EXPECT_TRUE(IsWindowEnabled(state->windows.mainWindow));
    EXPECT_EQ(GetFocus(), state->windows.mainWindow);
    EXPECT_EQ(std::filesystem::exists(root.SettingsPath()), c.key == 'G');
  }
}

TEST_F(MainMenuSetupTest, TheKeyThatOpensADialogTypesNothingIntoIt) {
  testing::DialogScript answer(test);
  answer.Check([&](Hwnd dialog) { EXPECT_EQ(GetDlgItemText(dialog, 624), "0"); })
      .Type("7")
      .Check([&](Hwnd dialog) { EXPECT_EQ(GetDlgItemText(dialog, 624), "7"); })
      .Cancel();
  const std::vector<InputEvent> press = KeyPressEvents("s").value();  // down, character, up
  for (const InputEvent& event : press)
    test.platform->InjectInput(event);
  answer.Start();
  PumpMessages();
  EXPECT_EQ(state->config.settings.surveyLine, "0");
}

}  // namespace
}  // namespace gradlog
