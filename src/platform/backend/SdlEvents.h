#pragma once

#include <SDL2/SDL_events.h>

#include <vector>

#include "platform/backend/InputEvent.h"
#include "platform/backend/Letterbox.h"

namespace platform {

// Appends the input events one SDL event stands for (none for events the logger does not
// use). Pointer positions go through `letterbox` from window to framebuffer pixels.
void TranslateSdlEvent(const SDL_Event& event, const Letterbox& letterbox,
                       std::vector<InputEvent>& out);

}  // namespace platform
