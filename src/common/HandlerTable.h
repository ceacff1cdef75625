#pragma once

#include <cstdint>
#include <span>

#include "platform/ui/Window.h"

namespace gradlog {

// One window class's message handlers over the state `State` its window works on.
template <typename State>
struct HandlerEntry {
  std::uint32_t message;
  platform::LRESULT (*handler)(State& state, const platform::Message& message);
};

// Searches the table in order and calls the first handler of the message; the default
// window procedure takes what the table does not name.
template <typename State>
platform::LRESULT DispatchByTable(std::span<const HandlerEntry<State>> table, State& state,
                                  const platform::Message& message) {
  for (const HandlerEntry<State>& entry : table) {
    if (entry.message == message.message)
      return entry.handler(state, message);
  }
  return platform::DefWindowProc(message);
}

}  // namespace gradlog
