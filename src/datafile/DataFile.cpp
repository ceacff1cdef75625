#include "datafile/DataFile.h"

#include <chrono>
#include <optional>
#include <utility>
#include <vector>

namespace gradlog {

namespace {

// Records written reach the disk within this time even if nobody calls Sync().
constexpr std::chrono::seconds SYNC_PERIOD{1};

std::vector<char> Concatenate(std::span<const Record> records) {
  std::vector<char> bytes;
  bytes.reserve(records.size() * RECORD_LENGTH);
  for (const Record& record : records)
    bytes.insert(bytes.end(), record.begin(), record.end());
  return bytes;
}

}  // namespace

std::shared_ptr<DataFile> DataFile::Create(std::string_view devicePath) {
  std::optional<platform::File> file = platform::File::CreateAlways(devicePath);
  if (!file)
    return nullptr;
  return std::make_shared<DataFile>(std::move(*file));
}

std::shared_ptr<DataFile> DataFile::CreateNew(std::string_view devicePath, std::error_code* error) {
  std::optional<platform::File> file = platform::File::CreateNew(devicePath, error);
  if (!file)
    return nullptr;
  return std::make_shared<DataFile>(std::move(*file));
}

std::shared_ptr<DataFile> DataFile::OpenForAppend(std::string_view devicePath,
                                                  std::error_code* error) {
  std::optional<platform::File> file = platform::File::OpenForAppend(devicePath, error);
  if (!file)
    return nullptr;
  return std::make_shared<DataFile>(std::move(*file));
}

DataFile::DataFile(platform::File file)
    : file_(std::move(file)),
      // Appends go to the end whatever the position of the file handed over.
      length_(file_.SeekToEnd().value_or(0)),
      syncThread_([this](const std::stop_token& stop) { SyncEverySecond(stop); }) {}

DataFile::~DataFile() {
  // The sync thread goes first: the descriptor must outlive its last sync.
  syncThread_.request_stop();
  syncThread_.join();
  file_.SyncData();
  file_.Close();
}

bool DataFile::Append(std::span<const Record> records) {
  if (records.empty())
    return true;
  // One write for the whole call, so that a kill between two calls never cuts a group.
  const std::vector<char> bytes = Concatenate(records);
  platform::MutexLock lock(appendMutex_);
  // (Never the first failure: the write that left the piece was, and its cause is kept.)
  if (tailBroken_ && !CutBackToWholeGroups())
    return CountFailedWrite(std::make_error_code(std::errc::io_error));
  std::error_code cause;
  const std::size_t written = file_.WritePartial(bytes, &cause);
  if (written < bytes.size()) {
    // A piece of a group would leave it without its end and shift every later record: cut
    // it off (again on the next call if the cut fails now).
    tailBroken_ = written > 0;
    if (tailBroken_)
      CutBackToWholeGroups();
    return CountFailedWrite(cause);
  }
  length_ += written;
  recordsWritten_ += records.size();
  MarkUnsynced();
  return true;
}

bool DataFile::CutBackToWholeGroups() {
  tailBroken_ = !file_.Truncate(length_);
  MarkUnsynced();
  return !tailBroken_;
}

bool DataFile::CountFailedWrite(const std::error_code& cause) {
  ++failedWrites_;
  platform::MutexLock lock(syncMutex_);
  NoteFailure(cause);
  return false;
}

void DataFile::NoteFailure(const std::error_code& cause) {
  if (failureCause_.empty())
    failureCause_ = cause ? cause.message() : "unknown error";
}

void DataFile::MarkUnsynced() {
  platform::MutexLock lock(syncMutex_);
  unsynced_ = true;
}

std::uint32_t DataFile::FailedWrites() const {
  platform::MutexLock lock(appendMutex_);
  return failedWrites_;
}

std::uint32_t DataFile::FailedSyncs() const {
  platform::MutexLock lock(syncMutex_);
  return failedSyncs_;
}

std::uint32_t DataFile::Failures() const {
  return FailedWrites() + FailedSyncs();
}

std::uint64_t DataFile::RecordsWritten() const {
  platform::MutexLock lock(appendMutex_);
  return recordsWritten_;
}

std::string DataFile::FailureCause() const {
  platform::MutexLock lock(syncMutex_);
  return failureCause_;
}

bool DataFile::Sync() {
  {
    platform::MutexLock lock(syncMutex_);
    unsynced_ = false;
  }
  return SyncAndCount();
}

bool DataFile::SyncAndCount() {
  std::error_code cause;
  const bool synced = file_.SyncData(&cause);
  if (!synced) {
    platform::MutexLock lock(syncMutex_);
    ++failedSyncs_;
    NoteFailure(cause);
  }
  return synced;
}

void DataFile::SyncEverySecond(const std::stop_token& stop) {
  const auto stopRequested = [&stop] { return stop.stop_requested(); };
  platform::MutexLock lock(syncMutex_);
  // The stop request of the destructor ends a wait at once; the destructor syncs what is left.
  while (!syncWake_.wait_for(lock, stop, SYNC_PERIOD, stopRequested)) {
    if (!std::exchange(unsynced_, false))
      continue;
    lock.unlock();
    SyncAndCount();
    lock.lock();
  }
}

}  // namespace gradlog
