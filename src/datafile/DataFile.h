#pragma once

#include <condition_variable>
#include <cstdint>
#include <memory>
#include <span>
#include <stop_token>
#include <string>
#include <string_view>
#include <system_error>
#include <thread>

#include "datafile/Record.h"
#include "platform/sys/Files.h"
#include "platform/sys/Mutex.h"

namespace gradlog {

// The open data file. The UI thread and the total-station reader append to it at once. Each
// Append (a group, or the header records) reaches the file in one write, whole or not at all,
// so a reader of the file never meets a group cut in two: not after a full card, and not
// after the program is killed between two appends. (The kernel looks for a kill between the
// pages one write covers: a kill inside a write that crosses a page boundary of the file can
// still leave a piece of that last group.)
// Written records reach the disk at least once a second (a background sync while there is
// something unsynced) and whenever Sync() is called (pause, stop).
class DataFile {
 public:
  // Creates (or empties) the file at `devicePath`; nullptr when it cannot be created.
  static std::shared_ptr<DataFile> Create(std::string_view devicePath);
  // A new data file: nullptr, and the reason in `error`, when it cannot be created or anything
  // stands at `devicePath` already (file_exists). Nothing existing is ever emptied.
  static std::shared_ptr<DataFile> CreateNew(std::string_view devicePath,
                                             std::error_code* error = nullptr);
  // The data file at `devicePath` again, for appending after what it holds (created when it is
  // missing); nullptr, and the reason in `error`, when it cannot be opened (a card pulled).
  static std::shared_ptr<DataFile> OpenForAppend(std::string_view devicePath,
                                                 std::error_code* error = nullptr);

  explicit DataFile(platform::File file);
  ~DataFile();  // syncs and closes
  DataFile(const DataFile&) = delete;
  DataFile& operator=(const DataFile&) = delete;

  // Appends the records in order with one write, without another thread's records between
  // them. After a short or failed write the file is cut back to its length before the call,
  // so it still ends on the last whole group; the failure is counted. True when every record
  // was written.
  bool Append(std::span<const Record> records);
  bool Append(const Record& record) { return Append(std::span<const Record>(&record, 1)); }

  // Makes everything written so far durable now; false (and counted) when the disk refused.
  bool Sync();

  // What the card refused since the file was opened, for the logging screen: calls to Append
  // that failed, syncs that failed (Sync() and the background sync alike), and the two
  // together.
  std::uint32_t FailedWrites() const;
  std::uint32_t FailedSyncs() const;
  std::uint32_t Failures() const;
  // Records written since the file was opened.
  std::uint64_t RecordsWritten() const;
  // Why the first of those failures happened (the system's text, e.g. "No space left on
  // device"); empty while there was none.
  std::string FailureCause() const;

 private:
  // Truncates to the length in length_; false (and tailBroken_ kept) on failure.
  bool CutBackToWholeGroups() REQUIRES(appendMutex_);
  // Counts a failed Append and gives its result, false.
  bool CountFailedWrite(const std::error_code& cause) REQUIRES(appendMutex_);
  // Keeps the cause when it is the first failure.
  void NoteFailure(const std::error_code& cause) REQUIRES(syncMutex_);
  void MarkUnsynced() EXCLUDES(syncMutex_);
  // Syncs without holding syncMutex_ and counts a failure.
  bool SyncAndCount() EXCLUDES(syncMutex_);
  void SyncEverySecond(const std::stop_token& stop) EXCLUDES(syncMutex_);

  // The descriptor is only read after construction, so the sync thread may use it beside an
  // append; it is closed after that thread has ended.
  platform::File file_;

  // One Append at a time, held across its write so that groups never interleave. Taken
  // before syncMutex_ where both are held.
  mutable platform::Mutex appendMutex_;
  std::uint64_t length_ GUARDED_BY(appendMutex_) = 0;  // bytes of whole groups in the file
  // A piece of a group is still at the end after a failed cut.
  bool tailBroken_ GUARDED_BY(appendMutex_) = false;
  std::uint32_t failedWrites_ GUARDED_BY(appendMutex_) = 0;
  std::uint64_t recordsWritten_ GUARDED_BY(appendMutex_) = 0;

  // Held only for a moment, never across fdatasync (which a card may take long over), so
  // neither appends nor the logging screen wait for a sync.
  mutable platform::Mutex syncMutex_;
  std::condition_variable_any syncWake_;  // ends a wait early only on a stop request
  bool unsynced_ GUARDED_BY(syncMutex_) = false;
  std::uint32_t failedSyncs_ GUARDED_BY(syncMutex_) = 0;
  // Of writes and syncs alike, so under the lock both paths may take.
  std::string failureCause_ GUARDED_BY(syncMutex_);

  // Last: it starts once every field above is ready.
  std::jthread syncThread_;
};

}  // namespace gradlog
