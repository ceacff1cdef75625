#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "platform/backend/Script.h"

namespace {

bool IsScalarValue(char32_t c) {
  return c <= 0x10FFFF && (c < 0xD800 || c > 0xDFFF);
}

}  // namespace

// Script files come from users; parsing them and turning their keys and text into input must
// never crash, and what the parser accepts must be usable.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  const platform::ScriptParseResult result = platform::ParseScript(text);
  if (result.commands.empty() && result.error.empty() &&
      text.find_first_not_of(" \t\r\n\v\f") != std::string_view::npos &&
      text.find('#') == std::string_view::npos) {
    // Non-blank text without comments must give a command or an error.
    std::abort();
  }
  for (const platform::ScriptCommand& command : result.commands) {
    if (command.kind == platform::ScriptCommandKind::Key) {
      if (!platform::KeyPressEvents(command.text)) {
        std::abort();
      }
    } else if (command.kind == platform::ScriptCommandKind::Type) {
      for (const platform::InputEvent& event : platform::TypeEvents(command.text)) {
        if (event.kind == platform::InputKind::Char && !IsScalarValue(event.character)) {
          std::abort();
        }
      }
    }
  }
  return 0;
}
