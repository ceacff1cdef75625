#include "datafile/DataFile.h"

#include <chrono>
#include <optional>
#include <utility>

namespace gradlog {

namespace {

// Records written reach the disk within this time even if nobody calls Sync().
constexpr std::chrono::seconds SYNC_PERIOD{1};

}  // namespace

std::shared_ptr<DataFile> DataFile::Create(std::string_view devicePath) {
  std::optional<platform::File> file = platform::File::CreateAlways(devicePath);
  if (!file)
    return nullptr;
  return std::make_shared<DataFile>(std::move(*file));
}

DataFile::DataFile(platform::File file) : file_(std::move(file)) {
  // Appends go to the end whatever the position of the file handed over.
  length_ = file_.SeekToEnd().value_or(0);
  syncThread_ = std::thread([this] { SyncEverySecond(); });
}

DataFile::~DataFile() {
  {
    std::lock_guard lock(stopMutex_);
    stopping_ = true;
  }
  stopWake_.notify_all();
  syncThread_.join();
  file_.SyncData();
  file_.Close();
}

bool DataFile::Append(std::span<const Record> records) {
  std::lock_guard lock(appendMutex_);
  if (tailBroken_ && !CutBackToWholeRecords())
    return CountFailure();
  for (const Record& record : records) {
    const std::size_t written = file_.WritePartial(record);
    if (written == record.size()) {
      length_ += record.size();
      recordsWritten_.fetch_add(1, std::memory_order_relaxed);
      unsynced_.store(true, std::memory_order_relaxed);
      continue;
    }
    // A piece of a record would shift every later record: cut it off (again on the next
    // call if the cut fails now), and leave the rest of this call unwritten.
    tailBroken_ = written > 0;
    if (tailBroken_)
      CutBackToWholeRecords();
    return CountFailure();
  }
  return true;
}

bool DataFile::CutBackToWholeRecords() {
  tailBroken_ = !file_.Truncate(length_);
  unsynced_.store(true, std::memory_order_relaxed);
  return !tailBroken_;
}

bool DataFile::CountFailure() {
  failedWrites_.fetch_add(1, std::memory_order_relaxed);
  return false;
}

std::uint32_t DataFile::FailedWrites() const {
  return failedWrites_.load(std::memory_order_relaxed);
}

std::uint64_t DataFile::RecordsWritten() const {
  return recordsWritten_.load(std::memory_order_relaxed);
}

bool DataFile::Sync() {
  unsynced_.store(false, std::memory_order_relaxed);
  return file_.SyncData();
}

void DataFile::SyncEverySecond() {
  std::unique_lock lock(stopMutex_);
  while (!stopWake_.wait_for(lock, SYNC_PERIOD, [this] { return stopping_; })) {
    lock.unlock();
    if (unsynced_.exchange(false, std::memory_order_relaxed))
      file_.SyncData();
    lock.lock();
  }
}

}  // namespace gradlog
