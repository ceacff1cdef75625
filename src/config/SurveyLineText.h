#pragma once

#include <string>
#include <string_view>

namespace gradlog {

// The survey line as it is kept and stored: the text before any CR, LF or zero byte (which
// would end its line in the settings file early), cut to its first SURVEY_LINE_MAX characters.
// The result is whole UTF-8 characters only: a byte that starts no valid character becomes
// U+FFFD, so nothing written to the file is part of a character.
std::string SurveyLineText(std::string_view text);

}  // namespace gradlog
