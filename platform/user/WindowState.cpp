#include <algorithm>
#include <cstring>

#include "platform/gdi/Gdi.h"
#include "platform/user/Focus.h"
#include "platform/user/Geometry.h"
#include "platform/user/Messaging.h"
#include "platform/user/Painting.h"
#include "platform/user/Placement.h"
#include "platform/user/WindowApi.h"
#include "platform/user/WindowTable.h"
#include "platform/user/WindowTree.h"

namespace {

bool IsVisibleFlag(HWND hwnd) {
    std::lock_guard lock(UserMutex());
    Window* w = FindWindowLocked(hwnd);
    return w != nullptr && w->IsVisibleSelf();
}

bool Show(HWND hwnd, bool activate) {
    const bool was = IsVisibleFlag(hwnd);
    if (!was) {
        SendMessage(hwnd, WM_SHOWWINDOW, TRUE, 0);
        SetWindowPos(hwnd, nullptr, 0, 0, 0, 0,
                     SWP_SHOWWINDOW | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    // Only top-level windows are activated by being shown.
    if (activate && (GetWindowLongPtrW(hwnd, GWL_STYLE) & WS_CHILD) == 0)
        ActivateTopLevelOf(hwnd);
    return was;
}

bool Hide(HWND hwnd) {
    if (!IsVisibleFlag(hwnd))
        return false;
    SendMessage(hwnd, WM_SHOWWINDOW, FALSE, 0);
    SetWindowPos(hwnd, nullptr, 0, 0, 0, 0,
                 SWP_HIDEWINDOW | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    LeaveFocusOf(hwnd);
    HandOffActivation(hwnd);
    return true;
}

LONG_PTR* ExtraSlot(Window* w, int index) {
    if (index < 0 || index % int(sizeof(LONG_PTR)) != 0)
        return nullptr;
    const size_t slot = size_t(index) / sizeof(LONG_PTR);
    return slot < w->extra.size() ? &w->extra[slot] : nullptr;
}

}  // namespace

BOOL ShowWindow(HWND hwnd, int command) {
    if (!IsWindow(hwnd))
        return FALSE;
    const bool was = IsVisibleFlag(hwnd);
    switch (command) {
        case SW_HIDE:
            Hide(hwnd);
            break;
        case SW_MINIMIZE:
        case SW_SHOWMINIMIZED:
        case SW_SHOWMINNOACTIVE:
            MinimizeWindow(hwnd);
            Show(hwnd, false);
            break;
        case SW_SHOWMAXIMIZED:
            MaximizeWindow(hwnd);
            Show(hwnd, true);
            break;
        case SW_SHOWNORMAL:
        case SW_RESTORE:
            RestoreWindow(hwnd);
            Show(hwnd, true);
            break;
        case SW_SHOWNA:
        case SW_SHOWNOACTIVATE:
            Show(hwnd, false);
            break;
        default:
            Show(hwnd, true);
            break;
    }
    return was ? TRUE : FALSE;
}

BOOL IsWindowVisible(HWND hwnd) {
    std::lock_guard lock(UserMutex());
    Window* w = FindWindowLocked(hwnd);
    return w != nullptr && IsShown(w) ? TRUE : FALSE;
}

BOOL EnableWindow(HWND hwnd, BOOL enable) {
    bool wasDisabled = false;
    {
        std::lock_guard lock(UserMutex());
        Window* w = FindWindowLocked(hwnd);
        if (w == nullptr)
            return FALSE;
        wasDisabled = !w->IsEnabledSelf();
        if (wasDisabled == !enable)
            return wasDisabled ? TRUE : FALSE;
        w->style = enable ? (w->style & ~WS_DISABLED) : (w->style | WS_DISABLED);
    }
    if (!enable)
        LeaveFocusOf(hwnd);
    SendMessage(hwnd, WM_ENABLE, enable ? TRUE : FALSE, 0);
    return wasDisabled ? TRUE : FALSE;
}

BOOL IsWindowEnabled(HWND hwnd) {
    std::lock_guard lock(UserMutex());
    Window* w = FindWindowLocked(hwnd);
    return w != nullptr && w->IsEnabledSelf() ? TRUE : FALSE;
}

BOOL IsZoomed(HWND hwnd) {
    std::lock_guard lock(UserMutex());
    Window* w = FindWindowLocked(hwnd);
    return w != nullptr && (w->style & WS_MAXIMIZE) != 0 ? TRUE : FALSE;
}

BOOL IsIconic(HWND hwnd) {
    std::lock_guard lock(UserMutex());
    Window* w = FindWindowLocked(hwnd);
    return w != nullptr && (w->style & WS_MINIMIZE) != 0 ? TRUE : FALSE;
}

BOOL SetWindowTextW(HWND hwnd, const wchar_t* text) {
    if (!IsWindow(hwnd))
        return FALSE;
    return SendMessage(hwnd, WM_SETTEXT, 0, LPARAM(text != nullptr ? text : L"")) != 0 ? TRUE
                                                                                       : FALSE;
}

int GetWindowTextW(HWND hwnd, wchar_t* buffer, int size) {
    if (buffer == nullptr || size <= 0)
        return 0;
    buffer[0] = 0;
    return int(SendMessage(hwnd, WM_GETTEXT, WPARAM(size), LPARAM(buffer)));
}

int GetWindowTextLengthW(HWND hwnd) {
    return int(SendMessage(hwnd, WM_GETTEXTLENGTH, 0, 0));
}

LONG_PTR GetWindowLongPtrW(HWND hwnd, int index) {
    std::lock_guard lock(UserMutex());
    Window* w = FindWindowLocked(hwnd);
    if (w == nullptr)
        return 0;
    switch (index) {
        case GWL_STYLE:
            return LONG_PTR(w->style);
        case GWL_EXSTYLE:
            return LONG_PTR(w->exStyle);
        case GWLP_WNDPROC:
            return LONG_PTR(w->proc);
        case GWLP_ID:
            return LONG_PTR(w->id);
        case GWLP_USERDATA:
            return w->userData;
        case GWLP_HINSTANCE:
            return LONG_PTR(w->instance);
        case GWLP_HWNDPARENT:
            return LONG_PTR(w->IsChild() ? w->parent : w->owner);
        default: {
            LONG_PTR* slot = ExtraSlot(w, index);
            return slot != nullptr ? *slot : 0;
        }
    }
}

LONG_PTR SetWindowLongPtrW(HWND hwnd, int index, LONG_PTR value) {
    std::lock_guard lock(UserMutex());
    Window* w = FindWindowLocked(hwnd);
    if (w == nullptr)
        return 0;
    LONG_PTR old = 0;
    switch (index) {
        case GWL_STYLE:
            old = LONG_PTR(w->style);
            w->style = DWORD(value);
            break;
        case GWL_EXSTYLE:
            old = LONG_PTR(w->exStyle);
            w->exStyle = DWORD(value);
            w->layered = (w->exStyle & WS_EX_LAYERED) != 0;
            break;
        case GWLP_WNDPROC:
            old = LONG_PTR(w->proc);
            w->proc = reinterpret_cast<WNDPROC>(value);
            break;
        case GWLP_ID:
            old = LONG_PTR(w->id);
            w->id = UINT_PTR(value);
            break;
        case GWLP_USERDATA:
            old = w->userData;
            w->userData = value;
            break;
        default: {
            LONG_PTR* slot = ExtraSlot(w, index);
            if (slot == nullptr)
                return 0;
            old = *slot;
            *slot = value;
        }
    }
    return old;
}

int SetWindowRgn(HWND hwnd, HRGN region, BOOL redraw) {
    bool changed = true;
    {
        std::lock_guard lock(UserMutex());
        Window* w = FindWindowLocked(hwnd);
        if (w == nullptr)
            return 0;  // the caller keeps the region
        // Controls that set their shape on every paint would otherwise repaint forever.
        changed = w->region == nullptr || region == nullptr || !EqualRgn(w->region, region);
        changed = changed && (w->region != nullptr || region != nullptr);
        // What the old shape covered in the parent shows again.
        if (redraw && changed)
            InvalidateExposedLocked(w);
        if (w->region != nullptr)
            DeleteObject(w->region);
        w->region = region;
    }
    if (!changed)
        return 1;
    if (redraw)
        RedrawWindow(hwnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME);
    RequestPresentationOf(hwnd);
    return 1;
}

int GetWindowRgn(HWND hwnd, HRGN region) {
    std::lock_guard lock(UserMutex());
    Window* w = FindWindowLocked(hwnd);
    if (w == nullptr || w->region == nullptr || region == nullptr)
        return RGN_ERROR;
    return CombineRgn(region, w->region, nullptr, RGN_COPY);
}

BOOL SetLayeredWindowAttributes(HWND hwnd, COLORREF, BYTE alpha, DWORD flags) {
    {
        std::lock_guard lock(UserMutex());
        Window* w = FindWindowLocked(hwnd);
        if (w == nullptr || !w->layered)
            return FALSE;
        if ((flags & LWA_ALPHA) != 0)
            w->alpha = alpha;
    }
    RequestPresentationOf(hwnd);
    return TRUE;
}

BOOL GetLayeredWindowAttributes(HWND hwnd, COLORREF* key, BYTE* alpha, DWORD* flags) {
    std::lock_guard lock(UserMutex());
    Window* w = FindWindowLocked(hwnd);
    if (w == nullptr || !w->layered)
        return FALSE;
    if (key != nullptr)
        *key = 0;
    if (alpha != nullptr)
        *alpha = w->alpha;
    if (flags != nullptr)
        *flags = LWA_ALPHA;
    return TRUE;
}
