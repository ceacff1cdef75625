#include "dialogs/AsciiFileDialog.h"

#include <gtest/gtest.h>

#include "dialogs/DialogTestBase.h"

namespace gradlog {
namespace {

using namespace platform;

class AsciiFileDialogTest : public testing::DialogTestBase {};

TEST_F(AsciiFileDialogTest, OkStoresTheThreeChoicesAndCancelNone) {
  script.Press(VK_END).Tab().Press(VK_HOME).Tab().Press(VK_DOWN, 3).Ok();
  EXPECT_EQ(Run(RunAsciiFileDialog), DIALOG_ACCEPTED);
  const SurveySettings saved = Saved();
  EXPECT_EQ(saved.asciiLongitudeColumn, 9);
  EXPECT_EQ(saved.asciiLatitudeColumn, 0);
  EXPECT_EQ(saved.asciiDelimiter, 3);
  testing::DialogScript cancelling(test);
  cancelling.Press(VK_HOME).Tab().Press(VK_END).Cancel();
  EXPECT_EQ(RunAsciiFileDialog(*app, cancelling.Start()), DIALOG_CANCELLED);
  EXPECT_EQ(app->settings.asciiLongitudeColumn, 9);
  EXPECT_EQ(app->settings.asciiLatitudeColumn, 0);
}

}  // namespace
}  // namespace gradlog
