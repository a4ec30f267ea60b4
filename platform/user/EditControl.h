// The single-line edit control ("Edit"): styles, messages and
// notifications, with the documented values of the window system we stand
// in for.
//
// Keyboard: characters replace the selection; Left, Right, Home and End move
// the caret (with Shift they extend the selection); Backspace and Delete
// remove; Ctrl+A selects all, Ctrl+C, Ctrl+X and Ctrl+V copy, cut and paste
// through the clipboard (Clipboard.h). Mouse: a press places the caret, a
// drag selects, a double click selects a word. The caret blinks on the
// window's timer while the control has the focus. The text scrolls
// sideways to keep the caret in sight. Painting asks the parent for colours
// with WM_CTLCOLOREDIT (WM_CTLCOLORSTATIC when read-only or disabled).
// Notifications to the parent (WM_COMMAND): EN_SETFOCUS, EN_KILLFOCUS,
// EN_CHANGE after every change of the text, EN_MAXTEXT when the limit
// refused an insertion.
#pragma once

#include "platform/base/WinTypes.h"

inline constexpr DWORD ES_LEFT = 0x0000;
inline constexpr DWORD ES_CENTER = 0x0001;
inline constexpr DWORD ES_RIGHT = 0x0002;
inline constexpr DWORD ES_PASSWORD = 0x0020;
inline constexpr DWORD ES_AUTOHSCROLL = 0x0080;
inline constexpr DWORD ES_NOHIDESEL = 0x0100;
inline constexpr DWORD ES_READONLY = 0x0800;
inline constexpr DWORD ES_NUMBER = 0x2000;

inline constexpr UINT EM_GETSEL = 0x00B0;
inline constexpr UINT EM_SETSEL = 0x00B1;
inline constexpr UINT EM_REPLACESEL = 0x00C2;
inline constexpr UINT EM_LIMITTEXT = 0x00C5;
inline constexpr UINT EM_SETLIMITTEXT = EM_LIMITTEXT;
inline constexpr UINT EM_SETREADONLY = 0x00CF;
inline constexpr UINT EM_GETLIMITTEXT = 0x00D5;

inline constexpr UINT EN_SETFOCUS = 0x0100;
inline constexpr UINT EN_KILLFOCUS = 0x0200;
inline constexpr UINT EN_CHANGE = 0x0300;
inline constexpr UINT EN_MAXTEXT = 0x0501;

// The caret's blink half-period, in milliseconds.
UINT GetCaretBlinkTime();
