#include <chrono>
#include <stop_token>
#include <utility>

#include "platform/sys/ReaderThread.h"

#include "platform/ui/PlatformState.h"

namespace platform {

namespace {

constexpr int LONGEST_IDLE_WAIT_MS = 50;

std::optional<LRESULT> CallProcedure(const Message& message) {
  WindowData* window = FindWindowData(message.hwnd);
  if (window == nullptr)
    return std::nullopt;
  // A copy: the procedure may destroy its own window.
  const WindowProc procedure = window->procedure;
  return procedure(message);
}

// Queues under the lock, through the reader's gate when a reader thread is the sender, so
// that a suspended reader hands over nothing, and nothing read before a suspension.
bool Enqueue(const std::function<void()>& enqueue) {
  if (ReaderThread* reader = ReaderThread::Current())
    return reader->Handover(enqueue) == ReaderThread::HandoverResult::HandedOver;
  enqueue();
  return true;
}

void ServiceSends() {
  PlatformState& s = State();
  for (;;) {
    std::shared_ptr<PendingSend> send;
    {
      std::lock_guard lock(s.mutex);
      if (s.sends.empty())
        return;
      send = s.sends.front();
      s.sends.pop_front();
    }
    const std::optional<LRESULT> result = CallProcedure(send->message);
    {
      std::lock_guard lock(s.mutex);
      send->result = result;
      send->finished = true;
    }
    s.sendDone.notify_all();
  }
}

bool NextPaint(Message& out) {
  for (Hwnd hwnd : WindowsInPaintOrder()) {
    WindowData& window = *FindWindowData(hwnd);
    if (!NeedsPaint(window))
      continue;
    if (window.frameDirty)
      DrawFrame(window);
    if (window.update.IsEmpty())
      continue;
    out = Message{.hwnd = hwnd, .message = WM_PAINT};
    return true;
  }
  return false;
}

bool IsDue(std::uint32_t due, std::uint32_t now) {
  return static_cast<std::int32_t>(now - due) >= 0;
}

bool NextTimer(Message& out) {
  PlatformState& s = State();
  const std::uint32_t now = s.services->TickCount();
  TimerData* earliest = nullptr;
  for (TimerData& timer : s.timers) {
    if (!IsDue(timer.nextDue, now))
      continue;
    if (earliest == nullptr || static_cast<std::int32_t>(timer.nextDue - earliest->nextDue) < 0) {
      earliest = &timer;
    }
  }
  if (earliest == nullptr)
    return false;
  earliest->nextDue = now + earliest->periodMs;
  out = Message{.hwnd = earliest->hwnd, .message = WM_TIMER, .wParam = earliest->id};
  return true;
}

// Presents the screen, passes on keep-awake requests and feeds the script. True when the
// script ran a command, which may have queued more work.
bool RunIdleTasks() {
  PlatformState& s = State();
  bool keepAwake = false;
  {
    std::lock_guard lock(s.mutex);
    keepAwake = std::exchange(s.keepAwakeRequested, false);
  }
  if (keepAwake)
    s.backend->KeepDisplayAwake();
  if (s.screenDirty) {
    s.backend->Present(s.screen);
    s.screenDirty = false;
  }
  if (s.script && !s.script->Finished() &&
      IsDue(s.script->NextDueTick(), s.services->TickCount())) {
    s.script->RunDue(s.services->TickCount());
    return true;
  }
  return false;
}

bool NextMessage(Message& out) {
  PlatformState& s = State();
  for (;;) {
    ServiceSends();
    {
      std::lock_guard lock(s.mutex);
      if (!s.posted.empty()) {
        out = std::move(s.posted.front());
        s.posted.pop_front();
        return true;
      }
      if (s.quitCode) {
        out = Message{.message = WM_QUIT, .wParam = static_cast<WPARAM>(*s.quitCode)};
        return true;
      }
    }
    if (TranslatePendingInput())
      continue;
    if (NextPaint(out) || NextTimer(out))
      return true;
    if (RunIdleTasks())
      continue;
    return false;
  }
}

void WaitForWork() {
  PlatformState& s = State();
  const std::uint32_t now = s.services->TickCount();
  int timeout = LONGEST_IDLE_WAIT_MS;
  auto shortenTo = [&](std::uint32_t due) {
    const std::int32_t left = static_cast<std::int32_t>(due - now);
    timeout = std::min(timeout, std::max(0, static_cast<int>(left)));
  };
  for (const TimerData& timer : s.timers)
    shortenTo(timer.nextDue);
  if (s.script && !s.script->Finished())
    shortenTo(s.script->NextDueTick());
  if (const int poll = s.backend->PollIntervalMs(); poll > 0)
    timeout = std::min(timeout, poll);
  std::unique_lock lock(s.mutex);
  s.wake.wait_for(lock, std::chrono::milliseconds(timeout), [&] {
    return !s.posted.empty() || !s.sends.empty() || s.quitCode || s.keepAwakeRequested;
  });
}

}  // namespace

bool PostMessage(Hwnd hwnd, std::uint32_t message, WPARAM wParam, LPARAM lParam, std::any payload) {
  PlatformState& s = State();
  Message m{hwnd, message, wParam, lParam, std::move(payload)};
  return Enqueue([&] {
    {
      std::lock_guard lock(s.mutex);
      s.posted.push_back(std::move(m));
    }
    s.wake.notify_all();
  });
}

std::optional<LRESULT> SendMessage(Hwnd hwnd, std::uint32_t message, WPARAM wParam, LPARAM lParam,
                                   std::any payload) {
  Message m{hwnd, message, wParam, lParam, std::move(payload)};
  if (IsUiThread())
    return CallProcedure(m);

  PlatformState& s = State();
  auto send = std::make_shared<PendingSend>();
  send->message = std::move(m);
  const bool queued = Enqueue([&] {
    {
      std::lock_guard lock(s.mutex);
      s.sends.push_back(send);
    }
    s.wake.notify_all();
  });
  if (!queued)
    return std::nullopt;

  ReaderThread* reader = ReaderThread::Current();
  // Another thread's send has no stop and waits for the UI thread alone.
  const std::stop_token stop = reader != nullptr ? reader->StopToken() : std::stop_token();
  // Takes the lock before waking, so that the wake cannot fall between the look at the token
  // and the wait. Made before the lock is taken: it runs at once when the stop came first.
  const std::stop_callback releaseOnStop(stop, [&s] {
    { std::lock_guard lock(s.mutex); }
    s.sendDone.notify_all();
  });
  std::unique_lock lock(s.mutex);
  while (!send->finished && !stop.stop_requested())
    s.sendDone.wait(lock);
  if (send->finished)
    return send->result;
  // Given up: nobody will answer it.
  std::erase(s.sends, send);
  return std::nullopt;
}

LRESULT DefWindowProc(const Message& message) {
  switch (message.message) {
    case WM_CLOSE:
      DestroyWindow(message.hwnd);
      return 0;
    case WM_PAINT: {
      PaintDC dc(message.hwnd);
      return 0;
    }
    default:
      return 0;
  }
}

void PostQuitMessage(int exitCode) {
  PlatformState& s = State();
  {
    std::lock_guard lock(s.mutex);
    s.quitCode = exitCode;
  }
  s.wake.notify_all();
}

bool GetMessage(Message& message) {
  while (!NextMessage(message))
    WaitForWork();
  return message.message != WM_QUIT;
}

LRESULT DispatchMessage(const Message& message) {
  if (message.message == WM_PAINT) {
    PaintWindowNow(message.hwnd);
    return 0;
  }
  return CallProcedure(message).value_or(0);
}

int RunMessageLoop() {
  Message message;
  while (GetMessage(message))
    DispatchMessage(message);
  return static_cast<int>(message.wParam);
}

void PumpMessages() {
  Message message;
  while (NextMessage(message) && message.message != WM_QUIT)
    DispatchMessage(message);
}

bool SetTimer(Hwnd hwnd, std::uint32_t id, std::uint32_t periodMs) {
  RequireUiThread();
  PlatformState& s = State();
  if (!IsWindow(hwnd))
    return false;
  const std::uint32_t period = std::max<std::uint32_t>(periodMs, 1);
  const std::uint32_t due = s.services->TickCount() + period;
  for (TimerData& timer : s.timers) {
    if (timer.hwnd == hwnd && timer.id == id) {
      timer.periodMs = period;
      timer.nextDue = due;
      return true;
    }
  }
  s.timers.push_back({hwnd, id, period, due});
  return true;
}

bool KillTimer(Hwnd hwnd, std::uint32_t id) {
  RequireUiThread();
  return std::erase_if(State().timers,
                       [&](const TimerData& t) { return t.hwnd == hwnd && t.id == id; }) > 0;
}

}  // namespace platform
