#include <gtest/gtest.h>
#include <sys/resource.h>
#include <unistd.h>

#include <chrono>
#include <csignal>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <random>
#include <stdexcept>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

#include "datafile/DataFile.h"
#include "datafile/GroupParser.h"
#include "datafile/RecordFormat.h"
#include "datafile/RecordText.h"
#include "platform/sys/Files.h"
#include "support/ForkedChild.h"
#include "support/TempDeviceRoot.h"

// A logger killed, or a card filling up, in the middle of a run: whatever is in the data file
// afterwards is whole groups, so a reader of the file never meets a reading without its end.

namespace gradlog {
namespace {

using testing::GroupMarkers;
using testing::ParsedGroups;
using testing::ParseGroups;
using testing::Shown;
using testing_support::ForkedChild;

constexpr GroupMarkers READINGS[] = {{'T', '=', '>'}};
const std::size_t PAGE_SIZE = static_cast<std::size_t>(::sysconf(_SC_PAGESIZE));

// A limit on the size of the files this process writes, lifted again afterwards. The kernel
// then stops a write at the limit part of the way, as a full card does.
class FileSizeLimit {
 public:
  explicit FileSizeLimit(rlim_t bytes) {
    previousHandler_ = std::signal(SIGXFSZ, SIG_IGN);
    ::getrlimit(RLIMIT_FSIZE, &previous_);
    rlimit limit = previous_;
    limit.rlim_cur = bytes;
    active_ = ::setrlimit(RLIMIT_FSIZE, &limit) == 0;
  }
  ~FileSizeLimit() {
    ::setrlimit(RLIMIT_FSIZE, &previous_);
    std::signal(SIGXFSZ, previousHandler_);
  }
  FileSizeLimit(const FileSizeLimit&) = delete;
  FileSizeLimit& operator=(const FileSizeLimit&) = delete;

  bool Active() const { return active_; }

 private:
  rlimit previous_{};
  void (*previousHandler_)(int) = SIG_DFL;
  bool active_ = false;
};

struct Reading {
  int number;
  int pieces;
};

// A reading text of `pieces` records that tells its number.
std::string ReadingText(const Reading& reading) {
  std::string text = "R" + std::to_string(reading.number);
  text.resize(static_cast<std::size_t>(reading.pieces - 1) * GROUP_PIECE_LENGTH + 10, 'r');
  return text;
}

std::vector<Record> ReadingGroup(const Reading& reading) {
  const GroupMarkers& markers = READINGS[0];
  std::vector<Record> records =
      SplitIntoGroupPieces(ReadingText(reading), markers.first, markers.continuation);
  records.push_back(FormatReadingEndRecord(markers.end, reading.number,
                                           static_cast<std::uint32_t>(reading.number)));
  return records;
}

std::string GroupBytes(const Reading& reading) {
  std::string bytes;
  for (const Record& record : ReadingGroup(reading))
    bytes.append(record.begin(), record.end());
  return bytes;
}

// The readings a writer appends one after the other, of 1 to 7 pieces.
Reading WrittenInLoop(std::size_t number) {
  const int asInt = static_cast<int>(number);
  return {asInt, asInt % 7 + 1};
}

// The file holds exactly these reading groups, whole and in this order.
void ExpectReadings(std::string_view bytes, const std::vector<Reading>& readings) {
  const ParsedGroups parsed = ParseGroups(bytes, READINGS);
  EXPECT_EQ(parsed.fault, "");
  ASSERT_EQ(parsed.groups.size(), readings.size());
  for (std::size_t i = 0; i < readings.size(); ++i) {
    EXPECT_EQ(parsed.groups[i].text, ReadingText(readings[i])) << "group " << i;
    EXPECT_EQ(Shown(parsed.groups[i].endRecord), Shown(ReadingGroup(readings[i]).back()))
        << "group " << i;
  }
}

class DataFileInterruptionTest : public ::testing::Test {
 protected:
  std::string FileBytes(std::string_view name) const { return root.ReadFile(root.Path() / name); }
  std::uintmax_t FileSize(std::string_view name) const {
    return std::filesystem::file_size(root.Path() / name);
  }

  gradlog::testing::TempDeviceRoot root;
};

TEST_F(DataFileInterruptionTest, KillAtAnyMomentLeavesWholeGroupsOnly) {
  constexpr int RUNS = 20;
  const unsigned seed = std::random_device()();
  SCOPED_TRACE("seed " + std::to_string(seed));
  std::mt19937 random(seed);
  std::uniform_int_distribution<int> delayMicroseconds(0, 3000);
  for (int run = 0; run < RUNS; ++run) {
    SCOPED_TRACE("run " + std::to_string(run));
    const std::string name = "run" + std::to_string(run) + ".601";
    ForkedChild writer([&](ForkedChild& child) {
      std::shared_ptr<DataFile> file = DataFile::Create(name);
      for (int number = 0; file != nullptr; ++number) {
        file->Append(ReadingGroup(WrittenInLoop(static_cast<std::size_t>(number))));
        if (number == 0)
          child.Send(true);
      }
    });
    // Killed only after its first group, so that the kill lands inside the writing loop.
    ASSERT_TRUE(writer.Receive<bool>().has_value());
    std::this_thread::sleep_for(std::chrono::microseconds(delayMicroseconds(random)));
    writer.Kill();

    const std::string bytes = FileBytes(name);
    const ParsedGroups parsed = ParseGroups(bytes, READINGS);
    ASSERT_GE(parsed.groups.size(), 1u);
    std::string_view whole = bytes;
    // The kernel looks for a kill between the pages one write covers, so a kill inside a
    // write that crosses a page boundary stops it there: the one piece of a group a kill can
    // leave, at the very end.
    if (!parsed.fault.empty() && bytes.size() % PAGE_SIZE == 0) {
      whole = whole.substr(0, parsed.wholeLength);
      const std::string cutGroup = GroupBytes(WrittenInLoop(parsed.groups.size()));
      EXPECT_EQ(bytes.substr(parsed.wholeLength),
                cutGroup.substr(0, bytes.size() - parsed.wholeLength))
          << "after the last whole group";
    }
    std::vector<Reading> written;
    for (std::size_t number = 0; number < parsed.groups.size(); ++number)
      written.push_back(WrittenInLoop(number));
    ExpectReadings(whole, written);
  }
}

// What a child with a size limit saw after each append.
struct StepResult {
  bool appended;
  std::uintmax_t fileSize;
};

struct Counters {
  std::uint32_t failedWrites;
  std::uint32_t failedSyncs;
  std::uint32_t failures;
  std::uint64_t recordsWritten;
};

TEST_F(DataFileInterruptionTest, CardFillingUpMidGroupLeavesWholeGroupsOnly) {
  constexpr std::string_view NAME = "full.601";
  // The group written before the DataFile takes the file over counts as whole.
  constexpr Reading HANDED_OVER{0, 1};
  // Room for four records and 10 bytes of a fifth.
  constexpr rlim_t LIMIT = 4 * RECORD_LENGTH + 10;
  struct Step {
    const char* description;
    Reading reading;
    bool limited;
    bool appended;
    std::size_t recordsInFile;
  };
  const Step steps[] = {
      {"a group the card fills up in is taken back whole", {1, 3}, true, false, 2},
      {"a smaller group that fits follows the last whole one", {2, 1}, true, true, 4},
      {"a group cut in its first record is taken back", {3, 1}, true, false, 4},
      {"with room again the next group follows the last whole one", {4, 6}, false, true, 11},
  };
  ForkedChild writer([&](ForkedChild& child) {
    std::optional<platform::File> handed = platform::File::CreateAlways(NAME);
    if (!handed || !handed->WriteText(GroupBytes(HANDED_OVER)))
      throw std::runtime_error("cannot write the first group");
    DataFile file(std::move(*handed));
    for (const Step& step : steps) {
      std::optional<FileSizeLimit> limit;
      if (step.limited)
        limit.emplace(LIMIT);
      if (limit && !limit->Active())
        throw std::runtime_error("cannot set the size limit");
      const bool appended = file.Append(ReadingGroup(step.reading));
      limit.reset();
      child.Send(StepResult{appended, FileSize(NAME)});
    }
    child.Send(
        Counters{file.FailedWrites(), file.FailedSyncs(), file.Failures(), file.RecordsWritten()});
  });

  for (const Step& step : steps) {
    const std::optional<StepResult> result = writer.Receive<StepResult>();
    ASSERT_TRUE(result.has_value())
        << step.description << ": the child ended early, exit code " << writer.Wait();
    EXPECT_EQ(result->appended, step.appended) << step.description;
    EXPECT_EQ(result->fileSize, step.recordsInFile * RECORD_LENGTH) << step.description;
  }
  const std::optional<Counters> counters = writer.Receive<Counters>();
  ASSERT_TRUE(counters.has_value());
  EXPECT_EQ(counters->failedWrites, 2u);
  EXPECT_EQ(counters->failedSyncs, 0u);
  EXPECT_EQ(counters->failures, 2u);
  EXPECT_EQ(counters->recordsWritten, 2u + 7u);
  EXPECT_EQ(writer.Wait(), 0);
  ExpectReadings(FileBytes(NAME), {HANDED_OVER, {2, 1}, {4, 6}});
}

}  // namespace
}  // namespace gradlog
