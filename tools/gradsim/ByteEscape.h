#pragma once

#include <string>
#include <string_view>

namespace gradsim {

// Printable ASCII as it is; everything else, and '"' and '\', as \xNN.
std::string EscapeBytes(std::string_view bytes);

}  // namespace gradsim
