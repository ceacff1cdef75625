#pragma once

#include <cstdint>

namespace platform {

// A colour as the logger stores it: 0x00BBGGRR.
using Color = std::uint32_t;

constexpr Color Rgb(std::uint8_t r, std::uint8_t g, std::uint8_t b) {
  return static_cast<Color>(r) | (static_cast<Color>(g) << 8) | (static_cast<Color>(b) << 16);
}
constexpr std::uint8_t RedOf(Color c) {
  return c & 0xFF;
}
constexpr std::uint8_t GreenOf(Color c) {
  return (c >> 8) & 0xFF;
}
constexpr std::uint8_t BlueOf(Color c) {
  return (c >> 16) & 0xFF;
}

// Framebuffer pixels are 0x00RRGGBB, the layout the presenters upload as is.
using Pixel = std::uint32_t;

constexpr Pixel ToPixel(Color c) {
  return (static_cast<Pixel>(RedOf(c)) << 16) | (static_cast<Pixel>(GreenOf(c)) << 8) | BlueOf(c);
}
constexpr Color FromPixel(Pixel p) {
  return Rgb(static_cast<std::uint8_t>(p >> 16), static_cast<std::uint8_t>(p >> 8),
             static_cast<std::uint8_t>(p));
}

}  // namespace platform
