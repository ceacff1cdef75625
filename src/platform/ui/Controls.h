#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "platform/ui/Messages.h"

namespace platform {

// The standard controls: "BUTTON", "edit", "combobox", "Listbox" and "STATIC", registered by
// every platform. A control tells its parent what happened with WM_COMMAND, wParam =
// MakeWParam(id, code), lParam = the control's handle value; it is sent, not posted.

// Styles shared with the dialog manager (classic values).
inline constexpr std::uint32_t WS_GROUP = 0x00020000;  // first control of a group
inline constexpr std::uint32_t WS_VSCROLL = 0x00200000;

// "BUTTON" types beyond the push buttons of Window.h.
inline constexpr std::uint32_t BS_CHECKBOX = 0x0002;
inline constexpr std::uint32_t BS_AUTOCHECKBOX = 0x0003;
inline constexpr std::uint32_t BS_AUTORADIOBUTTON = 0x0009;
inline constexpr std::uint32_t BST_UNCHECKED = 0;
inline constexpr std::uint32_t BST_CHECKED = 1;
inline constexpr std::uint32_t BM_GETCHECK = 0x00F0;
inline constexpr std::uint32_t BM_SETCHECK = 0x00F1;  // wParam BST_*

// "edit": single line.
inline constexpr std::uint32_t ES_LEFT = 0x0000;
inline constexpr std::uint32_t ES_AUTOHSCROLL = 0x0080;
inline constexpr std::uint32_t EM_GETSEL = 0x00B0;     // LOWORD start, HIWORD end
inline constexpr std::uint32_t EM_SETSEL = 0x00B1;     // wParam start, lParam end; -1 end = all
inline constexpr std::uint32_t EM_LIMITTEXT = 0x00C5;  // wParam characters, 0 = no limit
inline constexpr std::uint16_t EN_SETFOCUS = 0x0100;
inline constexpr std::uint16_t EN_KILLFOCUS = 0x0200;
inline constexpr std::uint16_t EN_CHANGE = 0x0300;  // after the text changed by the user

// "STATIC".
inline constexpr std::uint32_t SS_LEFT = 0x0000;
inline constexpr std::uint32_t SS_CENTER = 0x0001;

// "combobox": a non-editable drop-down list.
inline constexpr std::uint32_t CBS_DROPDOWNLIST = 0x0003;
inline constexpr std::uint32_t CB_GETCURSEL = 0x0147;
inline constexpr std::uint32_t CB_ADDSTRING = 0x0143;  // payload std::string; the index
inline constexpr std::uint32_t CB_RESETCONTENT = 0x014B;
inline constexpr std::uint32_t CB_SETCURSEL = 0x014E;     // wParam index, -1 none
inline constexpr std::uint32_t CB_SHOWDROPDOWN = 0x014F;  // wParam 1 open, 0 close
inline constexpr std::uint32_t CB_GETCOUNT = 0x0146;
inline constexpr std::uint32_t CB_GETDROPPEDSTATE = 0x0157;
inline constexpr std::uint16_t CBN_SELCHANGE = 1;
inline constexpr std::uint16_t CBN_DROPDOWN = 7;
inline constexpr std::uint16_t CBN_CLOSEUP = 8;

// "Listbox".
inline constexpr std::uint32_t LBS_NOTIFY = 0x0001;
inline constexpr std::uint32_t LBS_EXTENDEDSEL = 0x0800;
inline constexpr std::uint32_t LB_ADDSTRING = 0x0180;     // payload std::string; the index
inline constexpr std::uint32_t LB_DELETESTRING = 0x0182;  // wParam index; the lines left
inline constexpr std::uint32_t LB_RESETCONTENT = 0x0184;
inline constexpr std::uint32_t LB_SETSEL = 0x0185;     // wParam 1/0, lParam index (-1 all)
inline constexpr std::uint32_t LB_GETSEL = 0x0187;     // wParam index
inline constexpr std::uint32_t LB_GETCURSEL = 0x0188;  // the caret (focus) line
inline constexpr std::uint32_t LB_SETCURSEL = 0x0186;
inline constexpr std::uint32_t LB_GETCOUNT = 0x018B;
inline constexpr std::uint32_t LB_GETTOPINDEX = 0x018E;
inline constexpr std::uint32_t LB_SETTOPINDEX = 0x0197;
inline constexpr std::uint32_t LB_GETSELCOUNT = 0x0190;
inline constexpr std::uint16_t LBN_SELCHANGE = 1;
// The list of a drop-down combobox: a flat frame, keeps no focus of its own, and reports
// every click on a line (the choice) with LBN_SELCHANGE.
inline constexpr std::uint32_t LBS_COMBOBOX = 0x8000;

// The text of line `index` of a "Listbox"; nullopt when there is no such line.
std::optional<std::string> GetListBoxText(Hwnd list, int index);

// What a control wants from the dialog manager's keyboard handling (WM_GETDLGCODE result).
inline constexpr std::uint32_t WM_GETDLGCODE = 0x0087;
inline constexpr LRESULT DLGC_WANTARROWS = 0x0001;
inline constexpr LRESULT DLGC_HASSETSEL = 0x0008;  // an edit: select all when tabbed into
inline constexpr LRESULT DLGC_DEFPUSHBUTTON = 0x0010;
inline constexpr LRESULT DLGC_UNDEFPUSHBUTTON = 0x0020;
inline constexpr LRESULT DLGC_RADIOBUTTON = 0x0040;
inline constexpr LRESULT DLGC_WANTCHARS = 0x0080;  // takes typed text: no plain-letter mnemonics
inline constexpr LRESULT DLGC_STATIC = 0x0100;
inline constexpr LRESULT DLGC_BUTTON = 0x2000;

}  // namespace platform
