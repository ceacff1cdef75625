#include "platform/ui/PlatformState.h"

namespace platform {

void RegisterStaticClass() {}

}  // namespace platform
