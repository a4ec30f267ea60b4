// Dialogs built from DialogTemplate (DialogTemplate.h), modal or modeless.
//
// Creation makes the dialog window (class "#32770") with the template's font,
// then its controls in template order (each gets WM_SETFONT), then sends
// WM_INITDIALOG (lParam: the caller's value); a TRUE answer puts the focus on
// the first tab stop. A control whose class is unknown fails the creation.
//
// A modal dialog (DialogBoxIndirectParam) disables its owner, runs its own
// message loop until EndDialog, then enables the owner again, destroys the
// dialog and returns EndDialog's result (-1 when it could not be made). A
// dialog that ends takes the modal dialogs it owns along (their result is
// IDCANCEL), so no box outlives the window it was shown for. Sent
// messages from other threads are served while it runs. IsDialogMessage gives
// dialogs their keyboard: Enter presses the default button (IDOK unless
// DM_SETDEFID or a focused push button says otherwise), Escape sends IDCANCEL,
// Tab moves the focus between tab stops.
#pragma once

#include "platform/user/DialogTemplate.h"
#include "platform/user/UserTypes.h"

HWND CreateDialogIndirectParamW(HINSTANCE instance, const DialogTemplate* dialog, HWND parent,
                                DLGPROC proc, LPARAM initParam);
// By the id of a template added to the resources (Resources.h).
HWND CreateDialogParamW(HINSTANCE instance, const wchar_t* templateName, HWND parent, DLGPROC proc,
                        LPARAM initParam);
intptr_t DialogBoxIndirectParamW(HINSTANCE instance, const DialogTemplate* dialog, HWND parent,
                                 DLGPROC proc, LPARAM initParam);
intptr_t DialogBoxParamW(HINSTANCE instance, const wchar_t* templateName, HWND parent, DLGPROC proc,
                         LPARAM initParam);
BOOL EndDialog(HWND dialog, intptr_t result);
// True once EndDialog was called; `result` receives its value (for modal
// loops run by a framework of their own).
BOOL HasDialogEnded(HWND dialog, intptr_t* result);

BOOL IsDialogMessageW(HWND dialog, MSG* msg);
inline BOOL IsDialogMessage(HWND d, MSG* m) {
    return IsDialogMessageW(d, m);
}

// Dialog units of the dialog's font to pixels.
BOOL MapDialogRect(HWND dialog, RECT* rect);
// The base units of the standard dialog font: 6 (low word) by 13 (high word).
LONG GetDialogBaseUnits();
HWND GetNextDlgTabItem(HWND dialog, HWND control, BOOL previous);

UINT GetDlgItemInt(HWND dialog, int id, BOOL* translated, BOOL isSigned);
BOOL SetDlgItemInt(HWND dialog, int id, UINT value, BOOL isSigned);
BOOL SetDlgItemTextW(HWND dialog, int id, const wchar_t* text);
UINT GetDlgItemTextW(HWND dialog, int id, wchar_t* buffer, int size);
LRESULT SendDlgItemMessageW(HWND dialog, int id, UINT message, WPARAM wParam, LPARAM lParam);
inline BOOL SetDlgItemText(HWND d, int id, const wchar_t* t) {
    return SetDlgItemTextW(d, id, t);
}
inline UINT GetDlgItemText(HWND d, int id, wchar_t* b, int n) {
    return GetDlgItemTextW(d, id, b, n);
}
inline LRESULT SendDlgItemMessage(HWND d, int id, UINT m, WPARAM w, LPARAM l) {
    return SendDlgItemMessageW(d, id, m, w, l);
}
