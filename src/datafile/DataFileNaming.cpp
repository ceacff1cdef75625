#include "datafile/DataFileNaming.h"

#include <cstdio>

#include "config/SettingChoices.h"
#include "platform/sys/Files.h"

namespace gradlog {

namespace {

constexpr char C_DRIVE_DATA_FOLDER[] = "C_DRIVE\\DATAZEP601\\";
constexpr char CARD_DATA_FOLDER[] = "Storage Card\\DATAZEP601\\";

// Taken when anything stands at the name: a file, or a folder the new file could not replace.
bool NameTaken(const std::string& devicePath) {
  return platform::FileExists(devicePath) || platform::DirectoryExists(devicePath);
}

}  // namespace

std::string DataFolder(std::int32_t dataStorage) {
  return dataStorage == DATA_STORAGE_CARD ? CARD_DATA_FOLDER : C_DRIVE_DATA_FOLDER;
}

std::string_view DataFileExtension(std::int32_t instrumentEnabled) {
  return instrumentEnabled == CHOICE_ENABLED ? ".601" : ".GXY";
}

std::string ProposeDataFileName(const SurveySettings& settings, const platform::LocalTime& now) {
  // Room for three numbers of any size a broken clock could give.
  char stem[40];
  std::snprintf(stem, sizeof stem, "%02d%02d%02d", now.month, now.day, now.hour);
  const std::string folder = DataFolder(settings.dataStorage);
  const std::string_view extension = DataFileExtension(settings.instrumentEnabled);
  std::string path;
  for (char letter = 'A'; letter <= 'Z'; ++letter) {
    const std::string name = stem + std::string(1, letter);
    path = folder + name;
    path += extension;
    if (!NameTaken(path))
      return name;
  }
  // Every letter taken: the last path tried, which the chooser's caller then refuses.
  return path;
}

std::string BareDataFileName(std::string_view path) {
  const std::size_t separator = path.find_last_of("\\/");
  std::string_view name = separator == std::string_view::npos ? path : path.substr(separator + 1);
  const std::size_t dot = name.rfind('.');
  if (dot != std::string_view::npos)
    name = name.substr(0, dot);
  return std::string(name);
}

}  // namespace gradlog
