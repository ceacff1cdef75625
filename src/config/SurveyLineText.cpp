#include "config/SurveyLineText.h"

#include <cstddef>

#include "config/SurveySettings.h"
#include "platform/gfx/Utf8.h"

namespace gradlog {

namespace {

constexpr std::string_view REPLACEMENT_UTF8 = "\xEF\xBF\xBD";

// A malformed byte decodes as U+FFFD and moves on by one byte; a real U+FFFD takes three.
bool IsMalformed(char32_t character, std::size_t length) {
  return character == platform::REPLACEMENT_CHARACTER && length == 1;
}

}  // namespace

std::string SurveyLineText(std::string_view text) {
  text = text.substr(0, text.find_first_of(std::string_view("\0\r\n", 3)));
  std::string kept;
  std::size_t pos = 0;
  for (std::size_t count = 0; count < SURVEY_LINE_MAX && pos < text.size(); ++count) {
    const std::size_t start = pos;
    const char32_t character = platform::DecodeUtf8(text, pos);
    if (IsMalformed(character, pos - start))
      kept += REPLACEMENT_UTF8;
    else
      kept += text.substr(start, pos - start);
  }
  return kept;
}

}  // namespace gradlog
