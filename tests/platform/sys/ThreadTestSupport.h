#pragma once

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <future>
#include <latch>
#include <thread>

namespace gradlog::testing {

// Polls until `condition` holds; the limit is only there so that a fault fails instead of hangs.
inline bool Eventually(const std::function<bool()>& condition) {
  using namespace std::chrono_literals;
  for (int i = 0; i < 20'000 && !condition(); ++i)
    std::this_thread::sleep_for(1ms);
  return condition();
}

// Gives a thread that should be held back time to run anyway, so that a fault shows.
inline void LetItRun() {
  using namespace std::chrono_literals;
  std::this_thread::sleep_for(20ms);
}

// Runs `call` on another thread, lets it block, runs `wake` (which should end the call), and
// tells what the call returned. The bound only turns a hang into a failure.
template <typename Wake, typename Call>
auto ResultAfter(Wake wake, Call call) {
  using namespace std::chrono_literals;
  std::latch started(1);
  auto result = std::async(std::launch::async, [&] {
    started.count_down();
    return call();
  });
  started.wait();
  std::this_thread::sleep_for(20ms);
  auto waking = std::async(std::launch::async, [&] { wake(); });
  if (result.wait_for(10s) != std::future_status::ready) {
    std::fputs("a blocked call did not return when it should have been woken\n", stderr);
    std::abort();  // the blocked thread cannot be ended any other way
  }
  waking.wait();
  return result.get();
}

// Runs `call`, which should not block, and tells what it returned; a hang aborts the test
// program, as the call's thread cannot be ended any other way.
template <typename Call>
auto ResultWithoutHang(Call call) {
  using namespace std::chrono_literals;
  auto result = std::async(std::launch::async, call);
  if (result.wait_for(10s) != std::future_status::ready) {
    std::fputs("a call that should not block did not return\n", stderr);
    std::abort();
  }
  return result.get();
}

}  // namespace gradlog::testing
