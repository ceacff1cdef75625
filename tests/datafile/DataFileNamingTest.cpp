#include "datafile/DataFileNaming.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <utility>

#include "support/TempDeviceRoot.h"

namespace gradlog {
namespace {

namespace fs = std::filesystem;

// 5 December 2026, a Saturday, at 10:20.
constexpr platform::LocalTime FIFTH_OF_DECEMBER{2026, 12, 5, 6, 10, 20, 0, 0};

class DataFileNamingTest : public ::testing::Test {
 protected:
  // Puts a file at the device path (folders made on the way).
  void Make(const std::string& devicePath) {
    std::string relative = devicePath;
    for (char& c : relative) {
      if (c == '\\')
        c = '/';
    }
    root.WriteFile(root.Path() / relative, "x");
  }
  std::string Proposal() const { return ProposeDataFileName(settings, FIFTH_OF_DECEMBER); }

  testing::TempDeviceRoot root;
  SurveySettings settings;
};

TEST_F(DataFileNamingTest, FolderByStorageAndExtensionByInstrument) {
  EXPECT_EQ(DataFolder(0), "C_DRIVE\\DATAZEP601\\");
  EXPECT_EQ(DataFolder(1), "Storage Card\\DATAZEP601\\");
  EXPECT_EQ(DataFileExtension(1), ".601");
  EXPECT_EQ(DataFileExtension(0), ".GXY");
  EXPECT_EQ(DataFileExtension(2), ".GXY");
}

TEST_F(DataFileNamingTest, MonthDayHourAndTheFirstLetterWhoseFileIsMissing) {
  // No data folder yet: nothing is taken.
  EXPECT_EQ(Proposal(), "120510A");
  Make("C_DRIVE\\DATAZEP601\\120510A.601");
  EXPECT_EQ(Proposal(), "120510B");
  // The first free letter, not the one after the last taken.
  Make("C_DRIVE\\DATAZEP601\\120510C.601");
  EXPECT_EQ(Proposal(), "120510B");
  // A folder at the name takes it too: no file could be created there.
  fs::create_directories(root.Path() / "C_DRIVE/DATAZEP601/120510B.601");
  EXPECT_EQ(Proposal(), "120510D");
  EXPECT_EQ(ProposeDataFileName(settings, {2027, 1, 1, 5, 0, 0, 0, 0}), "010100A");
}

TEST_F(DataFileNamingTest, WithoutTheInstrumentOnlyGxyFilesCount) {
  settings.instrumentEnabled = 0;
  Make("C_DRIVE\\DATAZEP601\\120510A.601");
  EXPECT_EQ(Proposal(), "120510A");
  Make("C_DRIVE\\DATAZEP601\\120510A.GXY");
  EXPECT_EQ(Proposal(), "120510B");
}

TEST_F(DataFileNamingTest, OnTheStorageCardOnlyItsFilesCount) {
  settings.dataStorage = 1;
  Make("C_DRIVE\\DATAZEP601\\120510A.601");
  EXPECT_EQ(Proposal(), "120510A");
  Make("Storage Card\\DATAZEP601\\120510A.601");
  EXPECT_EQ(Proposal(), "120510B");
}

TEST_F(DataFileNamingTest, AllTwentySixTakenGivesThePathOfTheLast) {
  for (char letter = 'A'; letter <= 'Z'; ++letter)
    Make(std::string("C_DRIVE\\DATAZEP601\\120510") + letter + ".601");
  EXPECT_EQ(Proposal(), "C_DRIVE\\DATAZEP601\\120510Z.601");
}

TEST(BareDataFileName, TheFileNameUpToTheDotBeforeItsExtension) {
  const std::pair<const char*, const char*> cases[] = {
      {"C_DRIVE\\DATAZEP601\\120510A.601", "120510A"},
      {"Storage Card\\DATAZEP601\\LONGNAME1234.GXY", "LONGNAME1234"},
      {"C_DRIVE\\A.B.C", "A.B"},
      {"C_DRIVE\\DIR.X\\NOEXT", "NOEXT"},
      {"120510A.601", "120510A"},
      {"", ""},
  };
  for (const auto& [path, name] : cases)
    EXPECT_EQ(BareDataFileName(path), name) << path;
}

}  // namespace
}  // namespace gradlog
