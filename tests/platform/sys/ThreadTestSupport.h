#pragma once

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <future>
#include <thread>

namespace gradlog::testing {

// Polls until `condition` holds; the limit is only there so that a fault fails instead of hangs.
inline bool Eventually(const std::function<bool()>& condition) {
  for (int i = 0; i < 20'000 && !condition(); ++i)
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  return condition();
}

// Gives a thread that should be held back time to run anyway, so that a fault shows.
inline void LetItRun() {
  std::this_thread::sleep_for(std::chrono::milliseconds(20));
}

// Runs `call`, which should not block, and tells what it returned; a hang aborts the program.
template <typename Call>
auto ResultWithoutHang(Call call) {
  auto result = std::async(std::launch::async, call);
  if (result.wait_for(std::chrono::seconds(10)) != std::future_status::ready) {
    std::fputs("a call that should not block did not return\n", stderr);
    std::abort();
  }
  return result.get();
}

}  // namespace gradlog::testing
