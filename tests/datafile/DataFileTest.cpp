#include "datafile/DataFile.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "datafile/DataFileState.h"
#include "datafile/GroupParser.h"
#include "datafile/RecordFormat.h"
#include "datafile/RecordText.h"
#include "datafile/RecordWriters.h"
#include "support/TempDeviceRoot.h"

namespace gradlog {
namespace {

using testing::GroupMarkers;
using testing::ParsedGroup;
using testing::ParsedGroups;
using testing::ParseGroups;
using testing::Shown;

constexpr std::string_view DATA_PATH = "data.601";

Record Numbered(char marker, int number) {
  return MakeRecord(std::string(1, marker) + std::to_string(number));
}

class DataFileTest : public ::testing::Test {
 protected:
  std::string FileBytes() const { return root.ReadFile(root.Path() / DATA_PATH); }

  gradlog::testing::TempDeviceRoot root;
};

TEST_F(DataFileTest, AppendsRecordsInOrderAndSyncs) {
  std::shared_ptr<DataFile> file = DataFile::Create(DATA_PATH);
  ASSERT_NE(file, nullptr);
  EXPECT_TRUE(file->Append(Numbered('X', 1)));
  const std::vector<Record> group{Numbered('T', 2), Numbered('=', 3), Numbered('>', 4)};
  EXPECT_TRUE(file->Append(group));
  EXPECT_TRUE(file->Append(std::span<const Record>()));
  EXPECT_TRUE(file->Sync());
  EXPECT_EQ(file->RecordsWritten(), 4u);
  EXPECT_EQ(file->Failures(), 0u);
  // Everything is in the file before the DataFile goes: nothing waits in a buffer.
  const std::string bytes = FileBytes();
  ASSERT_EQ(bytes.size(), 4 * RECORD_LENGTH);
  EXPECT_EQ(Shown(bytes.substr(0, RECORD_LENGTH)), "X1________________________");
  EXPECT_EQ(Shown(bytes.substr(3 * RECORD_LENGTH)), ">4________________________");
}

TEST_F(DataFileTest, CreateEmptiesAnOldFileAndFailsWhereNoFileCanBe) {
  root.WriteFile(root.Path() / DATA_PATH, "old content");
  EXPECT_NE(DataFile::Create(DATA_PATH), nullptr);
  EXPECT_EQ(FileBytes(), "");
  std::filesystem::create_directory(root.Path() / "folder");
  EXPECT_EQ(DataFile::Create("folder"), nullptr);
  EXPECT_EQ(DataFile::Create("missing\\data.601"), nullptr);
}

// The UI thread writes readings while the total-station reader writes sentences: every record
// arrives whole, every group in one piece, and each thread's groups in their own order.
TEST_F(DataFileTest, TwoThreadsNeverTearARecordOrSplitAGroup) {
  constexpr int GROUPS_PER_THREAD = 300;
  auto run = std::make_unique<DataFileState>();
  run->dataFileHandle.Set(DataFile::Create(DATA_PATH));
  ASSERT_NE(run->dataFileHandle.Get(), nullptr);
  const auto readingText = [](int i) { return "$" + std::string(50, 'r') + std::to_string(i); };
  const auto sentenceText = [](int i) {
    return "$GPGGA," + std::to_string(i) + std::string(20, 's');
  };
  run->gradReadingCount = 7;
  run->gpsRecordCount = 9;
  std::thread sentences([&] {
    for (int i = 0; i < GROUPS_PER_THREAD; ++i)
      WriteSentenceRecords(*run, sentenceText(i), static_cast<std::uint32_t>(i), '@', '#', '!',
                           'p');
  });
  for (int i = 0; i < GROUPS_PER_THREAD; ++i)
    WriteReadingRecords(*run, readingText(i), static_cast<std::uint32_t>(i), 'T', '=', '>');
  sentences.join();
  run->dataFileHandle.Take();

  const GroupMarkers kinds[] = {{'T', '=', '>'}, {'@', '#', '!'}};
  const ParsedGroups parsed = ParseGroups(FileBytes(), kinds);
  ASSERT_EQ(parsed.fault, "");
  int next[2] = {0, 0};  // readings, sentences
  for (const ParsedGroup& group : parsed.groups) {
    const bool reading = group.kind == &kinds[0];
    const int number = next[reading ? 0 : 1]++;
    const std::string tick = std::to_string(number);
    ASSERT_EQ(group.text, reading ? readingText(number) : sentenceText(number));
    ASSERT_EQ(Shown(group.endRecord), reading
                                          ? ">000007" + std::string(19 - tick.size(), '_') + tick
                                          : "!000009p" + std::string(18 - tick.size(), '_') + tick);
  }
  EXPECT_EQ(next[0], GROUPS_PER_THREAD);
  EXPECT_EQ(next[1], GROUPS_PER_THREAD);
}

// The logging screen shows how often the card refused; a sync it refuses counts as much as a
// write, whether the logger asked for it or the background sync did.
TEST_F(DataFileTest, FailedSyncsAreCountedWithTheFailedWrites) {
  // A FIFO takes the writes, but it has no storage to make them durable in: fdatasync on it
  // fails (EINVAL), as it fails with EIO on a card that has gone bad.
  const std::filesystem::path fifo = root.Path() / "fifo.601";
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  // The reader end is opened first so that opening the writer end does not wait for one.
  const int reader = ::open(fifo.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  ASSERT_GE(reader, 0);
  std::shared_ptr<DataFile> file = DataFile::Create("fifo.601");
  ASSERT_NE(file, nullptr);

  EXPECT_FALSE(file->Sync());
  EXPECT_EQ(file->FailedSyncs(), 1u);
  EXPECT_EQ(file->FailedWrites(), 0u);
  EXPECT_EQ(file->Failures(), 1u);

  // Nobody syncs this record by hand: the background sync does, within a second, and fails.
  EXPECT_TRUE(file->Append(Numbered('X', 1)));
  // The minute only keeps a sync thread that never syncs from hanging the test.
  const auto giveUp = std::chrono::steady_clock::now() + std::chrono::minutes(1);
  while (file->FailedSyncs() < 2 && std::chrono::steady_clock::now() < giveUp)
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  EXPECT_EQ(file->FailedSyncs(), 2u);
  EXPECT_EQ(file->FailedWrites(), 0u);
  EXPECT_EQ(file->Failures(), 2u);
  file.reset();
  ::close(reader);
}

}  // namespace
}  // namespace gradlog
