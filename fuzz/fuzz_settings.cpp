// Arbitrary bytes as the settings file: loading (twice, as start-up does) and saving must not
// crash or overflow, the grids stay within nine rows, and what is saved reads back to the same
// file.
#include <stdlib.h>

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>

#include "config/SettingsFile.h"
#include "config/SurveyLineText.h"
#include "display/DisplayScales.h"
#include "platform/sys/DevicePaths.h"

namespace {

std::filesystem::path MakeFuzzRoot() {
  std::string pattern =
      (std::filesystem::temp_directory_path() / "gradlog-fuzz-settings-XXXXXX").string();
  if (::mkdtemp(pattern.data()) == nullptr)
    abort();
  return pattern;
}

const std::filesystem::path& FuzzRoot() {
  static const std::filesystem::path root = MakeFuzzRoot();
  return root;
}

void RemoveFuzzRoot() {
  std::error_code error;
  std::filesystem::remove_all(FuzzRoot(), error);
}

std::filesystem::path SettingsPath() {
  return FuzzRoot() / "C_DRIVE" / "KELINI" / "Z601CX.INI";
}

std::string ReadSettingsBytes() {
  std::ifstream in(SettingsPath(), std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// Start-up's sequence, then a save as a confirmed dialog does; returns the saved file.
std::string StartAndSave() {
  auto config = std::make_unique<gradlog::ConfigState>();
  auto display = std::make_unique<gradlog::DisplayState>();
  gradlog::InitDisplayScales(*display, config->settings);
  gradlog::LoadSettings(*config);
  gradlog::LoadSettings(*config);
  gradlog::ApplyDisplaySettings(*display, config->settings);
  if (display->profile.profileGridRows.count < 0 || display->profile.profileGridRows.count > 9)
    abort();
  if (display->profile.barGridRows.count < 0 || display->profile.barGridRows.count > 9)
    abort();
  // The survey line is kept as stored: whole characters, at most eleven of them.
  if (gradlog::SurveyLineText(config->settings.surveyLine) != config->settings.surveyLine)
    abort();
  gradlog::SaveSettings(*config);
  return ReadSettingsBytes();
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  platform::SetDeviceRoot(FuzzRoot());
  std::atexit(RemoveFuzzRoot);
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::filesystem::create_directories(SettingsPath().parent_path());
  {
    std::ofstream out(SettingsPath(), std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
  }
  const std::string saved = StartAndSave();
  // Saved values are in the file's own format, so a second round changes nothing.
  if (StartAndSave() != saved)
    abort();
  return 0;
}
