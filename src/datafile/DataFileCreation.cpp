#include "datafile/DataFileCreation.h"

#include <chrono>
#include <memory>
#include <string>
#include <string_view>
#include <system_error>
#include <thread>
#include <utility>

#include "common/BusyWait.h"
#include "datafile/DataFileNaming.h"
#include "datafile/RecordWriters.h"
#include "platform/sys/Files.h"
#include "platform/sys/SystemServices.h"
#include "platform/ui/FileChooser.h"
#include "platform/ui/MessageBox.h"

namespace gradlog {

namespace {

constexpr char CHOOSER_TITLE[] = "Create Data File";
// The original's words, spelling included.
constexpr char EXISTING_NAME_TEXT[] = "The file already exisits. Please enter another name";
constexpr char EXISTING_NAME_CAPTION[] = "WARNING";
constexpr std::int32_t EXISTING_NAME_PAUSE_MS = 10;
constexpr char FAILURE_TEXT[] = "Cannot create data file";
constexpr char FAILURE_CAPTION[] = "Data File";
// How long a closing file may stay with a reader thread that is inside an append through its
// copy of the handle; the file is opened again afterwards even if it is not closed by then.
constexpr std::chrono::seconds CLOSE_WAIT_LIMIT{1};

// The folder part of a device path, with its last backslash ("" for a bare name).
std::string FolderOf(std::string_view path) {
  const std::size_t separator = path.find_last_of('\\');
  return std::string(separator == std::string_view::npos ? "" : path.substr(0, separator + 1));
}

// The file name part of a device path.
std::string NameOf(std::string_view path) {
  const std::size_t separator = path.find_last_of('\\');
  return std::string(separator == std::string_view::npos ? path : path.substr(separator + 1));
}

bool NameTaken(const std::string& devicePath) {
  return platform::FileExists(devicePath) || platform::DirectoryExists(devicePath);
}

void ReportFailure(platform::Hwnd owner, std::string_view folder, const std::error_code& cause) {
  std::string text = FAILURE_TEXT;
  text += "\r\n";
  text += folder;
  text += "\r\n";
  text += cause ? cause.message() : "unknown error";
  platform::MessageBox(owner, text, FAILURE_CAPTION,
                       platform::MB_OK | platform::MB_ICONEXCLAMATION);
}

platform::FileChooserRequest ChooserRequest(const SurveySettings& settings,
                                            const std::string& folder,
                                            const std::string& proposal) {
  const bool instrument = DataFileExtension(settings.instrumentEnabled) == ".601";
  return {.mode = platform::FileChooserMode::Save,
          .title = CHOOSER_TITLE,
          .filterLabel = instrument ? "ZEP Files (*.601)" : "ZEPGXY Files (*.GXY)",
          .filterPattern = instrument ? "*.601" : "*.GXY",
          .defaultExtension = instrument ? "601" : "GXY",
          .initialFolder = folder,
          // With every letter taken the proposal is the full path of the 'Z' file; the
          // chooser takes names only, and the name is refused below as existing.
          .initialName = NameOf(proposal)};
}

// Lets go of the file: closed at once, or by the reader thread whose append holds the last
// copy as soon as that append ends, which is waited for a moment.
void Release(std::shared_ptr<DataFile> file) {
  const std::weak_ptr<DataFile> left = file;
  file.reset();
  const auto giveUp = std::chrono::steady_clock::now() + CLOSE_WAIT_LIMIT;
  while (!left.expired() && std::chrono::steady_clock::now() < giveUp)
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
}

}  // namespace

DataFileOutcome CreateDataFile(DataFileState& run, const ConfigState& config,
                               platform::Hwnd owner) {
  const SurveySettings& settings = config.settings;
  const std::string folder = DataFolder(settings.dataStorage);
  for (;;) {
    const std::string proposal = ProposeDataFileName(settings, platform::Services().Now());
    std::error_code cause;
    if (!platform::CreateDirectoryPath(folder, &cause)) {
      ReportFailure(owner, folder, cause);
      return DataFileOutcome::Failed;
    }
    const std::optional<std::string> chosen =
        platform::ChooseFile(owner, ChooserRequest(settings, folder, proposal));
    if (!chosen)
      return DataFileOutcome::Cancelled;
    // O_EXCL decides in the end: a file made at the name after the look is refused as well.
    std::shared_ptr<DataFile> file;
    if (!NameTaken(*chosen)) {
      file = DataFile::CreateNew(*chosen, &cause);
      if (!file && cause != std::errc::file_exists) {
        ReportFailure(owner, FolderOf(*chosen), cause);
        return DataFileOutcome::Failed;
      }
    }
    if (!file) {
      BusyWaitMs(EXISTING_NAME_PAUSE_MS);
      platform::MessageBox(owner, EXISTING_NAME_TEXT, EXISTING_NAME_CAPTION,
                           platform::MB_OK | platform::MB_ICONEXCLAMATION);
      continue;
    }
    run.dataFilePath = *chosen;
    run.dataFileName = BareDataFileName(*chosen);
    run.dataFileHandle.Set(std::move(file));
    // Write errors are the file's to count and the logging screen's to show; the run goes on.
    WriteDataFileHeader(run, config);
    WriteLineStartRecords(run, config);
    WriteClockRecord(run);
    run.recordingState = -1;
    return DataFileOutcome::Created;
  }
}

bool ReopenDataFile(DataFileState& run, platform::Hwnd owner) {
  if (std::shared_ptr<DataFile> old = run.dataFileHandle.Take()) {
    old->Sync();
    // Closed before it is opened again, so that the new handle counts from the file's true
    // end; should a reader's append still hold it, both write at the end all the same.
    Release(std::move(old));
  }
  if (run.dataFilePath.empty())
    return false;
  std::error_code cause;
  std::shared_ptr<DataFile> file = DataFile::OpenForAppend(run.dataFilePath, &cause);
  if (!file) {
    ReportFailure(owner, FolderOf(run.dataFilePath), cause);
    return false;
  }
  run.dataFileHandle.Set(std::move(file));
  return true;
}

void CloseDataFile(DataFileState& run) {
  Release(run.dataFileHandle.Take());  // its destructor syncs and closes
  run.dataFilePath.clear();
  run.dataFileName.clear();
}

}  // namespace gradlog
