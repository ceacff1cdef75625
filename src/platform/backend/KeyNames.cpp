#include <array>

#include "platform/backend/EventBuilders.h"
#include "platform/backend/Script.h"
#include "platform/backend/VirtualKeys.h"

namespace platform {
namespace {

struct NamedKey {
  std::string_view name;
  std::uint32_t virtualKey;
  char32_t character;  // 0: the key types nothing
};

// The characters are the ones the classic system sends with these keys.
constexpr std::array NAMED_KEYS{
    NamedKey{"enter", VK_RETURN, 0x0D},   NamedKey{"tab", VK_TAB, 0x09},
    NamedKey{"escape", VK_ESCAPE, 0x1B},  NamedKey{"space", VK_SPACE, U' '},
    NamedKey{"backspace", VK_BACK, 0x08}, NamedKey{"up", VK_UP, 0},
    NamedKey{"down", VK_DOWN, 0},         NamedKey{"left", VK_LEFT, 0},
    NamedKey{"right", VK_RIGHT, 0},
};

char ToLower(char c) {
  return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

bool EqualsIgnoringCase(std::string_view a, std::string_view lowerCase) {
  if (a.size() != lowerCase.size()) {
    return false;
  }
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (ToLower(a[i]) != lowerCase[i]) {
      return false;
    }
  }
  return true;
}

// "F1" to "F12" (no leading zero); 0 for any other name.
std::uint32_t FunctionKey(std::string_view name) {
  if (name.size() < 2 || name.size() > 3 || ToLower(name[0]) != 'f' || name[1] == '0') {
    return 0;
  }
  int number = 0;
  for (char c : name.substr(1)) {
    if (c < '0' || c > '9') {
      return 0;
    }
    number = number * 10 + (c - '0');
  }
  const int count = static_cast<int>(VK_F12 - VK_F1) + 1;
  return number >= 1 && number <= count ? VK_F1 + static_cast<std::uint32_t>(number - 1) : 0;
}

}  // namespace

std::optional<std::vector<InputEvent>> KeyPressEvents(std::string_view keyName) {
  std::vector<InputEvent> events;
  if (keyName.size() == 1) {
    const char c = ToLower(keyName[0]);
    if ((c >= 'a' && c <= 'z') || (c >= '0' && c <= '9')) {
      AppendKeyPress(events, VirtualKeyForCharacter(static_cast<char32_t>(c)),
                     static_cast<char32_t>(c), false);
      return events;
    }
    return std::nullopt;
  }
  for (const NamedKey& key : NAMED_KEYS) {
    if (EqualsIgnoringCase(keyName, key.name)) {
      AppendKeyPress(events, key.virtualKey, key.character, false);
      return events;
    }
  }
  if (const std::uint32_t functionKey = FunctionKey(keyName); functionKey != 0) {
    AppendKeyPress(events, functionKey, 0, false);
    return events;
  }
  return std::nullopt;
}

}  // namespace platform
