// Message boxes (MessageBoxW): a modal dialog drawn by us with the text, an
// icon of the kind asked for and the buttons of the type, answered by a
// button, Enter (the default button), Escape or the close box (both only
// where the box has a Cancel button, or its only button is OK).
//
// Any thread may show a box; the box belongs to the thread that shows it and
// runs its own modal loop there, serving messages sent to that thread. An
// owner of the same thread is disabled while the box is open; a box shown by
// another thread than its owner's takes no owner, so that a library thread's
// box never waits for the window thread.
//
// Tests answer boxes through the hook: once a box is shown, it calls the hook
// on its own thread with what it shows; a button id the box has is then
// pressed (BM_CLICK) and goes the way a click goes; 0 leaves the box to the
// user (or injected input).
#pragma once

#include <functional>
#include <string>

#include "platform/user/UserTypes.h"

// Buttons.
inline constexpr UINT MB_OK = 0x0000;
inline constexpr UINT MB_OKCANCEL = 0x0001;
inline constexpr UINT MB_ABORTRETRYIGNORE = 0x0002;
inline constexpr UINT MB_YESNOCANCEL = 0x0003;
inline constexpr UINT MB_YESNO = 0x0004;
inline constexpr UINT MB_RETRYCANCEL = 0x0005;
inline constexpr UINT MB_TYPEMASK = 0x000F;
// Icons.
inline constexpr UINT MB_ICONHAND = 0x0010;
inline constexpr UINT MB_ICONQUESTION = 0x0020;
inline constexpr UINT MB_ICONEXCLAMATION = 0x0030;
inline constexpr UINT MB_ICONASTERISK = 0x0040;
inline constexpr UINT MB_ICONERROR = MB_ICONHAND;
inline constexpr UINT MB_ICONSTOP = MB_ICONHAND;
inline constexpr UINT MB_ICONWARNING = MB_ICONEXCLAMATION;
inline constexpr UINT MB_ICONINFORMATION = MB_ICONASTERISK;
inline constexpr UINT MB_ICONMASK = 0x00F0;
// Default button and modality (the modality is accepted; boxes are always
// modal to their own thread's owner).
inline constexpr UINT MB_DEFBUTTON1 = 0x0000;
inline constexpr UINT MB_DEFBUTTON2 = 0x0100;
inline constexpr UINT MB_DEFBUTTON3 = 0x0200;
inline constexpr UINT MB_DEFMASK = 0x0F00;
inline constexpr UINT MB_APPLMODAL = 0x0000;
inline constexpr UINT MB_SYSTEMMODAL = 0x1000;
inline constexpr UINT MB_TASKMODAL = 0x2000;
inline constexpr UINT MB_SETFOREGROUND = 0x00010000;
inline constexpr UINT MB_TOPMOST = 0x00040000;

// The button pressed (IDOK, IDCANCEL, IDYES, IDNO...); 0 when the box could
// not be made. A null caption is "Error".
int MessageBoxW(HWND owner, const wchar_t* text, const wchar_t* caption, UINT type);
inline int MessageBox(HWND o, const wchar_t* t, const wchar_t* c, UINT type) {
    return MessageBoxW(o, t, c, type);
}

struct MessageBoxRequest {
    HWND box;
    std::wstring text;
    std::wstring caption;
    UINT type;
};

// The answer: a button id, or 0 to leave the box open. Null removes the hook.
// Any thread; the hook runs on the thread of each box.
using MessageBoxHook = std::function<int(const MessageBoxRequest&)>;
void SetMessageBoxHook(MessageBoxHook hook);
