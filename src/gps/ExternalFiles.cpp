#include "gps/ExternalFiles.h"

#include <array>
#include <string>

#include "datafile/Record.h"
#include "platform/sys/Files.h"
#include "platform/ui/FileChooser.h"

namespace gradlog {

namespace {

// Where the first 12 bytes say which logger wrote the file; only this format's 27-byte
// records can be walked here.
constexpr std::size_t IDENTIFICATION_LENGTH = 12;
constexpr std::string_view DATA_FILE_MAGIC = "ZEP601  W";

}  // namespace

std::optional<std::int32_t> DataFileRecordLength(std::string_view firstBytes) {
  if (firstBytes.size() < IDENTIFICATION_LENGTH ||
      firstBytes.substr(0, IDENTIFICATION_LENGTH).find(DATA_FILE_MAGIC) == std::string_view::npos) {
    return std::nullopt;
  }
  return static_cast<std::int32_t>(RECORD_LENGTH);
}

std::optional<std::int32_t> DataFileRecordLengthAt(std::string_view devicePath) {
  std::optional<platform::File> file = platform::File::OpenExisting(devicePath);
  if (!file)
    return std::nullopt;
  std::array<char, IDENTIFICATION_LENGTH> firstBytes{};
  const std::size_t got = file->ReadAt(0, firstBytes);
  return DataFileRecordLength(std::string_view(firstBytes.data(), got));
}

ExternalChoice OpenExternalDataFile(platform::Hwnd owner, std::string_view initialFolder,
                                    ExternalTrack& external) {
  const std::optional<std::string> path =
      platform::ChooseFile(owner, {.mode = platform::FileChooserMode::Open,
                                   .title = "Open Data File",
                                   .filterLabel = "All Files (*.*)",
                                   .filterPattern = "*.*",
                                   .initialFolder = std::string(initialFolder)});
  if (!path)
    return ExternalChoice::Cancelled;
  const std::optional<std::int32_t> recordLength = DataFileRecordLengthAt(*path);
  if (!recordLength)
    return ExternalChoice::OtherFormat;
  external.filePath = *path;
  external.recordLength = *recordLength;
  external.isAscii = 0;
  return ExternalChoice::Chosen;
}

bool OpenAsciiPositionFile(platform::Hwnd owner, std::string_view initialFolder,
                           ExternalTrack& external) {
  const std::optional<std::string> path =
      platform::ChooseFile(owner, {.mode = platform::FileChooserMode::Open,
                                   .title = "Open ASCII File",
                                   .filterLabel = "ASCII Files (*.ASC)",
                                   .filterPattern = "*.ASC",
                                   .defaultExtension = "DAT",
                                   .initialFolder = std::string(initialFolder)});
  if (!path)
    return false;
  external.filePath = *path;
  external.isAscii = 1;
  return true;
}

}  // namespace gradlog
