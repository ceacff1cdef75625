#pragma once

#include "platform/sys/FakeSystemServices.h"

namespace testing_support {

// Fake clock, battery and memory installed as the services for the life of the object, for
// tests of code that reads them without a whole platform.
struct InstalledFakeServices : platform::FakeSystemServices {
  InstalledFakeServices() { platform::InstallServices(this); }
  ~InstalledFakeServices() override { platform::InstallServices(nullptr); }
  InstalledFakeServices(const InstalledFakeServices&) = delete;
  InstalledFakeServices& operator=(const InstalledFakeServices&) = delete;
};

}  // namespace testing_support
