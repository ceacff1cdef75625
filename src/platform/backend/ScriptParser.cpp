#include <array>
#include <charconv>
#include <cstdint>
#include <limits>

#include "platform/backend/Script.h"

namespace platform {
namespace {

constexpr std::string_view WHITESPACE = " \t\r\v\f";

// Waits are compared with tick counts as signed 32-bit differences, so a longer wait would
// look already over.
constexpr std::uint64_t MAX_WAIT_MS = std::numeric_limits<std::int32_t>::max();
constexpr std::uint64_t MAX_COORDINATE = std::numeric_limits<int>::max();

std::string_view Trim(std::string_view s) {
  const std::size_t first = s.find_first_not_of(WHITESPACE);
  if (first == std::string_view::npos) {
    return {};
  }
  return s.substr(first, s.find_last_not_of(WHITESPACE) - first + 1);
}

std::string Quoted(std::string_view s) {
  return "\"" + std::string(s) + "\"";
}

// The next whitespace-separated word of `rest`, which loses it.
std::string_view TakeWord(std::string_view& rest) {
  rest = Trim(rest);
  const std::size_t end = std::min(rest.find_first_of(WHITESPACE), rest.size());
  const std::string_view word = rest.substr(0, end);
  rest = rest.substr(end);
  return word;
}

struct Number {
  std::uint64_t value = 0;
  std::string error;  // empty when `value` is good
};

// A decimal number without sign, at most `limit`.
Number ParseNumber(std::string_view word, std::uint64_t limit) {
  if (word.empty()) {
    return {.error = "missing number"};
  }
  if (word[0] == '-') {
    return {.error = "negative number " + Quoted(word)};
  }
  std::uint64_t value = 0;
  const auto [end, status] = std::from_chars(word.data(), word.data() + word.size(), value);
  if (word[0] < '0' || word[0] > '9' || end != word.data() + word.size()) {
    return {.error = "not a number: " + Quoted(word)};
  }
  if (status == std::errc::result_out_of_range || value > limit) {
    return {.error =
                "number too large: " + Quoted(word) + " (at most " + std::to_string(limit) + ")"};
  }
  return {.value = value, .error = {}};
}

// Each parser fills the command from the text after the command word (`argument`, already
// without the one separating space) and returns what is wrong with it, or "".
using ArgumentParser = std::string (*)(std::string_view argument, ScriptCommand& command);

std::string ParseWait(std::string_view argument, ScriptCommand& command) {
  const Number ms = ParseNumber(TakeWord(argument), MAX_WAIT_MS);
  if (!ms.error.empty()) {
    return ms.error;
  }
  if (!Trim(argument).empty()) {
    return "unexpected " + Quoted(Trim(argument)) + " after the number";
  }
  command.milliseconds = static_cast<std::uint32_t>(ms.value);
  return {};
}

std::string ParseKey(std::string_view argument, ScriptCommand& command) {
  const std::string_view name = Trim(argument);
  if (name.empty()) {
    return "missing key name";
  }
  if (!KeyPressEvents(name)) {
    return "unknown key name " + Quoted(name);
  }
  command.text = name;
  return {};
}

// The text is the whole rest of the line, spaces and '#' included.
std::string ParseText(std::string_view argument, ScriptCommand& command) {
  if (argument.empty()) {
    return "missing text";
  }
  command.text = argument;
  return {};
}

std::string ParsePath(std::string_view argument, ScriptCommand& command) {
  const std::string_view path = Trim(argument);
  if (path.empty()) {
    return "missing path";
  }
  command.text = path;
  return {};
}

std::string ParseClick(std::string_view argument, ScriptCommand& command) {
  const std::string_view xWord = TakeWord(argument);
  const std::string_view yWord = TakeWord(argument);
  if (yWord.empty() || !Trim(argument).empty()) {
    return "expected two numbers X Y";
  }
  const Number x = ParseNumber(xWord, MAX_COORDINATE);
  if (!x.error.empty()) {
    return x.error;
  }
  const Number y = ParseNumber(yWord, MAX_COORDINATE);
  if (!y.error.empty()) {
    return y.error;
  }
  command.point = {static_cast<int>(x.value), static_cast<int>(y.value)};
  return {};
}

std::string ParseNoArgument(std::string_view argument, ScriptCommand&) {
  return argument.empty() ? std::string() : "unexpected argument " + Quoted(argument);
}

struct CommandSyntax {
  std::string_view name;
  ScriptCommandKind kind;
  ArgumentParser parse;
};

constexpr std::array COMMANDS{
    CommandSyntax{"wait", ScriptCommandKind::Wait, ParseWait},
    CommandSyntax{"key", ScriptCommandKind::Key, ParseKey},
    CommandSyntax{"type", ScriptCommandKind::Type, ParseText},
    CommandSyntax{"click", ScriptCommandKind::Click, ParseClick},
    CommandSyntax{"screenshot", ScriptCommandKind::Screenshot, ParsePath},
    CommandSyntax{"expect", ScriptCommandKind::Expect, ParseText},
    CommandSyntax{"quit", ScriptCommandKind::Quit, ParseNoArgument},
};

// Parses one trimmed, non-blank, non-comment line; returns the error, or "".
std::string ParseLine(std::string_view line, ScriptCommand& command) {
  const std::size_t wordEnd = std::min(line.find_first_of(WHITESPACE), line.size());
  const std::string_view word = line.substr(0, wordEnd);
  // Exactly one separator goes, so that text may start with spaces of its own.
  const std::string_view argument = line.substr(std::min(wordEnd + 1, line.size()));
  for (const CommandSyntax& syntax : COMMANDS) {
    if (word == syntax.name) {
      command.kind = syntax.kind;
      const std::string error = syntax.parse(argument, command);
      return error.empty() ? error : std::string(word) + ": " + error;
    }
  }
  return "unknown command " + Quoted(word);
}

}  // namespace

ScriptParseResult ParseScript(std::string_view text) {
  ScriptParseResult result;
  int lineNumber = 0;
  while (!text.empty()) {
    ++lineNumber;
    const std::size_t end = std::min(text.find('\n'), text.size());
    const std::string_view line = Trim(text.substr(0, end));
    text = text.substr(std::min(end + 1, text.size()));
    if (line.empty() || line[0] == '#') {
      continue;
    }
    ScriptCommand command;
    command.lineNumber = lineNumber;
    if (std::string error = ParseLine(line, command); !error.empty()) {
      result.error = "line " + std::to_string(lineNumber) + ": " + error;
      return result;
    }
    result.commands.push_back(std::move(command));
  }
  return result;
}

}  // namespace platform
