#include "platform/ui/Platform.h"

#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <stdexcept>

#include "platform/gfx/Png.h"
#include "platform/ui/PlatformState.h"

namespace platform {

namespace {

std::atomic<Platform*> current{nullptr};

// What the script driver sees of the program: input takes the path a person's does.
class PlatformScriptHost : public ScriptHost {
 public:
  explicit PlatformScriptHost(Platform& platform) : platform_(platform) {}
  void Inject(const InputEvent& event) override { platform_.InjectInput(event); }
  bool WriteScreenshot(const std::string& path) override {
    return WritePng(platform_.Screen(), path);
  }
  bool IsTextVisible(std::string_view text) override {
    return platform_.Screen().Trace().IsVisible(text);
  }
  void Quit() override { platform_.InjectInput({.kind = InputKind::Quit}); }
  void Fail(int exitCode, const std::string& message) override {
    std::cerr << "gradlog: " << message << '\n';
    ExitProcess(exitCode);
  }

 private:
  Platform& platform_;
};

[[noreturn]] void EndProcess(int exitCode) {
  std::fflush(nullptr);
  std::_Exit(exitCode);
}

}  // namespace

Platform::Platform(PlatformOptions options) : state_(std::make_unique<PlatformState>()) {
  Platform* expected = nullptr;
  if (!current.compare_exchange_strong(expected, this)) {
    throw std::logic_error("only one platform may exist at a time");
  }
  PlatformState& s = *state_;
  s.uiThread = std::this_thread::get_id();
  if (options.services == nullptr) {
    ownedServices_ = MakeRealSystemServices();
    options.services = ownedServices_.get();
  }
  s.services = options.services;
  InstallServices(s.services);
  s.backend = options.backend ? std::move(options.backend) : MakeHeadlessBackend();
  s.exitHandler = options.exitHandler ? std::move(options.exitHandler) : EndProcess;
  if (!options.script.empty()) {
    s.scriptHost = std::make_unique<PlatformScriptHost>(*this);
    s.script = std::make_unique<ScriptDriver>(std::move(options.script), *s.scriptHost);
  }
  // The keep-alive thread asks; the UI thread tells the display, which it alone may touch.
  SetIdleTimerHook([this] {
    std::lock_guard lock(state_->mutex);
    state_->keepAwakeRequested = true;
  });
  RegisterButtonClass();
  RegisterMessageBoxClass();
  RegisterEditClass();
  RegisterStaticClass();
  RegisterComboBoxClass();
  RegisterListBoxClass();
  RegisterDialogClass();
  RegisterMenuClass();
  RegisterColorSwatchClass();
}

Platform::~Platform() {
  SetIdleTimerHook({});
  // Release every thread still blocked in a send to this platform.
  {
    std::lock_guard lock(state_->mutex);
    for (auto& send : state_->sends)
      send->finished = true;
    state_->sends.clear();
  }
  state_->sendDone.notify_all();
  InstallServices(nullptr);
  current.store(nullptr);
}

Platform& Platform::Current() {
  Platform* platform = current.load();
  if (platform == nullptr)
    throw std::logic_error("no platform");
  return *platform;
}

Surface& Platform::Screen() {
  return state_->screen;
}

SystemServices& Platform::Services() {
  return *state_->services;
}

void Platform::InjectInput(const InputEvent& event) {
  RequireUiThread();
  state_->pendingInput.push_back(event);
}

PlatformState& State() {
  return Platform::Current().State();
}

void ExitProcess(int exitCode) {
  State().exitHandler(exitCode);
  // A handler that returns still must not let the caller go on.
  EndProcess(exitCode);
}

}  // namespace platform
