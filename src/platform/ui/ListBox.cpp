#include "platform/ui/PlatformState.h"

namespace platform {

void RegisterListBoxClass() {}

}  // namespace platform
