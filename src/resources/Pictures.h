#pragma once

#include <memory>
#include <string_view>

#include "platform/gfx/DeviceContext.h"

namespace gradlog {

inline constexpr std::string_view PICTURE_FAMILY = "STATICZEP601";    // 178 x 134
inline constexpr std::string_view PICTURE_COMPANY = "STATICCOMPANY";  // 168 x 12
inline constexpr std::string_view PICTURE_LOGO = "STATICQLM";         // 140 x 34

// The start screen's pictures, found by name without regard to case; null for an unknown
// name.
std::unique_ptr<platform::Bitmap> LoadPicture(std::string_view name);

}  // namespace gradlog
