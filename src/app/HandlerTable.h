#pragma once

#include <span>

#include "app/AppState.h"
#include "platform/ui/Window.h"

namespace gradlog {

using MessageHandler = platform::LRESULT (*)(AppState& app, const platform::Message& message);

struct HandlerEntry {
  std::uint32_t message;
  MessageHandler handler;
};

// Searches the table in order and calls the first handler of the message; the default
// window procedure takes what the table does not name.
inline platform::LRESULT DispatchByTable(std::span<const HandlerEntry> table, AppState& app,
                                         const platform::Message& message) {
  for (const HandlerEntry& entry : table) {
    if (entry.message == message.message)
      return entry.handler(app, message);
  }
  return platform::DefWindowProc(message);
}

}  // namespace gradlog
