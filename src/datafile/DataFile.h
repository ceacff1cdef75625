#pragma once

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <memory>
#include <mutex>
#include <span>
#include <string_view>
#include <thread>

#include "datafile/Record.h"
#include "platform/sys/Files.h"

namespace gradlog {

// The open data file. The UI thread and the total-station reader append to it at once, so
// every append holds a lock; a record is one write call and reaches the file whole.
// Written records reach the disk at least once a second (a background sync while there is
// something unsynced) and whenever Sync() is called (pause, stop).
class DataFile {
 public:
  // Creates (or empties) the file at `devicePath`; nullptr when it cannot be created.
  static std::shared_ptr<DataFile> Create(std::string_view devicePath);

  explicit DataFile(platform::File file);
  ~DataFile();  // syncs and closes
  DataFile(const DataFile&) = delete;
  DataFile& operator=(const DataFile&) = delete;

  // Appends the records in order, one write each, without another thread's records between
  // them. A short or failed write is cut back to the last whole record and the rest of the
  // call is not written, so later records stay aligned; the failure is counted. True when
  // every record was written.
  bool Append(std::span<const Record> records);
  bool Append(const Record& record) { return Append(std::span<const Record>(&record, 1)); }

  // Calls to Append that failed since the file was opened.
  std::uint32_t FailedWrites() const;
  // Records written since the file was opened.
  std::uint64_t RecordsWritten() const;

  // Makes everything written so far durable now; false when the disk refused.
  bool Sync();

 private:
  // Truncates to the records counted in length_; false (and tailBroken_ kept) on failure.
  bool CutBackToWholeRecords();
  // Counts a failed Append and gives its result, false.
  bool CountFailure();
  void SyncEverySecond();

  // The descriptor is only read after construction, so the sync thread may use it beside an
  // append; it is closed after that thread has ended.
  platform::File file_;

  std::mutex appendMutex_;    // one Append at a time; guards the two fields below
  std::uint64_t length_ = 0;  // bytes of whole records in the file
  bool tailBroken_ = false;   // a piece of a record is still at the end after a failed cut

  std::atomic<std::uint32_t> failedWrites_{0};
  std::atomic<std::uint64_t> recordsWritten_{0};
  std::atomic<bool> unsynced_{false};

  std::mutex stopMutex_;  // guards stopping_
  std::condition_variable stopWake_;
  bool stopping_ = false;
  std::thread syncThread_;
};

}  // namespace gradlog
