#pragma once

#include <optional>
#include <string>

#include "platform/gfx/Surface.h"

namespace platform {

// Writes the surface as an 8-bit RGB PNG; false (and nothing half-written left behind) on
// failure.
bool WritePng(const Surface& surface, const std::string& path);
// Reads an 8-bit RGB or RGBA PNG; nullopt when the file is missing or not such a PNG.
std::optional<Surface> ReadPng(const std::string& path);

}  // namespace platform
