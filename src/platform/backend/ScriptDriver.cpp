#include <cstdio>

#include "platform/backend/EventBuilders.h"
#include "platform/backend/Script.h"

namespace platform {
namespace {

// Exit code for a script that asked for something the program could not give.
constexpr int SCRIPT_FAILED = 3;
// Exit code for a command the script driver cannot run at all.
constexpr int SCRIPT_INVALID = 2;

}  // namespace

ScriptDriver::ScriptDriver(std::vector<ScriptCommand> commands, ScriptHost& host)
    : commands_(std::move(commands)), host_(host) {}

void ScriptDriver::RunDue(std::uint32_t now) {
  if (Finished()) {
    return;
  }
  if (!started_) {
    started_ = true;
    nextDue_ = now;
  }
  // A signed difference keeps the order right across the 32-bit tick wrap.
  if (static_cast<std::int32_t>(now - nextDue_) < 0) {
    return;
  }
  // A failing command ends the script (next_ jumps to the end) before the host is told, so
  // nothing more is fed whether or not Fail returns.
  const ScriptCommand& command = commands_[next_++];
  switch (command.kind) {
    case ScriptCommandKind::Wait:
      nextDue_ = now + command.milliseconds;
      break;
    case ScriptCommandKind::Key:
      if (const auto events = KeyPressEvents(command.text)) {
        for (const InputEvent& event : *events) {
          host_.Inject(event);
        }
      } else {
        next_ = commands_.size();
        host_.Fail(SCRIPT_INVALID, "key: unknown key name \"" + command.text + "\"");
      }
      break;
    case ScriptCommandKind::Type:
      for (const InputEvent& event : TypeEvents(command.text)) {
        host_.Inject(event);
      }
      break;
    case ScriptCommandKind::Click:
      host_.Inject(PointerEvent(InputKind::ButtonDown, command.point));
      host_.Inject(PointerEvent(InputKind::ButtonUp, command.point));
      break;
    case ScriptCommandKind::Screenshot:
      if (host_.WriteScreenshot(command.text)) {
        // The run script reads this line to show the user where the picture went.
        std::printf("screenshot: %s\n", command.text.c_str());
        std::fflush(stdout);
      } else {
        next_ = commands_.size();
        host_.Fail(SCRIPT_FAILED, "screenshot: cannot write " + command.text);
      }
      break;
    case ScriptCommandKind::Expect:
      if (!host_.IsTextVisible(command.text)) {
        next_ = commands_.size();
        host_.Fail(SCRIPT_FAILED, "expect: \"" + command.text + "\" is not on the screen");
      }
      break;
    case ScriptCommandKind::Quit:
      host_.Quit();
      break;
  }
}

}  // namespace platform
