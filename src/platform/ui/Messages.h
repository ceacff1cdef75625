#pragma once

#include <any>
#include <cstdint>

#include "platform/backend/VirtualKeys.h"
#include "platform/ui/Handles.h"

namespace platform {

using WPARAM = std::uintptr_t;
using LPARAM = std::intptr_t;
using LRESULT = std::intptr_t;

struct Message {
  Hwnd hwnd;
  std::uint32_t message = 0;
  WPARAM wParam = 0;
  LPARAM lParam = 0;
  // A copy of data handed over with the message (a received line, say), so that no buffer
  // is shared between threads.
  std::any payload;
};

constexpr WPARAM MakeWParam(std::uint16_t low, std::uint16_t high) {
  return static_cast<WPARAM>(low) | (static_cast<WPARAM>(high) << 16);
}
constexpr std::uint16_t LowWord(WPARAM value) {
  return static_cast<std::uint16_t>(value & 0xFFFF);
}
constexpr std::uint16_t HighWord(WPARAM value) {
  return static_cast<std::uint16_t>((value >> 16) & 0xFFFF);
}
constexpr LPARAM MakeLParam(int low, int high) {
  return static_cast<LPARAM>((static_cast<std::uint32_t>(low) & 0xFFFF) |
                             (static_cast<std::uint32_t>(high) << 16));
}

// Window messages, with their classic values.
inline constexpr std::uint32_t WM_NULL = 0x0000;
inline constexpr std::uint32_t WM_CREATE = 0x0001;
inline constexpr std::uint32_t WM_DESTROY = 0x0002;
inline constexpr std::uint32_t WM_MOVE = 0x0003;
inline constexpr std::uint32_t WM_SIZE = 0x0005;
inline constexpr std::uint32_t WM_SETFOCUS = 0x0007;
inline constexpr std::uint32_t WM_KILLFOCUS = 0x0008;
inline constexpr std::uint32_t WM_ENABLE = 0x000A;
inline constexpr std::uint32_t WM_SETTEXT = 0x000C;
inline constexpr std::uint32_t WM_PAINT = 0x000F;
inline constexpr std::uint32_t WM_CLOSE = 0x0010;
inline constexpr std::uint32_t WM_QUIT = 0x0012;
inline constexpr std::uint32_t WM_ERASEBKGND = 0x0014;
inline constexpr std::uint32_t WM_SHOWWINDOW = 0x0018;
inline constexpr std::uint32_t WM_KEYDOWN = 0x0100;
inline constexpr std::uint32_t WM_KEYUP = 0x0101;
inline constexpr std::uint32_t WM_CHAR = 0x0102;
inline constexpr std::uint32_t WM_SYSKEYDOWN = 0x0104;
inline constexpr std::uint32_t WM_SYSKEYUP = 0x0105;
inline constexpr std::uint32_t WM_INITDIALOG = 0x0110;
inline constexpr std::uint32_t WM_COMMAND = 0x0111;
inline constexpr std::uint32_t WM_TIMER = 0x0113;
inline constexpr std::uint32_t WM_MOUSEMOVE = 0x0200;
inline constexpr std::uint32_t WM_LBUTTONDOWN = 0x0201;
inline constexpr std::uint32_t WM_LBUTTONUP = 0x0202;
inline constexpr std::uint32_t WM_USER = 0x0400;

// Button messages and notifications.
inline constexpr std::uint32_t BM_GETSTATE = 0x00F2;
inline constexpr std::uint32_t BM_SETSTATE = 0x00F3;
inline constexpr std::uint32_t BM_SETSTYLE = 0x00F4;
inline constexpr std::uint32_t BM_CLICK = 0x00F5;
inline constexpr std::uint16_t BN_CLICKED = 0;

}  // namespace platform
