// One window's state inside the window system. Every field is guarded by
// UserMutex() (WindowTable.h); window procedures are never called with it held.
// Windows refer to each other by handle, so a destroyed neighbour is simply a
// handle that no longer resolves.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "platform/user/Styles.h"
#include "platform/user/UserTypes.h"

class MessageQueue;
class WindowClass;
class BackingStore;
struct DialogState;

class Window {
public:
    HWND handle = nullptr;
    std::shared_ptr<const WindowClass> windowClass;
    std::shared_ptr<MessageQueue> queue;  // of the thread that created the window
    WNDPROC proc = nullptr;
    HINSTANCE instance = nullptr;
    DWORD style = 0;
    DWORD exStyle = 0;
    UINT_PTR id = 0;  // control id of a child window
    LONG_PTR userData = 0;
    std::vector<LONG_PTR> extra;  // the class's window extra bytes, pointer-sized slots

    HWND parent = nullptr;       // child windows only
    HWND owner = nullptr;        // top-level windows only
    std::vector<HWND> children;  // z-order, topmost first
    RECT rect{};                 // in the parent's client coordinates (screen for top-level)
    RECT client{};               // the client area in window coordinates
    RECT restoreRect{};          // the normal position while minimised or maximised
    std::wstring text;

    HRGN region = nullptr;  // window region in window coordinates, owned
    BYTE alpha = 255;       // per-window alpha of a layered top-level window
    bool layered = false;

    HRGN update = nullptr;  // pending client update region (client coordinates), owned
    bool erasePending = false;
    bool frameDirty = false;  // non-client area needs WM_NCPAINT
    bool internalPaint = false;
    bool destroying = false;
    bool ncActive = false;          // the frame is drawn as active
    bool restoreMaximized = false;  // minimised from the maximised state

    std::shared_ptr<BackingStore> store;  // top-level windows only
    std::unique_ptr<DialogState> dialog;  // dialogs only

    Window();
    ~Window();
    Window(const Window&) = delete;
    Window& operator=(const Window&) = delete;

    bool IsChild() const { return (style & WS_CHILD) != 0; }
    bool IsVisibleSelf() const { return (style & WS_VISIBLE) != 0; }
    bool IsEnabledSelf() const { return (style & WS_DISABLED) == 0; }
    LONG Width() const { return rect.right - rect.left; }
    LONG Height() const { return rect.bottom - rect.top; }
};
