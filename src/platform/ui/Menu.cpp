#include "platform/ui/PlatformState.h"

namespace platform {

void RegisterMenuClass() {}

}  // namespace platform
