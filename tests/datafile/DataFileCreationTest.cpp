#include "datafile/DataFileCreation.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "datafile/RecordText.h"
#include "datafile/RecordWriters.h"
#include "platform/ui/WindowTestSupport.h"
#include "support/TempDeviceRoot.h"

namespace gradlog {
namespace {

namespace fs = std::filesystem;
using namespace ui_test;
using Lines = std::vector<std::string>;
using testing::Shown;

// Letters and digits as typed on the keyboard, each key going down and up.
Input Keys(std::string_view text) {
  Input input;
  for (char c : text)
    input = input + Type(c);
  return input;
}

constexpr char WARNING_TEXT[] = "The file already exisits. Please enter another name";
constexpr char C_FOLDER[] = "C_DRIVE\\DATAZEP601\\";
constexpr char CARD_FOLDER[] = "Storage Card\\DATAZEP601\\";

// The operator at the logging window on 5 December 2026 at 10:20, creating the run's data file
// through the chooser and the message boxes, which the steps of each test answer.
class DataFileCreationTest : public UiTest {
 protected:
  DataFileCreationTest() {
    test.services.SetLocalTime({2026, 12, 5, 6, 10, 20, 0, 0});
    RegisterClass(
        {.name = "LoggingWnd", .procedure = [](const Message& m) { return DefWindowProc(m); }});
    owner = MakeTopLevel("LoggingWnd", {0, 0, 320, 240});
  }

  DataFileOutcome Create(std::vector<Step> steps) {
    return RunSteps(std::move(steps), [&] { return CreateDataFile(*run, config, owner); });
  }
  bool Reopen(std::vector<Step> steps) {
    return RunSteps(std::move(steps), [&] { return ReopenDataFile(*run, owner); });
  }

  // The device path's file under the root.
  fs::path Host(std::string devicePath) const {
    std::replace(devicePath.begin(), devicePath.end(), '\\', '/');
    return root.Path() / devicePath;
  }
  // The file's records, each as its 26 characters with '_' for a space.
  Lines Records(const std::string& devicePath) const {
    const std::string bytes = root.ReadFile(Host(devicePath));
    Lines records;
    for (std::size_t at = 0; at < bytes.size(); at += RECORD_LENGTH)
      records.push_back(Shown(std::string_view(bytes).substr(at, RECORD_LENGTH)));
    return records;
  }
  std::string Markers(const std::string& devicePath) const {
    std::string markers;
    for (const std::string& record : Records(devicePath))
      markers += record[0];
    return markers;
  }

  // What the chooser shows: its title, folder, file type and the name in the edit.
  Step ChooserShows(const std::string& name, const std::string& folder = C_FOLDER,
                    const std::string& type = "ZEP Files (*.601)") {
    return [=, this] {
      ASSERT_TRUE(IsWindow(FindWindow("Dialog", ""))) << "no chooser";
      EXPECT_TRUE(Shows("Create Data File"));
      EXPECT_TRUE(Shows(folder)) << folder;
      EXPECT_TRUE(Shows(type)) << type;
      EXPECT_EQ(GetWindowText(FindWindow("edit", "")), name);
    };
  }
  // The text lines of the message box with this caption, top to bottom; empty when none is open.
  Lines BoxLines(const std::string& caption) {
    const Hwnd box = FindWindow("MessageBoxWnd", caption);
    if (!IsWindow(box))
      return {};
    // Whole inside the box: what is left of the chooser beside it is no part of it.
    const Rect area = GetWindowRect(box);
    std::vector<TextTraceEntry> entries = test.Screen().Trace().EntriesIn(area);
    std::erase_if(entries, [&](const TextTraceEntry& e) { return !area.Contains(e.rect); });
    std::sort(entries.begin(), entries.end(), [](const auto& a, const auto& b) {
      return std::pair(a.rect.top, a.rect.left) < std::pair(b.rect.top, b.rect.left);
    });
    Lines lines;
    for (const TextTraceEntry& e : entries) {
      if (e.text != caption && e.text != "OK" && e.text != "!")
        lines.push_back(e.text);
    }
    return lines;
  }
  // The box that refuses an existing name, answered with Enter.
  Step Warned() {
    return [this] {
      std::string text;
      for (const std::string& line : BoxLines("WARNING"))
        text += (text.empty() ? "" : " ") + line;
      EXPECT_EQ(text, WARNING_TEXT);
      Queue(Key(VK_RETURN));
    };
  }
  // The box that says why no file could be made, answered with Enter.
  Step CannotCreate(const std::string& folder, const std::string& cause) {
    return [=, this] {
      EXPECT_FALSE(IsWindow(FindWindow("Dialog", ""))) << "the chooser is open";
      EXPECT_EQ(BoxLines("Data File"), (Lines{"Cannot create data file", folder, cause}));
      Queue(Key(VK_RETURN));
    };
  }

  void ExpectNoFile() {
    EXPECT_EQ(run->dataFileHandle.Get(), nullptr);
    EXPECT_EQ(run->dataFilePath, "");
    EXPECT_EQ(run->dataFileName, "");
  }

  testing::TempDeviceRoot root;
  const fs::path dir = root.Path() / "C_DRIVE/DATAZEP601";
  Hwnd owner;
  ConfigState config;
  std::unique_ptr<DataFileState> run = std::make_unique<DataFileState>();
};

TEST_F(DataFileCreationTest, TheProposalAcceptedGivesANewFileOfEightRecordsLeftOpen) {
  config.settings.surveyLine = "12";
  const DataFileOutcome outcome = Create({ChooserShows("120510A"), Queued(Key(VK_RETURN))});
  ASSERT_EQ(outcome, DataFileOutcome::Created);
  EXPECT_EQ(run->dataFilePath, "C_DRIVE\\DATAZEP601\\120510A.601");
  EXPECT_EQ(run->dataFileName, "120510A");
  EXPECT_EQ(run->recordingState, -1);
  ASSERT_NE(run->dataFileHandle.Get(), nullptr);
  EXPECT_EQ(run->dataFileHandle.Get()->RecordsWritten(), 8u);
  // Header, line start and clock before any reading.
  const Lines records = Records(run->dataFilePath);
  EXPECT_EQ(Markers(run->dataFilePath), "ZHGLBAZ*");
  EXPECT_EQ(records[0], "ZEP601__W134GPS0_0_2______");
  EXPECT_EQ(records[1], "H_120510A____0.200________");
  EXPECT_EQ(records[3], "L12_______________________");
  EXPECT_EQ(records[6].substr(0, 18), "Z05122026_10:20:00");

  // The file stays open for the run: what is written next follows the opening records.
  EXPECT_TRUE(WriteTextRecord(*run, "FIRST", 'C'));
  EXPECT_EQ(Markers(run->dataFilePath), "ZHGLBAZ*C");
}

TEST_F(DataFileCreationTest, WithoutInstrumentOnTheCardAGxyFileOfAnyLengthOfName) {
  config.settings.instrumentEnabled = 0;
  config.settings.dataStorage = 1;
  const DataFileOutcome outcome =
      Create({ChooserShows("120510A", CARD_FOLDER, "ZEPGXY Files (*.GXY)"),
              Queued(Keys("LONGNAME1234") + Key(VK_RETURN))});
  ASSERT_EQ(outcome, DataFileOutcome::Created);
  EXPECT_EQ(run->dataFilePath, "Storage Card\\DATAZEP601\\LONGNAME1234.GXY");
  EXPECT_EQ(run->dataFileName, "LONGNAME1234");
  EXPECT_EQ(fs::file_size(root.Path() / "Storage Card/DATAZEP601/LONGNAME1234.GXY"), 216u);
  // The header keeps the first 9 characters of the name.
  EXPECT_EQ(Records(run->dataFilePath)[1].substr(0, 11), "H_LONGNAME1");
}

// A link to nothing does not exist for a look at the name, but a new file cannot be made
// there: it too is refused as an existing name.
TEST_F(DataFileCreationTest, AnExistingNameIsRefusedWithAWarningAndLeftAsItWas) {
  const std::string old = "an earlier run\n";
  root.WriteFile(dir / "120510A.601", old);
  root.WriteFile(dir / "OLD.601", old);
  fs::create_symlink(root.Path() / "elsewhere.601", dir / "LINK.601");
  const std::uint32_t start = test.services.TickCount();
  std::uint32_t warnedAt = 0;
  const DataFileOutcome outcome = Create({
      ChooserShows("120510B"),
      Queued(Keys("OLD") + Key(VK_RETURN)),
      [&] { warnedAt = test.services.TickCount(); },
      Warned(),
      Queued(Keys("LINK") + Key(VK_RETURN)),
      Warned(),
      // Again, with a fresh proposal.
      ChooserShows("120510B"),
      Queued(Key(VK_RETURN)),
  });
  ASSERT_EQ(outcome, DataFileOutcome::Created);
  EXPECT_GT(warnedAt - start, 10u) << "the 10 ms before the warning";
  EXPECT_EQ(run->dataFilePath, "C_DRIVE\\DATAZEP601\\120510B.601");
  EXPECT_EQ(root.ReadFile(dir / "OLD.601"), old);
  EXPECT_EQ(root.ReadFile(dir / "120510A.601"), old);
  EXPECT_EQ(fs::file_size(dir / "120510B.601"), 216u);
  EXPECT_FALSE(fs::exists(root.Path() / "elsewhere.601"));
  EXPECT_TRUE(fs::is_symlink(dir / "LINK.601"));
}

TEST_F(DataFileCreationTest, WithAllLettersTakenTheProposalIsRefusedAndAnotherNameTaken) {
  for (char letter = 'A'; letter <= 'Z'; ++letter)
    root.WriteFile(root.Path() / (std::string("C_DRIVE/DATAZEP601/120510") + letter + ".601"), "");
  const DataFileOutcome outcome = Create({
      ChooserShows("120510Z.601"),
      Queued(Key(VK_RETURN)),
      Warned(),
      // The Enter that closed the box is still down as the chooser opens: keys, not bare
      // characters, as a person types.
      ChooserShows("120510Z.601"),
      Queued(Keys("EXTRA") + Key(VK_RETURN)),
  });
  ASSERT_EQ(outcome, DataFileOutcome::Created);
  EXPECT_EQ(run->dataFilePath, "C_DRIVE\\DATAZEP601\\EXTRA.601");
  EXPECT_EQ(fs::file_size(dir / "120510Z.601"), 0u);
}

// Cancelled, or refused by the file system: no file, no handle. Tests run as root, whom file
// modes do not stop: a file stands where a folder should.
TEST_F(DataFileCreationTest, CancelOrAFolderOrNameTheFileSystemRefusesLeavesNoFile) {
  EXPECT_EQ(Create({Queued(Keys("NEW") + Key(VK_ESCAPE))}), DataFileOutcome::Cancelled);
  ExpectNoFile();
  // The data folder was made for the chooser; nothing is in it.
  EXPECT_TRUE(fs::is_empty(dir));

  // A name longer than a folder entry may be passes the chooser but not the file system.
  EXPECT_EQ(Create({Queued(Keys(std::string(300, 'N')) + Key(VK_RETURN)),
                    CannotCreate(C_FOLDER, "File name too long")}),
            DataFileOutcome::Failed);
  ExpectNoFile();
  EXPECT_TRUE(fs::is_empty(dir));

  fs::remove(dir);
  root.WriteFile(dir, "not a folder");
  EXPECT_EQ(Create({CannotCreate(C_FOLDER, "Not a directory")}), DataFileOutcome::Failed);
  ExpectNoFile();
  EXPECT_EQ(root.ReadFile(dir), "not a folder");

  // The card's folder, one level further up.
  config.settings.dataStorage = 1;
  root.WriteFile(root.Path() / "Storage Card", "");
  EXPECT_EQ(Create({CannotCreate(CARD_FOLDER, "Not a directory")}), DataFileOutcome::Failed);
  ExpectNoFile();
  EXPECT_EQ(run->recordingState, 0);
}

TEST_F(DataFileCreationTest, AfterAReopenRecordsFollowTheEndOfTheFileUntilItIsClosed) {
  ASSERT_EQ(Create({Queued(Key(VK_RETURN))}), DataFileOutcome::Created);
  const std::weak_ptr<DataFile> before = run->dataFileHandle.Get();
  EXPECT_TRUE(WriteTextRecord(*run, "$PAUSED", 'X'));
  EXPECT_TRUE(Reopen({}));
  EXPECT_TRUE(before.expired()) << "closed before it is opened again";
  ASSERT_NE(run->dataFileHandle.Get(), nullptr);
  EXPECT_EQ(run->dataFilePath, "C_DRIVE\\DATAZEP601\\120510A.601");
  EXPECT_EQ(run->dataFileName, "120510A");
  EXPECT_TRUE(WriteTextRecord(*run, "AFTER", 'C'));

  // A reader thread may still be inside an append through its copy of the old handle when
  // the pause reopens the file (here: longer than Reopen waits for it); its record and the new
  // ones all land at the end, none over another.
  const std::shared_ptr<DataFile> stillHeld = run->dataFileHandle.Get();
  EXPECT_TRUE(Reopen({}));
  EXPECT_TRUE(WriteTextRecord(*run, "NEW1", 'C'));
  EXPECT_TRUE(stillHeld->Append(MakeRecord("@HELD")));
  EXPECT_TRUE(WriteTextRecord(*run, "NEW2", 'C'));

  const Lines records = Records(run->dataFilePath);
  ASSERT_EQ(records.size(), 13u);
  EXPECT_EQ(Markers(run->dataFilePath), "ZHGLBAZ*XCC@C");
  EXPECT_EQ(records[9].substr(0, 6), "CAFTER");
  EXPECT_EQ(records[10].substr(0, 5), "CNEW1");
  EXPECT_EQ(records[12].substr(0, 5), "CNEW2");

  // Closing releases the file, as it is, and forgets its name: nothing to open again.
  const std::weak_ptr<DataFile> last = run->dataFileHandle.Get();
  CloseDataFile(*run);
  EXPECT_TRUE(last.expired());
  ExpectNoFile();
  EXPECT_EQ(fs::file_size(dir / "120510A.601"), 13 * RECORD_LENGTH);
  EXPECT_FALSE(Reopen({}));
}

TEST_F(DataFileCreationTest, AReopenAfterTheCardWasPulledIsReportedAndLeavesNoHandle) {
  config.settings.dataStorage = 1;
  ASSERT_EQ(Create({Queued(Key(VK_RETURN))}), DataFileOutcome::Created);
  fs::remove_all(root.Path() / "Storage Card/DATAZEP601");
  EXPECT_FALSE(Reopen({CannotCreate(CARD_FOLDER, "No such file or directory")}));
  EXPECT_EQ(run->dataFileHandle.Get(), nullptr);
  EXPECT_FALSE(WriteTextRecord(*run, "LOST", 'C'));
  EXPECT_FALSE(fs::exists(root.Path() / "Storage Card/DATAZEP601"));
}

}  // namespace
}  // namespace gradlog
