#include <gtest/gtest.h>

#include <map>

#include "ChildProcess.h"
#include "support/FirstStartSettings.h"

namespace {

using testing_support::TempFolder;

// The start-screen commands driven as a person would, headless, against the settings file.
TEST(SetupDialogsRun, OkStoresWhatTheDialogShowsAndCancelNothing) {
  const std::string toStationIncrement =
      "key S\nexpect Stn Increment\nkey Tab\nkey Tab\nkey Tab\nkey Tab\nkey Tab\n";
  struct Case {
    const char* what;
    std::string steps;
    std::map<std::size_t, std::string> saved;  // by line index (line number - 1)
  };
  const Case cases[] = {
      {"a cleared station increment shows 1.000 once the focus leaves it",
       toStationIncrement +
           "type 25\nexpect 25\nkey Backspace\nkey Backspace\nkey Tab\nexpect 1.000\nkey Enter\n",
       {{46, "1.000000"}, {49, "1.000000"}}},  // and the reading interval is stored
      {"a station increment starting with zero is saved as typed",
       toStationIncrement + "type 0.25\nkey Enter\n",
       {{46, "0.250000"}}},
      {"the storage card without a card stores the internal drive",
       "key O\nexpect Data Storage\nkey Tab\nkey Down\nkey Tab\nkey Tab\nkey Tab\nkey Tab\n"
       "key Down\nexpect Storage Card\nkey Enter\n",
       {{3, "1"}, {55, "0"}}},  // distance units, the dialog's other choice, stored too
      {"data-type labels follow the list (from GGA/GSA), and cancel leaves the file alone",
       "key G\nexpect GPS Port Setup\nkey Tab\nkey Down\nkey Down\nkey Down\nkey Down\nkey Down\n"
       "expect GLL\nexpect N/A\nkey Up\nkey Up\nkey Up\nkey Up\nexpect HDOP\nexpect Satellites\n"
       "expect Quality\nkey Escape\n",
       {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    TempFolder folder;
    const std::filesystem::path settings = folder.Path() / "C_DRIVE" / "KELINI" / "Z601CX.INI";
    const std::string firstStart = testing_support::JoinCrLf(testing_support::FirstStartLines());
    TempFolder::WriteFile(settings, firstStart);
    ASSERT_EQ(e2e::RunGradlogHeadless(folder.Path(), "wait 300\n" + c.steps + "wait 200\nkey X\n"),
              0);
    const std::string text = TempFolder::ReadFile(settings);
    if (c.saved.empty()) {
      EXPECT_EQ(text, firstStart);
    }
    std::vector<std::string> lines;
    for (std::size_t start = 0, end; (end = text.find("\r\n", start)) != std::string::npos;
         start = end + 2)
      lines.push_back(text.substr(start, end - start));
    ASSERT_EQ(lines.size(), testing_support::FirstStartLines().size());
    for (const auto& [index, value] : c.saved)
      EXPECT_EQ(lines[index], value) << "line " << index + 1;
  }
}

}  // namespace
