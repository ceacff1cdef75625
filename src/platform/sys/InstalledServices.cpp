#include <atomic>
#include <stdexcept>

#include "platform/sys/SystemServices.h"

namespace platform {

namespace {
std::atomic<SystemServices*> installed{nullptr};
}

void InstallServices(SystemServices* services) {
  installed.store(services);
}

SystemServices& Services() {
  SystemServices* services = installed.load();
  if (services == nullptr)
    throw std::logic_error("no system services installed");
  return *services;
}

}  // namespace platform
