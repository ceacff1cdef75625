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

struct Key {
  std::uint32_t virtualKey;
  char32_t character;
};

// A key without modifiers: a letter or digit, a named key or a function key.
std::optional<Key> PlainKey(std::string_view keyName) {
  if (keyName.size() == 1) {
    const char c = ToLower(keyName[0]);
    if ((c >= 'a' && c <= 'z') || (c >= '0' && c <= '9')) {
      return Key{VirtualKeyForCharacter(static_cast<char32_t>(c)), static_cast<char32_t>(c)};
    }
    return std::nullopt;
  }
  for (const NamedKey& key : NAMED_KEYS) {
    if (EqualsIgnoringCase(keyName, key.name)) {
      return Key{key.virtualKey, key.character};
    }
  }
  if (const std::uint32_t functionKey = FunctionKey(keyName); functionKey != 0) {
    return Key{functionKey, 0};
  }
  return std::nullopt;
}

// Removes "prefix" (given in lower case) from the front of the name, whatever its case.
bool TakePrefix(std::string_view& name, std::string_view lowerCasePrefix) {
  if (name.size() <= lowerCasePrefix.size() ||
      !EqualsIgnoringCase(name.substr(0, lowerCasePrefix.size()), lowerCasePrefix)) {
    return false;
  }
  name.remove_prefix(lowerCasePrefix.size());
  return true;
}

}  // namespace

std::optional<std::vector<InputEvent>> KeyPressEvents(std::string_view keyName) {
  bool shift = false;
  bool alt = false;
  for (bool more = true; more;) {
    more = false;
    if (!shift && TakePrefix(keyName, "shift+")) {
      shift = more = true;
    } else if (!alt && TakePrefix(keyName, "alt+")) {
      alt = more = true;
    }
  }
  std::optional<Key> key = PlainKey(keyName);
  if (!key) {
    return std::nullopt;
  }
  const bool digit = key->character >= U'0' && key->character <= U'9';
  if (shift && digit) {
    // What Shift and a digit type depends on the keyboard layout.
    return std::nullopt;
  }
  if (shift && key->character >= U'a' && key->character <= U'z') {
    key->character = key->character - U'a' + U'A';
  }
  if (alt) {
    // Alt and a key make a command, not text.
    key->character = 0;
  }
  std::vector<InputEvent> events;
  // The modifiers go down first and up last, as a person's fingers do.
  if (shift) {
    events.push_back(KeyEvent(InputKind::KeyDown, VK_SHIFT, true, alt));
  }
  if (alt) {
    events.push_back(KeyEvent(InputKind::KeyDown, VK_MENU, shift, true));
  }
  events.push_back(KeyEvent(InputKind::KeyDown, key->virtualKey, shift, alt));
  if (key->character != 0) {
    events.push_back(CharEvent(key->character, shift, alt));
  }
  events.push_back(KeyEvent(InputKind::KeyUp, key->virtualKey, shift, alt));
  if (alt) {
    events.push_back(KeyEvent(InputKind::KeyUp, VK_MENU, shift, false));
  }
  if (shift) {
    events.push_back(KeyEvent(InputKind::KeyUp, VK_SHIFT));
  }
  return events;
}

}  // namespace platform
