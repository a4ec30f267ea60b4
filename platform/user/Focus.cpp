#include "platform/user/Focus.h"

#include "platform/user/InputState.h"
#include "platform/user/MessageQueue.h"
#include "platform/user/Messaging.h"
#include "platform/user/WindowApi.h"
#include "platform/user/WindowTable.h"
#include "platform/user/WindowTree.h"

namespace {

bool OwnedByThisThread(HWND hwnd) {
    std::lock_guard lock(UserMutex());
    Window* w = FindWindowLocked(hwnd);
    return w != nullptr && w->queue->IsCurrentThread();
}

HWND RootOf(HWND hwnd) {
    std::lock_guard lock(UserMutex());
    Window* w = FindWindowLocked(hwnd);
    return w != nullptr ? TopLevelOf(w)->handle : nullptr;
}

bool WithinSubtree(HWND root, HWND hwnd) {
    std::lock_guard lock(UserMutex());
    Window* r = FindWindowLocked(root);
    Window* w = FindWindowLocked(hwnd);
    return r != nullptr && w != nullptr && (r == w || IsDescendant(r, w));
}

HWND SwapActive(HWND top) {
    auto q = MessageQueue::Current();
    std::lock_guard lock(UserMutex());
    HWND old = q->active;
    q->active = top;
    if (top != nullptr)
        TheInputState().foreground = top;
    return old;
}

HWND SwapFocus(HWND hwnd) {
    auto q = MessageQueue::Current();
    std::lock_guard lock(UserMutex());
    HWND old = q->focus;
    q->focus = hwnd;
    return old;
}

}  // namespace

HWND SetActiveWindow(HWND hwnd) {
    // Activation and focus are the calling thread's own state.
    if (hwnd != nullptr && !OwnedByThisThread(hwnd))
        return nullptr;
    HWND top = RootOf(hwnd);
    HWND old = GetActiveWindow();
    if (old == top)
        return old;
    SwapActive(top);
    if (old != nullptr) {
        SendMessage(old, WM_NCACTIVATE, FALSE, 0);
        SendMessage(old, WM_ACTIVATE, WA_INACTIVE, LPARAM(top));
    }
    if (top != nullptr) {
        SendMessage(top, WM_NCACTIVATE, TRUE, 0);
        SendMessage(top, WM_ACTIVATE, WA_ACTIVE, LPARAM(old));
    }
    return old;
}

HWND GetActiveWindow() {
    std::lock_guard lock(UserMutex());
    MessageQueue* q = MessageQueue::CurrentIfAny();
    return q != nullptr && FindWindowLocked(q->active) != nullptr ? q->active : nullptr;
}

HWND GetForegroundWindow() {
    std::lock_guard lock(UserMutex());
    HWND h = TheInputState().foreground;
    return FindWindowLocked(h) != nullptr ? h : nullptr;
}

BOOL SetForegroundWindow(HWND hwnd) {
    if (!IsWindow(hwnd))
        return FALSE;
    ActivateTopLevelOf(hwnd);
    return TRUE;
}

void ActivateTopLevelOf(HWND hwnd) {
    bool ownThread = false;
    {
        std::lock_guard lock(UserMutex());
        Window* w = FindWindowLocked(hwnd);
        ownThread = w != nullptr && w->queue->IsCurrentThread();
        if (w != nullptr && (TopLevelOf(w)->exStyle & WS_EX_NOACTIVATE) != 0)
            return;
    }
    if (ownThread)
        SetActiveWindow(hwnd);
}

HWND SetFocus(HWND hwnd) {
    if (hwnd != nullptr && !OwnedByThisThread(hwnd))
        return nullptr;
    HWND old = GetFocus();
    if (old == hwnd)
        return old;
    if (hwnd != nullptr)
        ActivateTopLevelOf(hwnd);
    SwapFocus(hwnd);
    if (old != nullptr)
        SendMessage(old, WM_KILLFOCUS, WPARAM(hwnd), 0);
    if (hwnd != nullptr && GetFocus() == hwnd)
        SendMessage(hwnd, WM_SETFOCUS, WPARAM(old), 0);
    return old;
}

HWND GetFocus() {
    std::lock_guard lock(UserMutex());
    MessageQueue* q = MessageQueue::CurrentIfAny();
    return q != nullptr && FindWindowLocked(q->focus) != nullptr ? q->focus : nullptr;
}

HWND SetCapture(HWND hwnd) {
    HWND old = nullptr;
    {
        std::lock_guard lock(UserMutex());
        if (FindWindowLocked(hwnd) == nullptr)
            return nullptr;
        old = TheInputState().capture;
        TheInputState().capture = hwnd;
    }
    if (old != nullptr && old != hwnd)
        SendMessage(old, WM_CAPTURECHANGED, 0, LPARAM(hwnd));
    return old;
}

BOOL ReleaseCapture() {
    HWND old = nullptr;
    {
        std::lock_guard lock(UserMutex());
        old = TheInputState().capture;
        TheInputState().capture = nullptr;
    }
    if (old != nullptr)
        SendMessage(old, WM_CAPTURECHANGED, 0, 0);
    return TRUE;
}

HWND GetCapture() {
    std::lock_guard lock(UserMutex());
    HWND h = TheInputState().capture;
    return FindWindowLocked(h) != nullptr ? h : nullptr;
}

void LeaveFocusOf(HWND hwnd) {
    HWND focus = GetFocus();
    if (focus != nullptr && WithinSubtree(hwnd, focus))
        SetFocus(nullptr);
}

void LeaveInputStateOf(HWND hwnd) {
    LeaveFocusOf(hwnd);
    HWND capture = GetCapture();
    if (capture != nullptr && WithinSubtree(hwnd, capture))
        ReleaseCapture();
    HandOffActivation(hwnd);
}

void HandOffActivation(HWND hwnd) {
    if (GetActiveWindow() != hwnd)
        return;
    // The owner takes over, as a modal dialog's owner does when the dialog goes.
    HWND owner = GetWindow(hwnd, GW_OWNER);
    SetActiveWindow(owner != nullptr && IsWindowVisible(owner) ? owner : nullptr);
}
