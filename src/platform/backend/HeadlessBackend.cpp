#include "platform/backend/HeadlessBackend.h"

namespace platform {

std::unique_ptr<Backend> MakeHeadlessBackend() {
  return std::make_unique<HeadlessBackend>();
}

}  // namespace platform
