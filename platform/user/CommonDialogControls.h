// Inside the window system: the choice list the common dialogs show their
// folders, files and filters in, drawn by us. It shows lines of text, one of
// them selected: a click selects (LBN_SELCHANGE to the parent), a double
// click reports LBN_DBLCLK, Up and Down move the selection; it answers the
// list-box messages below.
#pragma once

#include "platform/user/UserTypes.h"

inline const wchar_t* const kChoiceListClass = L"CommonDialogChoiceList";

// List-box messages and notifications the choice list answers.
inline constexpr UINT LB_ADDSTRING = 0x0180;
inline constexpr UINT LB_RESETCONTENT = 0x0184;
inline constexpr UINT LB_SETCURSEL = 0x0186;
inline constexpr UINT LB_GETCURSEL = 0x0188;
inline constexpr UINT LB_GETTEXT = 0x0189;
inline constexpr UINT LB_GETTEXTLEN = 0x018A;
inline constexpr UINT LB_GETCOUNT = 0x018B;
inline constexpr UINT LB_GETITEMRECT = 0x0198;
inline constexpr LRESULT LB_ERR = -1;
inline constexpr UINT LBN_SELCHANGE = 1;
inline constexpr UINT LBN_DBLCLK = 2;

LRESULT ChoiceListWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
