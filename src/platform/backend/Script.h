#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/backend/InputEvent.h"

namespace platform {

enum class ScriptCommandKind { Wait, Key, Type, Click, Screenshot, Expect, Quit };

struct ScriptCommand {
  ScriptCommandKind kind = ScriptCommandKind::Wait;
  int lineNumber = 0;
  std::uint32_t milliseconds = 0;  // Wait
  std::string text;                // Key name, Type text, Screenshot path, Expect text
  Point point;                     // Click
};

struct ScriptParseResult {
  std::vector<ScriptCommand> commands;
  std::string error;  // empty when the whole script parsed; else "line N: what is wrong"
};

// One command a line; '#' starts a comment; blank lines are skipped.
ScriptParseResult ParseScript(std::string_view text);

// The input events of pressing and releasing a named key ("A", "7", "Enter", "F3", ...):
// key down, the character it types if any, key up. "Shift+" and "Alt+" in front hold those
// keys around it ("Shift+Tab", "Alt+S"; Alt types nothing). nullopt for an unknown name.
std::optional<std::vector<InputEvent>> KeyPressEvents(std::string_view keyName);
// The events of typing each character of the text as a person would.
std::vector<InputEvent> TypeEvents(std::string_view text);

// What the script driver needs from the program it drives.
class ScriptHost {
 public:
  virtual ~ScriptHost() = default;
  virtual void Inject(const InputEvent& event) = 0;
  virtual bool WriteScreenshot(const std::string& path) = 0;
  virtual bool IsTextVisible(std::string_view text) = 0;
  virtual void Quit() = 0;
  // Ends the program with this exit code after printing the message.
  virtual void Fail(int exitCode, const std::string& message) = 0;
};

// Feeds a parsed script to the program, one command at a time, when the program is idle.
class ScriptDriver {
 public:
  ScriptDriver(std::vector<ScriptCommand> commands, ScriptHost& host);
  // Runs the next command if it is due at `now` (a tick count in ms). One command a call, so
  // that the program handles each command's effects before the next; `wait MS` makes the
  // next command due MS ms later.
  void RunDue(std::uint32_t now);
  // The tick at which the next command is due; meaningful while !Finished().
  std::uint32_t NextDueTick() const { return nextDue_; }
  bool Finished() const { return next_ >= commands_.size(); }

 private:
  std::vector<ScriptCommand> commands_;
  ScriptHost& host_;
  std::size_t next_ = 0;
  std::uint32_t nextDue_ = 0;
  bool started_ = false;
};

}  // namespace platform
