#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "config/SurveySettings.h"

namespace gradlog {

inline constexpr std::string_view SETTINGS_VERSION_LINE = "Ver1.34";

// Longer lines keep their first characters: "%f" of the largest double is 316 characters.
inline constexpr std::size_t SETTINGS_LINE_MAX = 512;

// The settings file's bytes: the version line, then one line per field, each ended by CR LF.
std::string FormatSettingsText(const SurveySettings& settings);

// Reads every field from the settings file's bytes when their first line is the version line,
// and says whether it was; otherwise `settings` are left alone. Lines missing at the end read
// as empty, which gives 0.
bool ParseSettingsText(std::string_view text, SurveySettings& settings);

// The next line of `rest`, and `rest` moved past it. A LF ends a line; a CR just before it is
// dropped, any other CR is text (a CR-only file is one line). The last line needs no line end.
// A line is cut to `maxLength` characters (a CR just before the LF counts among them), and past
// the end every line is empty.
std::string_view NextSettingsLine(std::string_view& rest,
                                  std::size_t maxLength = SETTINGS_LINE_MAX);

}  // namespace gradlog
