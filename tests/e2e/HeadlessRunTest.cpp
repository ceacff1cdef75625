#include <gtest/gtest.h>

#include "ChildProcess.h"
#include "platform/gfx/Png.h"
#include "support/FirstStartSettings.h"
#include "support/TempFolder.h"

namespace {

platform::Color PixelAt(const platform::Surface& s, int x, int y) {
  return platform::FromPixel(s.At(x, y));
}

TEST(HeadlessRun, FirstStartWritesTheDefaultSettingsAndShowsTheStartScreen) {
  testing_support::TempFolder folder;
  const auto root = folder.Path() / "EMPTY";
  std::filesystem::create_directory(root);
  const auto shot = folder.Path() / "start.png";
  const auto script = folder.Path() / "start.script";
  testing_support::TempFolder::WriteFile(script,
                                         "# first start\nwait 300\nscreenshot " + shot.string() +
                                             "\nexpect Survey Setup\nexpect Version 1.34\nkey X\n");

  EXPECT_EQ(e2e::RunGradlogHeadless(root, script), 0);

  EXPECT_EQ(testing_support::TempFolder::ReadFile(root / "C_DRIVE" / "KELINI" / "Z601CX.INI"),
            testing_support::JoinCrLf(testing_support::FirstStartLines()));
  const std::optional<platform::Surface> picture = platform::ReadPng(shot.string());
  ASSERT_TRUE(picture.has_value());
  EXPECT_EQ(picture->Width(), 320);
  EXPECT_EQ(picture->Height(), 240);
  // Each button's left edge, half-way down: black for the highlighted default button
  // ("&Survey Setup"), the white highlight of a plain button for the others.
  const int bulge[9] = {0, 5, 8, 10, 12, 10, 8, 5, 0};
  for (int i = 0; i < 9; ++i) {
    const int x = 180 + bulge[i];
    const int y = 3 + 26 * i + 12;
    const platform::Color expected = i == 1 ? platform::Rgb(0, 0, 0) : platform::Rgb(255, 255, 255);
    EXPECT_EQ(PixelAt(*picture, x, y), expected) << "button " << i;
    EXPECT_EQ(PixelAt(*picture, x - 1, y), platform::Rgb(192, 192, 192)) << "left of button " << i;
  }
}

TEST(HeadlessRun, HighlightMovesAndExitEndsWithCodeZero) {
  testing_support::TempFolder folder;
  const auto shot = folder.Path() / "moved.png";
  const auto script = folder.Path() / "moved.script";
  testing_support::TempFolder::WriteFile(
      script, "wait 100\nkey Down\nkey Down\nkey Up\nscreenshot " + shot.string() +
                  "\nkey Up\nkey Up\nkey Up\nkey Enter\n");
  EXPECT_EQ(e2e::RunGradlogHeadless(folder.Path(), script), 0);
  const std::optional<platform::Surface> picture = platform::ReadPng(shot.string());
  ASSERT_TRUE(picture.has_value());
  // The highlight stands on "S&ystem Setup" (button 2).
  EXPECT_EQ(PixelAt(*picture, 188, 55 + 12), platform::Rgb(0, 0, 0));
  EXPECT_EQ(PixelAt(*picture, 185, 29 + 12), platform::Rgb(255, 255, 255));
}

TEST(HeadlessRun, AFailedExpectationEndsWithCodeThree) {
  testing_support::TempFolder folder;
  const auto script = folder.Path() / "fail.script";
  testing_support::TempFolder::WriteFile(script, "wait 100\nexpect Nothing like this\nkey X\n");
  EXPECT_EQ(e2e::RunGradlogHeadless(folder.Path(), script), 3);
}

TEST(HeadlessRun, ABrokenScriptIsRefusedBeforeTheProgramStarts) {
  testing_support::TempFolder folder;
  const auto script = folder.Path() / "broken.script";
  testing_support::TempFolder::WriteFile(script, "wait soon\n");
  EXPECT_EQ(e2e::RunGradlogHeadless(folder.Path(), script), 64);
  EXPECT_FALSE(std::filesystem::exists(folder.Path() / "C_DRIVE"));
}

// A typing error in --root must not become a new, empty device with the default settings.
TEST(HeadlessRun, ARootThatDoesNotExistIsRefusedAndNotCreated) {
  testing_support::TempFolder folder;
  const auto script = folder.Path() / "exit.script";
  testing_support::TempFolder::WriteFile(script, "key E\n");
  const auto mistyped = folder.Path() / "DEMO" / "DEVICE";
  EXPECT_EQ(e2e::RunGradlogHeadless(mistyped, script), 64);
  EXPECT_FALSE(std::filesystem::exists(folder.Path() / "DEMO"));
}

TEST(HeadlessRun, AnUnreadableSettingsFileIsReplacedNotFatal) {
  testing_support::TempFolder folder;
  const auto settings = folder.Path() / "C_DRIVE" / "KELINI" / "Z601CX.INI";
  std::filesystem::create_directories(settings.parent_path());
  testing_support::TempFolder::WriteFile(settings, std::string("\x00\xff garbage \r\n\r\n", 15));
  const auto script = folder.Path() / "garbage.script";
  testing_support::TempFolder::WriteFile(script, "wait 100\nexpect Exit\nkey E\n");
  EXPECT_EQ(e2e::RunGradlogHeadless(folder.Path(), script), 0);
  EXPECT_EQ(testing_support::TempFolder::ReadFile(settings),
            testing_support::JoinCrLf(testing_support::FirstStartLines()));
  // The survey's old file is kept beside the new one.
  EXPECT_EQ(testing_support::TempFolder::ReadFile(settings.string() + ".bad"),
            std::string("\x00\xff garbage \r\n\r\n", 15));
}

}  // namespace
