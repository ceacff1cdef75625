#include <gtest/gtest.h>

#include "ChildProcess.h"
#include "platform/gfx/Png.h"
#include "support/FirstStartSettings.h"

namespace {

using testing_support::TempFolder;
namespace fs = std::filesystem;

TEST(HeadlessRun, FirstStartWritesTheDefaultSettingsAndShowsTheStartScreen) {
  TempFolder folder;
  const fs::path root = folder.Path() / "EMPTY";
  fs::create_directory(root);
  const fs::path shot = folder.Path() / "start.png";
  EXPECT_EQ(
      e2e::RunGradlogHeadless(root, "# first start\nwait 300\nscreenshot " + shot.string() +
                                        "\nexpect Survey Setup\nexpect Version 1.34\nkey X\n"),
      0);
  EXPECT_EQ(TempFolder::ReadFile(root / "C_DRIVE" / "KELINI" / "Z601CX.INI"),
            testing_support::JoinCrLf(testing_support::FirstStartLines()));
  const std::optional<platform::Surface> picture = platform::ReadPng(shot.string());
  ASSERT_TRUE(picture.has_value());
  ASSERT_EQ(picture->Width(), 320);
  ASSERT_EQ(picture->Height(), 240);
  // The left edge of the highlighted default button ("&Survey Setup") is black, that of the
  // plain one above it the white of its highlight (tests/app checks the buttons in full).
  EXPECT_EQ(platform::FromPixel(picture->At(185, 41)), platform::Rgb(0, 0, 0));
  EXPECT_EQ(platform::FromPixel(picture->At(180, 15)), platform::Rgb(255, 255, 255));
}

TEST(HeadlessRun, ExitCodesOfRunsThatFailOrAreRefused) {
  struct Case {
    const char* what;
    const char* root;  // under the test's folder
    const char* script;
    int exitCode;
  };
  const Case cases[] = {
      {"a failed expectation", "", "wait 100\nexpect Nothing like this\nkey X\n", 3},
      {"a broken script", "", "wait soon\n", 64},
      // A typing error in --root must not become a new, empty device with the default settings.
      {"a root that does not exist", "DEMO/DEVICE", "key E\n", 64},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    TempFolder folder;
    EXPECT_EQ(e2e::RunGradlogHeadless(folder.Path() / c.root, c.script), c.exitCode);
    EXPECT_EQ(fs::exists(folder.Path() / "C_DRIVE"), c.exitCode == 3);
    EXPECT_FALSE(fs::exists(folder.Path() / "DEMO"));
  }
}

TEST(HeadlessRun, AnUnreadableSettingsFileIsReplacedNotFatal) {
  TempFolder folder;
  const fs::path settings = folder.Path() / "C_DRIVE" / "KELINI" / "Z601CX.INI";
  const std::string garbage("\x00\xff garbage \r\n\r\n", 15);
  TempFolder::WriteFile(settings, garbage);
  EXPECT_EQ(e2e::RunGradlogHeadless(folder.Path(), "wait 100\nexpect Exit\nkey E\n"), 0);
  EXPECT_EQ(TempFolder::ReadFile(settings),
            testing_support::JoinCrLf(testing_support::FirstStartLines()));
  // The survey's old file is kept beside the new one.
  EXPECT_EQ(TempFolder::ReadFile(settings.string() + ".bad"), garbage);
}

}  // namespace
