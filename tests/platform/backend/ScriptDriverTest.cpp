#include <gtest/gtest.h>

#include <set>

#include "EventText.h"
#include "platform/backend/Script.h"
#include "platform/backend/VirtualKeys.h"

namespace platform {
namespace {

using namespace eventtext;

// Records what the driver asks of the program.
class FakeHost : public ScriptHost {
 public:
  void Inject(const InputEvent& event) override { injected.push_back(Describe(event)); }
  bool WriteScreenshot(const std::string& path) override {
    screenshots.push_back(path);
    return screenshotsWork;
  }
  bool IsTextVisible(std::string_view text) override {
    return visibleText.contains(std::string(text));
  }
  void Quit() override { ++quitCount; }
  void Fail(int exitCode, const std::string& message) override {
    failures.push_back(std::to_string(exitCode) + " " + message);
  }

  std::vector<std::string> injected;
  std::vector<std::string> screenshots;
  bool screenshotsWork = true;
  std::set<std::string> visibleText;
  int quitCount = 0;
  std::vector<std::string> failures;
};

std::vector<ScriptCommand> Parse(std::string_view script) {
  ScriptParseResult result = ParseScript(script);
  EXPECT_EQ(result.error, "") << script;
  return std::move(result.commands);
}

const std::vector<std::string> PRESS_A{Down('A'), Char(U'a'), Up('A')};
const std::vector<std::string> PRESS_B{Down('B'), Char(U'b'), Up('B')};

TEST(ScriptDriver, RunsOneCommandPerCall) {
  FakeHost host;
  ScriptDriver driver(Parse("key A\nkey B\n"), host);
  driver.RunDue(50);
  EXPECT_EQ(host.injected, PRESS_A);
  EXPECT_FALSE(driver.Finished());
  driver.RunDue(50);
  std::vector<std::string> both = PRESS_A;
  both.insert(both.end(), PRESS_B.begin(), PRESS_B.end());
  EXPECT_EQ(host.injected, both);
  EXPECT_TRUE(driver.Finished());
  driver.RunDue(50);
  EXPECT_EQ(host.injected, both);
}

TEST(ScriptDriver, WaitDelaysTheNextCommandFromWhenTheWaitRan) {
  FakeHost host;
  ScriptDriver driver(Parse("wait 100\nkey A\nwait 20\nkey B"), host);
  driver.RunDue(1000);
  EXPECT_EQ(driver.NextDueTick(), 1100u);
  driver.RunDue(1099);
  EXPECT_TRUE(host.injected.empty());
  driver.RunDue(1100);
  EXPECT_EQ(host.injected, PRESS_A);
  // The second wait runs late, at 1500, and counts from then.
  driver.RunDue(1500);
  EXPECT_EQ(driver.NextDueTick(), 1520u);
  driver.RunDue(1519);
  EXPECT_EQ(host.injected.size(), PRESS_A.size());
  driver.RunDue(1520);
  EXPECT_EQ(host.injected.size(), PRESS_A.size() + PRESS_B.size());
  EXPECT_TRUE(driver.Finished());
}

TEST(ScriptDriver, WaitsAcrossTheTickWrap) {
  FakeHost host;
  ScriptDriver driver(Parse("wait 500\nkey A"), host);
  driver.RunDue(0xFFFFFF00);
  EXPECT_EQ(driver.NextDueTick(), 0xFFFFFF00u + 500u);
  for (std::uint32_t now : {0xFFFFFF00u, 0xFFFFFFFFu, 0u, 0xF3u}) {
    driver.RunDue(now);
    EXPECT_TRUE(host.injected.empty()) << "ran early at tick " << now;
  }
  driver.RunDue(0xF4);
  EXPECT_EQ(host.injected, PRESS_A);
}

TEST(ScriptDriver, TypeInjectsTheTypedKeys) {
  FakeHost host;
  ScriptDriver driver(Parse("type Hi!"), host);
  driver.RunDue(0);
  const std::vector<std::string> expected{Down(VK_SHIFT, true), Down('H', true), Char(U'H', true),
                                          Up('H', true),        Up(VK_SHIFT),    Down('I'),
                                          Char(U'i'),           Up('I'),         Char(U'!')};
  EXPECT_EQ(host.injected, expected);
}

TEST(ScriptDriver, ClickPressesAndReleasesAtThePoint) {
  FakeHost host;
  ScriptDriver driver(Parse("click 12 34"), host);
  driver.RunDue(0);
  EXPECT_EQ(host.injected, (std::vector<std::string>{Press(12, 34), Release(12, 34)}));
}

TEST(ScriptDriver, QuitAsksTheProgramToCloseAndTheScriptGoesOn) {
  FakeHost host;
  ScriptDriver driver(Parse("quit\nkey Enter"), host);
  driver.RunDue(0);
  EXPECT_EQ(host.quitCount, 1);
  EXPECT_TRUE(host.injected.empty());
  driver.RunDue(0);
  EXPECT_EQ(host.injected, (std::vector<std::string>{Down(VK_RETURN), Char(0x0D), Up(VK_RETURN)}));
}

TEST(ScriptDriver, ExpectPassesWhenTheTextIsVisibleAndFailsWithCode3Otherwise) {
  FakeHost host;
  host.visibleText = {"Logging"};
  ScriptDriver driver(Parse("expect Logging\nexpect Stopped at 5\nkey A"), host);
  driver.RunDue(0);
  EXPECT_TRUE(host.failures.empty());
  driver.RunDue(0);
  EXPECT_EQ(host.failures,
            (std::vector<std::string>{"3 expect: \"Stopped at 5\" is not on the screen"}));
  // A failed script feeds nothing more.
  EXPECT_TRUE(driver.Finished());
  driver.RunDue(0);
  EXPECT_TRUE(host.injected.empty());
}

TEST(ScriptDriver, ScreenshotReportsWhereThePictureWent) {
  FakeHost host;
  ScriptDriver driver(Parse("screenshot shots/one two.png"), host);
  ::testing::internal::CaptureStdout();
  driver.RunDue(0);
  const std::string printed = ::testing::internal::GetCapturedStdout();
  EXPECT_EQ(host.screenshots, (std::vector<std::string>{"shots/one two.png"}));
  EXPECT_EQ(printed, "screenshot: shots/one two.png\n");
  EXPECT_TRUE(host.failures.empty());
}

TEST(ScriptDriver, ScreenshotThatCannotBeWrittenFailsWithCode3) {
  FakeHost host;
  host.screenshotsWork = false;
  ScriptDriver driver(Parse("screenshot /no/such/dir/a.png\nquit"), host);
  ::testing::internal::CaptureStdout();
  driver.RunDue(0);
  EXPECT_EQ(::testing::internal::GetCapturedStdout(), "");
  EXPECT_EQ(host.failures,
            (std::vector<std::string>{"3 screenshot: cannot write /no/such/dir/a.png"}));
  driver.RunDue(0);
  EXPECT_EQ(host.quitCount, 0);
}

TEST(ScriptDriver, KeyCommandWithAnUnknownNameFailsInsteadOfPressingAnything) {
  FakeHost host;
  ScriptCommand command;
  command.kind = ScriptCommandKind::Key;
  command.text = "Hyper";
  ScriptDriver driver({command}, host);
  driver.RunDue(0);
  EXPECT_TRUE(host.injected.empty());
  EXPECT_EQ(host.failures, (std::vector<std::string>{"2 key: unknown key name \"Hyper\""}));
}

TEST(ScriptDriver, EmptyScriptIsFinishedFromTheStart) {
  FakeHost host;
  ScriptDriver driver({}, host);
  EXPECT_TRUE(driver.Finished());
  driver.RunDue(0);
  EXPECT_TRUE(host.injected.empty());
  EXPECT_TRUE(host.failures.empty());
}

}  // namespace
}  // namespace platform
