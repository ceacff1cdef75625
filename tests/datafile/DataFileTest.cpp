#include "datafile/DataFile.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <csignal>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>
#include <thread>
#include <tuple>
#include <vector>

#include "datafile/DataFileState.h"
#include "datafile/GroupParser.h"
#include "datafile/RecordFormat.h"
#include "datafile/RecordText.h"
#include "datafile/RecordWriters.h"
#include "platform/sys/Files.h"
#include "support/ForkedChild.h"
#include "support/InstalledFakeServices.h"
#include "support/TempDeviceRoot.h"

namespace gradlog {
namespace {

using testing_support::ForkedChild;

// In a forked child: the kernel stops a write at this size part of the way, as a full card
// does; RLIM_INFINITY lifts the limit again.
bool LimitFileSize(rlim_t bytes) {
  std::signal(SIGXFSZ, SIG_IGN);
  rlimit limit{};
  ::getrlimit(RLIMIT_FSIZE, &limit);
  limit.rlim_cur = std::min(bytes, limit.rlim_max);
  return ::setrlimit(RLIMIT_FSIZE, &limit) == 0;
}

// A group as a writer appends it: a sentence has a status, a reading none.
std::vector<Record> Group(std::string_view text, const char* markers, std::int32_t count,
                          std::uint32_t tick, char status = '\0') {
  std::vector<Record> records = SplitIntoGroupPieces(text, markers[0], markers[1]);
  records.push_back(status == '\0' ? FormatReadingEndRecord(markers[2], count, tick)
                                   : FormatSentenceEndRecord(markers[2], count, status, tick));
  return records;
}

std::string Bytes(const std::vector<Record>& records) {
  std::string bytes;
  for (const Record& record : records)
    bytes.append(record.begin(), record.end());
  return bytes;
}

// Reading `number` in `pieces` records, its text telling its number.
std::vector<Record> Reading(int number, int pieces) {
  std::string text = "R" + std::to_string(number);
  text.resize(static_cast<std::size_t>(pieces - 1) * GROUP_PIECE_LENGTH + 10, 'r');
  return Group(text, "T=>", number, static_cast<std::uint32_t>(number));
}

class DataFileTest : public ::testing::Test {
 protected:
  std::string FileBytes(const std::string& name) const { return root.ReadFile(root.Path() / name); }

  gradlog::testing::TempDeviceRoot root;
};

// A logger killed, or a card filling up, in the middle of a run: whatever is in the data file
// afterwards is whole groups, so a reader of the file never meets a reading without its end.
using DataFileInterruptionTest = DataFileTest;

TEST_F(DataFileInterruptionTest, KillAtAnyMomentLeavesWholeGroupsOnly) {
  // The readings a writer appends one after the other, of 1 to 7 pieces.
  const auto writtenInLoop = [](int number) { return Reading(number, number % 7 + 1); };
  for (int run = 0; run < 20; ++run) {
    SCOPED_TRACE("run " + std::to_string(run));
    const std::string name = "run" + std::to_string(run) + ".601";
    ForkedChild writer([&](ForkedChild& child) {
      std::shared_ptr<DataFile> file = DataFile::Create(name);
      for (int number = 0; file != nullptr; ++number) {
        file->Append(writtenInLoop(number));
        if (number == 0)
          child.Send(true);
      }
    });
    // Killed only after its first group, so that the kill lands inside the writing loop.
    ASSERT_TRUE(writer.Receive<bool>().has_value());
    std::this_thread::sleep_for(std::chrono::microseconds(150 * run));
    writer.Kill();

    const std::string bytes = FileBytes(name);
    std::string written;
    for (int number = 0; written.size() < bytes.size(); ++number)
      written += Bytes(writtenInLoop(number));
    ASSERT_GE(bytes.size(), Bytes(writtenInLoop(0)).size());
    const auto differ = std::mismatch(bytes.begin(), bytes.end(), written.begin()).first;
    EXPECT_EQ(differ - bytes.begin(), std::ssize(bytes)) << "the first byte not written so";
    // The kernel looks for a kill between the pages one write covers, so a kill inside a write
    // that crosses a page boundary stops it there: the one piece of a group a kill can leave.
    EXPECT_TRUE(bytes.size() == written.size() || bytes.size() % ::sysconf(_SC_PAGESIZE) == 0)
        << "a piece of a group ends the file at byte " << bytes.size();
  }
}

TEST_F(DataFileInterruptionTest, CardFillingUpMidGroupLeavesWholeGroupsOnly) {
  const std::string name = "full.601";
  struct Step {
    const char* description;
    int number, pieces;
    bool limited, appended;
    std::size_t recordsInFile;
  };
  // While limited, the card holds four records and 10 bytes of a fifth.
  const Step steps[] = {
      {"a group the card fills up in is taken back whole", 1, 3, true, false, 2},
      {"a smaller group that fits follows the last whole one", 2, 1, true, true, 4},
      {"a group cut in its first record is taken back", 3, 1, true, false, 4},
      {"with room again the next group follows the last whole one", 4, 6, false, true, 11},
  };
  struct Result {
    bool appended;
    std::uintmax_t fileSize;
    std::uint32_t failedWrites;
    std::uint64_t recordsWritten;
  };
  ForkedChild writer([&](ForkedChild& child) {
    // The group written before the DataFile takes the file over counts as whole.
    std::optional<platform::File> handed = platform::File::CreateAlways(name);
    if (!handed || !handed->WriteText(Bytes(Reading(0, 1))))
      return;
    DataFile file(std::move(*handed));
    for (const Step& step : steps) {
      if (!LimitFileSize(step.limited ? 4 * RECORD_LENGTH + 10 : RLIM_INFINITY))
        return;
      const bool appended = file.Append(Reading(step.number, step.pieces));
      LimitFileSize(RLIM_INFINITY);
      child.Send(Result{appended, std::filesystem::file_size(root.Path() / name),
                        file.FailedWrites(), file.RecordsWritten()});
    }
  });
  std::optional<Result> result;
  for (const Step& step : steps) {
    result = writer.Receive<Result>();
    ASSERT_TRUE(result.has_value()) << step.description << ": the child could not go on";
    EXPECT_EQ(result->appended, step.appended) << step.description;
    EXPECT_EQ(result->fileSize, step.recordsInFile * RECORD_LENGTH) << step.description;
  }
  EXPECT_EQ(result->failedWrites, 2u);
  EXPECT_EQ(result->recordsWritten, 2u + 7u);
  EXPECT_EQ(writer.Wait(), 0);
  EXPECT_EQ(FileBytes(name), Bytes(Reading(0, 1)) + Bytes(Reading(2, 1)) + Bytes(Reading(4, 6)));
}

std::string Cause(int error) {
  return std::error_code(error, std::generic_category()).message();
}

// The logging screen prints why the card refused: the first failure's cause, a write's or a
// sync's, stays while later failures only count.
TEST_F(DataFileTest, TheCauseOfTheFirstFailureIsKept) {
  struct Result {
    bool noCauseAtFirst, writeFailed, tooLarge;             // a file the size limit stops
    bool syncFailed, writeToNoReaderFailed, syncCauseKept;  // a FIFO
    std::uint32_t fifoFailures;
  };
  const std::filesystem::path fifo = root.Path() / "fifo.601";
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  ForkedChild writer([&](ForkedChild& child) {
    Result result{};
    std::shared_ptr<DataFile> file = DataFile::Create("full.601");
    if (file == nullptr || !file->Append(Reading(0, 1)) || !LimitFileSize(RECORD_LENGTH + 10))
      return;
    result.noCauseAtFirst = file->FailureCause().empty();
    result.writeFailed = !file->Append(Reading(1, 1));
    LimitFileSize(RLIM_INFINITY);
    result.tooLarge = file->FailureCause() == Cause(EFBIG);

    // A FIFO refuses fdatasync (EINVAL), and a write once its reader has gone (EPIPE).
    std::signal(SIGPIPE, SIG_IGN);
    const int reader = ::open(fifo.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    std::shared_ptr<DataFile> piped = DataFile::Create("fifo.601");
    if (reader < 0 || piped == nullptr)
      return;
    result.syncFailed = !piped->Sync();
    ::close(reader);
    result.writeToNoReaderFailed = !piped->Append(Reading(2, 1));
    result.syncCauseKept = piped->FailureCause() == Cause(EINVAL);
    result.fifoFailures = piped->Failures();
    child.Send(result);
  });
  const std::optional<Result> result = writer.Receive<Result>();
  ASSERT_TRUE(result.has_value()) << "the child could not go on";
  EXPECT_TRUE(result->noCauseAtFirst);
  EXPECT_TRUE(result->writeFailed);
  EXPECT_TRUE(result->tooLarge) << "the cause is \"" << Cause(EFBIG) << "\"";
  EXPECT_TRUE(result->syncFailed);
  EXPECT_TRUE(result->writeToNoReaderFailed);
  EXPECT_TRUE(result->syncCauseKept) << "the cause is \"" << Cause(EINVAL) << "\"";
  EXPECT_GE(result->fifoFailures, 2u);
  EXPECT_EQ(writer.Wait(), 0);
}

// The UI thread writes readings while the total-station reader writes sentences: every record
// arrives whole, every group in one piece, and each thread's groups in their own order.
TEST_F(DataFileTest, TwoThreadsNeverTearARecordOrSplitAGroup) {
  constexpr std::uint32_t GROUPS_PER_THREAD = 300;
  auto run = std::make_unique<DataFileState>();
  run->dataFileHandle.Set(DataFile::Create("data.601"));
  const auto text = [](bool sentence, std::uint32_t i) {
    return (sentence ? "$GPGGA," : "$") + std::string(sentence ? 20 : 50, 'x') + std::to_string(i);
  };
  std::thread sentences([&] {
    for (std::uint32_t i = 0; i < GROUPS_PER_THREAD; ++i)
      WriteSentenceRecords(*run, text(true, i), i, '@', '#', '!', 'p');
  });
  for (std::uint32_t i = 0; i < GROUPS_PER_THREAD; ++i)
    WriteReadingRecords(*run, text(false, i), i, 'T', '=', '>');
  sentences.join();
  run->dataFileHandle.Take();

  // Group by group, the file holds the next reading or the next sentence.
  const std::string bytes = FileBytes("data.601");
  std::uint32_t next[2] = {0, 0};  // readings, sentences
  for (std::size_t at = 0; at < bytes.size();) {
    const std::string groups[2] = {Bytes(Group(text(false, next[0]), "T=>", 0, next[0])),
                                   Bytes(Group(text(true, next[1]), "@#!", 0, next[1], 'p'))};
    const bool sentence = bytes.compare(at, groups[0].size(), groups[0]) != 0;
    ASSERT_EQ(bytes.substr(at, groups[sentence].size()), groups[sentence]) << "at byte " << at;
    at += groups[sentence].size();
    ++next[sentence];
  }
  EXPECT_EQ(next[0], GROUPS_PER_THREAD);
  EXPECT_EQ(next[1], GROUPS_PER_THREAD);
}

// The logging screen shows how often the card refused; a sync it refuses counts as much as a
// write, whether the logger asked for it or the background sync did.
TEST_F(DataFileTest, FailedSyncsAreCountedWithTheFailedWrites) {
  // A FIFO takes the writes, but fdatasync on it fails (EINVAL), as with EIO on a bad card.
  const std::filesystem::path fifo = root.Path() / "fifo.601";
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  // The reader end first, so that opening the writer end does not wait for one.
  const int reader = ::open(fifo.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  ASSERT_GE(reader, 0);
  std::shared_ptr<DataFile> file = DataFile::Create("fifo.601");
  ASSERT_NE(file, nullptr);
  EXPECT_EQ(file->FailureCause(), "");
  EXPECT_FALSE(file->Sync());
  EXPECT_EQ(file->FailedSyncs(), 1u);
  EXPECT_EQ(file->FailureCause(), Cause(EINVAL));

  // Nobody syncs this record by hand: the background sync does, within a second, and fails.
  EXPECT_TRUE(file->Append(MakeRecord("X1")));
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

using testing::Shown;
constexpr std::uint32_t MAX_TICK = 4294967295u;

// What each record is, the record and its 26 characters with '_' for a space.
void ExpectRecords(const std::vector<std::tuple<const char*, Record, std::string>>& cases) {
  for (const auto& [description, record, expected] : cases)
    EXPECT_EQ(Shown({record.data(), record.size()}), expected) << description;
}

// Variations around the format's own example, which the writers' test below checks.
TEST(RecordFormatTest, EveryKindOfRecordAtItsLimits) {
  const SurveySettings grd{
      .gradSensorCount = 1, .distanceUnits = 1, .gpsInput = 0, .surveyMode = 2};
  const SurveySettings disabled{
      .instrumentEnabled = 0, .gpsInput = 2, .gpsDataType = 7, .gpsDisplayRate = 1};
  ExpectRecords({
      {"GRD, feet, manual", FormatFormatRecord(grd), "ZEP601__W134GRD1_2_1______"},
      {"8 as 9", FormatPositioningRecord({.gpsDataType = 8}, 0, 0), "G___0.00___0.00___091_____"},
      {"7, 2 Hz, off", FormatPositioningRecord(disabled, 0, 0), "G___0.00___0.00___170_____"},
      {"cut at 26", FormatPositioningRecord({}, 1e30f, 0), "G1000000015047466219876688"},
      {"wheel", FormatNameRecord({.surveyMode = 1}, "X"), "H_X__________0.200________"},
      {"manual", FormatNameRecord({.surveyMode = 2}, "X"), "H_X__________2.000________"},
      {"unknown mode", FormatNameRecord({.surveyMode = 3}, "X"), "H_X_______________________"},
      {"auto, UTF-8", FormatNameRecord({.readingInterval = 0.5f}, "\303\251t\316\251ABCDEFGH"),
       "H_\xE9t?ABCDEF__0.500________"},
      {"UTF-8", FormatLineRecord("Stra\303\237e-Nord-Ost"), "LStra\337e-Nord______________"},
      {"East, backwards", FormatDirectionRecord(3, -0.25f), "AE___________-0.250_______"},
      {"direction 4", FormatDirectionRecord(4, 1.0f), "A_____________1.000_______"},
      {"New Year", FormatDateTimeRecord({2027, 1, 1, 5, 0, 0, 0, 0}), "Z01012027_00:00:00________"},
      {"max tick", FormatClockRecord({.millisecond = 5}, MAX_TICK), "*00:00:00.005___4294967295"},
      {"8-bit text", FormatTextRecord('C', "Gr\303\266\303\237e\xE6\x97\xA5\377", 1),
       "CGr\366\337e??_________________1"},
  });
}

// A long run with a fast instrument counts past six digits: the count field keeps its six
// places, so the tick stamp after it stays where readers of the file look for it.
TEST(RecordFormatTest, EndRecordCountsKeepSixPlaces) {
  ExpectRecords({
      {"999999", FormatReadingEndRecord('>', 999999, MAX_TICK), ">999999_________4294967295"},
      {"again 0", FormatReadingEndRecord('>', 1000000, MAX_TICK), ">000000_________4294967295"},
      {"largest", FormatReadingEndRecord('>', INT32_MAX, MAX_TICK), ">483647_________4294967295"},
      {"before 0", FormatReadingEndRecord('>', -1, MAX_TICK), ">999999_________4294967295"},
      {"smallest", FormatReadingEndRecord('>', INT32_MIN, MAX_TICK), ">516352_________4294967295"},
      {"sentence", FormatSentenceEndRecord('!', 1234567, 'p', 99), "!234567p________________99"},
      {"-1000001", FormatSentenceEndRecord('!', -1000001, 'p', 99), "!999999p________________99"},
  });
}

class RecordWritersTest : public DataFileTest {
 protected:
  void SetUp() override {
    run->dataFileHandle.Set(DataFile::Create("120510A.601"));
    run->dataFileName = "120510A";
    // 123456789 ms after this it is 5 December 2026, 10:20:07.250.
    services.SetLocalTime({2026, 12, 4, 5, 0, 2, 30, 461});
    services.SetTickCount(123456789);
  }

  testing_support::InstalledFakeServices services;
  std::unique_ptr<ConfigState> config = std::make_unique<ConfigState>();
  std::unique_ptr<DataFileState> run = std::make_unique<DataFileState>();
};

// The format's example file. The header takes the session's antenna offsets, the line start the
// current increment, stations, comments and events the tick at writing; readings and sentences
// are cut into pieces of 25 characters before their end record.
TEST_F(RecordWritersTest, NewFileOfTheExampleHoldsEveryKindOfRecord) {
  config->gpsOffsetX = -12.5f;
  config->gpsOffsetY = 0.75f;
  config->settings.surveyLine = "NORTH-12";
  config->settings.startStation = 250.0;
  config->settings.lineDirection = 2;
  config->currentStationIncrement = -0.5f;
  EXPECT_TRUE(WriteDataFileHeader(*run, *config));
  EXPECT_TRUE(WriteLineStartRecords(*run, *config));
  EXPECT_TRUE(WriteClockRecord(*run));
  EXPECT_TRUE(WriteStationRecord(*run, 17.25));
  services.Advance(11);
  EXPECT_TRUE(WriteTextRecord(*run, "MAGNETIC ANOMALY 3", 'C'));
  EXPECT_TRUE(WriteTextRecord(*run, "$CONN END  ", 'X'));
  for (const char* text :
       {"$12345.67", "$123456789012345678901234", "$1234567890123456789012345", ""}) {
    ++run->gradReadingCount;
    EXPECT_TRUE(WriteReadingRecords(*run, text, 1000 + run->gradReadingCount, 'T', '=', '>'));
  }
  run->gpsRecordCount = 12;
  EXPECT_TRUE(WriteSentenceRecords(
      *run, "$GPGGA,102007.250,5230.12345,N,01322.56789,E,1,08,0.9,45.3,M,47.0,M,,*6D", 123456789,
      '@', '#', '!', 'p'));
  EXPECT_TRUE(WriteSentenceRecords(*run, "$GPGSA,A,3*00", 5, '?', '"', '!', ' '));
  const std::vector<std::string> expected{
      "ZEP601__W134GPS0_0_2______", "H_120510A____0.200________", "G_-12.50___0.75___001_____",
      "LNORTH-12_________________", "B_____250.00______________", "AN___________-0.500_______",
      "Z05122026_10:20:07________", "*10:20:07.250____123456789", "S______17.25_____123456789",
      "CMAGNETIC_AN_____123456800", "X$CONN_END_______123456800", "T$12345.67________________",
      ">000001_______________1001", "T$123456789012345678901234", ">000002_______________1002",
      "T$123456789012345678901234", "=5________________________", ">000003_______________1003",
      "T_________________________", ">000004_______________1004", "@$GPGGA,102007.250,5230.12",
      "#345,N,01322.56789,E,1,08,", "#0.9,45.3,M,47.0,M,,*6D___", "!000012p_________123456789",
      "?$GPGSA,A,3*00____________", "!000012__________________5"};
  const std::string bytes = FileBytes("120510A.601");
  ASSERT_EQ(bytes.size(), expected.size() * RECORD_LENGTH);
  for (std::size_t i = 0; i < expected.size(); ++i)
    EXPECT_EQ(Shown(std::string_view(bytes).substr(i * RECORD_LENGTH, RECORD_LENGTH)), expected[i]);
}

// Tick counts wrap after 49 days: before the start is a negative distance, not a smaller tick.
TEST_F(RecordWritersTest, SentenceBeforeTheRecordingStartLeavesNoTrace) {
  const std::tuple<std::uint32_t, std::uint32_t, bool> cases[] = {{5000, 4999, false},
                                                                  {5000, 5000, true},
                                                                  {0xFFFFFF00u, 0x10u, true},
                                                                  {0x10u, 0xFFFFFF00u, false}};
  std::uint64_t records = 0;
  for (const auto& [start, tick, written] : cases) {
    run->recordingStartTick = start;
    EXPECT_TRUE(WriteSentenceRecords(*run, "$GPRMC", tick, '@', '#', '!', 'p'));
    records += written ? 2 : 0;
    EXPECT_EQ(run->dataFileHandle.Get()->RecordsWritten(), records) << start << ", " << tick;
  }
}

// The UI thread opens and closes data files while a reader appends through its copy of the
// handle: the hand-over is locked (ThreadSanitizer finds a bare shared pointer here), and each
// file still holds whole groups only.
TEST_F(RecordWritersTest, FilesOpenedAndClosedUnderAWritingThreadHoldWholeGroups) {
  std::atomic<bool> writing{true};
  std::thread writer([&] {
    for (std::uint32_t tick = 0; writing; ++tick)
      WriteReadingRecords(*run, "$PBAR,1012.43,-998.10,1012.43,-998.10", tick, 'T', '=', '>');
  });
  for (int i = 0; i < 20; ++i) {
    run->dataFileHandle.Set(DataFile::Create("F" + std::to_string(i)));
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
    run->dataFileHandle.Take();
  }
  writing = false;
  writer.join();
  for (int i = 0; i < 20; ++i) {
    const std::string bytes = FileBytes("F" + std::to_string(i));
    EXPECT_EQ(testing::GroupFault(bytes, "T=>"), "") << "file F" << i;
  }
}

TEST_F(RecordWritersTest, WithoutAnOpenFileEveryWriterReportsFailure) {
  run->dataFileHandle.Take();
  EXPECT_FALSE(WriteDataFileHeader(*run, *config));
  EXPECT_FALSE(WriteLineStartRecords(*run, *config));
  EXPECT_FALSE(WriteClockRecord(*run));
  EXPECT_FALSE(WriteStationRecord(*run, config->currentStation));
  EXPECT_FALSE(WriteTextRecord(*run, "x", 'C'));
  EXPECT_FALSE(WriteReadingRecords(*run, "$1", 1, 'T', '=', '>'));
  EXPECT_FALSE(WriteSentenceRecords(*run, "$GPGGA", 1, '@', '#', '!', 'p'));
}

}  // namespace
}  // namespace gradlog
