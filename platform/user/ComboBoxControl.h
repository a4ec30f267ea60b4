// The drop-list combo box ("ComboBox" with CBS_DROPDOWNLIST): a closed box
// showing the selected item, and a list that drops below it (a popup of its
// own, "ComboLBox") on a click, F4 or Alt+Down.
//
// While the list is down it holds the mouse: moving over it marks an item, a
// release on an item chooses it, a press anywhere else closes the list
// without a choice; Up and Down move the mark, Enter (or F4) chooses it,
// Escape drops it. While closed, Up, Down, Home, End and the first letter of
// an item change the selection at once. Notifications to the parent
// (WM_COMMAND): CBN_DROPDOWN when the list opens; CBN_SELENDOK or
// CBN_SELENDCANCEL, then CBN_CLOSEUP when it closes; CBN_SELCHANGE after a
// choice by the user changed the selection (never for CB_SETCURSEL);
// CBN_SETFOCUS and CBN_KILLFOCUS. The height given at creation is the box
// with its dropped list; the box itself is one line high. Painting asks the
// parent for colours with WM_CTLCOLORLISTBOX.
#pragma once

#include "platform/base/WinTypes.h"

inline constexpr DWORD CBS_SIMPLE = 0x0001;
inline constexpr DWORD CBS_DROPDOWN = 0x0002;
inline constexpr DWORD CBS_DROPDOWNLIST = 0x0003;
inline constexpr DWORD CBS_SORT = 0x0100;
inline constexpr DWORD CBS_HASSTRINGS = 0x0200;

inline constexpr UINT CB_ADDSTRING = 0x0143;
inline constexpr UINT CB_DELETESTRING = 0x0144;
inline constexpr UINT CB_GETCOUNT = 0x0146;
inline constexpr UINT CB_GETCURSEL = 0x0147;
inline constexpr UINT CB_GETLBTEXT = 0x0148;
inline constexpr UINT CB_GETLBTEXTLEN = 0x0149;
inline constexpr UINT CB_INSERTSTRING = 0x014A;
inline constexpr UINT CB_RESETCONTENT = 0x014B;
inline constexpr UINT CB_FINDSTRING = 0x014C;
inline constexpr UINT CB_SELECTSTRING = 0x014D;
inline constexpr UINT CB_SETCURSEL = 0x014E;
inline constexpr UINT CB_SHOWDROPDOWN = 0x014F;
inline constexpr UINT CB_GETITEMDATA = 0x0150;
inline constexpr UINT CB_SETITEMDATA = 0x0151;
inline constexpr UINT CB_GETITEMHEIGHT = 0x0154;
inline constexpr UINT CB_GETDROPPEDSTATE = 0x0157;
inline constexpr UINT CB_FINDSTRINGEXACT = 0x0158;

inline constexpr int CB_ERR = -1;

inline constexpr UINT CBN_SELCHANGE = 1;
inline constexpr UINT CBN_SETFOCUS = 3;
inline constexpr UINT CBN_KILLFOCUS = 4;
inline constexpr UINT CBN_DROPDOWN = 7;
inline constexpr UINT CBN_CLOSEUP = 8;
inline constexpr UINT CBN_SELENDOK = 9;
inline constexpr UINT CBN_SELENDCANCEL = 10;
