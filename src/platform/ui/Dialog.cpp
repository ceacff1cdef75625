#include "platform/ui/PlatformState.h"

namespace platform {

void RegisterDialogClass() {}

}  // namespace platform
