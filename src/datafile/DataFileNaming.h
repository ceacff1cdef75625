#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "config/SurveySettings.h"
#include "platform/sys/SystemServices.h"

namespace gradlog {

// "C_DRIVE\DATAZEP601\" (dataStorage 0) or "Storage Card\DATAZEP601\" (1).
std::string DataFolder(std::int32_t dataStorage);
// ".601" with the instrument, ".GXY" for a run of positions only.
std::string_view DataFileExtension(std::int32_t instrumentEnabled);

// MMDDHH and the first letter from 'A' whose file does not exist yet in the data folder
// (e.g. "120510A"); when all 26 exist, the full path of the 'Z' file.
std::string ProposeDataFileName(const SurveySettings& settings, const platform::LocalTime& now);

// The part of the file name before its extension, without folder and dot.
std::string BareDataFileName(std::string_view path);

}  // namespace gradlog
