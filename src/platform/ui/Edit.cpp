#include "platform/ui/PlatformState.h"

namespace platform {

void RegisterEditClass() {}

}  // namespace platform
