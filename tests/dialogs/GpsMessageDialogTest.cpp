#include "dialogs/GpsMessageDialog.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "dialogs/DialogTestBase.h"
#include "gps/GpsMonitorState.h"
#include "resources/ControlIds.h"

namespace gradlog {
namespace {

using testing::DialogScript;
namespace ids = controls::gps_message;

class GpsMessageDialogTest : public testing::DialogTestBase {};

// The field opens with the current command selected, so typing replaces it.
TEST_F(GpsMessageDialogTest, OkGivesTheFieldAtMostAHundredCharactersAndCancelNothing) {
  const std::string longCommand = "$PASHS," + std::string(110, 'A');
  struct Case {
    const char* what;
    std::string typed;
    bool ok;
    std::optional<std::string> result;
  };
  const Case cases[] = {
      {"a new command", "$PASHS,NME,GGA,A,ON", true, "$PASHS,NME,GGA,A,ON"},
      {"the offered command kept", "", true, DEFAULT_GPS_COMMAND},
      {"a long command cut", longCommand, true, longCommand.substr(0, GPS_COMMAND_TEXT_MAX)},
      {"cancelled", "$PASHS,NME,GGA,A,ON", false, std::nullopt},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    DialogScript script(test);
    script.Check(DialogScript::Shows(ids::MESSAGE_EDIT, DEFAULT_GPS_COMMAND))
        .Check([](platform::Hwnd dialog) {
          EXPECT_EQ(platform::GetWindowText(dialog), "GPS Message");
        })
        .Type(c.typed);
    c.ok ? script.Ok() : script.Cancel();
    EXPECT_EQ(RunGpsMessageDialog(script.Start(), DEFAULT_GPS_COMMAND), c.result);
    platform::PumpMessages();  // the release of the key that closed it
  }
}

}  // namespace
}  // namespace gradlog
