#include "platform/ui/PlatformState.h"

namespace platform {

void RegisterComboBoxClass() {}

}  // namespace platform
