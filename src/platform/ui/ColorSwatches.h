#pragma once

#include <cstdint>

#include "platform/gfx/Color.h"
#include "platform/ui/Messages.h"

// "ColorSwatches": a grid of colour cells, filled row by row, one of which may be selected.
// Arrows, Home and End move the selection, a click selects the cell under the pointer; each
// change the user makes is told to the parent as WM_COMMAND (id, CSN_SELCHANGE).
namespace platform {

inline constexpr char COLOR_SWATCHES_CLASS[] = "ColorSwatches";

// Shows its colours only, each in a sunken box: no selection, no focus, no input (a preview).
inline constexpr std::uint32_t CSS_DISPLAYONLY = 0x0001;

// Payload std::vector<Color>: the cells, replacing the old ones. The selection is kept when
// it is still a cell. 1, or 0 when the payload is not a colour list.
inline constexpr std::uint32_t CSM_SETCOLORS = WM_USER + 0x100;
// wParam the number of columns (at least 1; until set, all cells are in one row). 1, or 0
// when refused.
inline constexpr std::uint32_t CSM_SETCOLUMNS = WM_USER + 0x101;
inline constexpr std::uint32_t CSM_GETCOUNT = WM_USER + 0x102;
// wParam index, lParam the colour. 1, or 0 when there is no such cell.
inline constexpr std::uint32_t CSM_SETCOLOR = WM_USER + 0x103;
// wParam index. The colour, or -1 when there is no such cell.
inline constexpr std::uint32_t CSM_GETCOLOR = WM_USER + 0x104;
// wParam index; an index that is no cell (-1, say) selects none. Returns the selection, -1
// for none. Tells the parent nothing.
inline constexpr std::uint32_t CSM_SETCURSEL = WM_USER + 0x105;
inline constexpr std::uint32_t CSM_GETCURSEL = WM_USER + 0x106;  // the index, -1 for none

inline constexpr std::uint16_t CSN_SELCHANGE = 1;

}  // namespace platform
