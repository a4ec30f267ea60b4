#include "platform/user/InputCooking.h"

#include <cstdlib>

#include "platform/gdi/Gdi.h"
#include "platform/user/Focus.h"
#include "platform/user/Geometry.h"
#include "platform/user/Input.h"
#include "platform/user/InputState.h"
#include "platform/user/MessageQueue.h"
#include "platform/user/Messaging.h"
#include "platform/user/WindowApi.h"
#include "platform/user/WindowClass.h"
#include "platform/user/WindowTable.h"

namespace {

UINT ButtonMessage(MouseButton b, bool down) {
    const UINT base = b == MouseButton::Left    ? WM_LBUTTONDOWN
                      : b == MouseButton::Right ? WM_RBUTTONDOWN
                                                : WM_MBUTTONDOWN;
    return down ? base : base + 1;  // the up message follows the down one
}

constexpr UINT kNonClientOffset = WM_MOUSEMOVE - WM_NCMOUSEMOVE;

bool WantsDoubleClicksLocked(HWND hwnd) {
    Window* w = FindWindowLocked(hwnd);
    return w != nullptr && (w->windowClass->style & CS_DBLCLKS) != 0;
}

bool OwnedHere(HWND hwnd) {
    std::lock_guard lock(UserMutex());
    Window* w = FindWindowLocked(hwnd);
    return w != nullptr && w->queue->IsCurrentThread();
}

// A press turns into a double click when it repeats the last one soon enough,
// close enough, on the same window.
UINT ClickKind(HWND target, UINT down, const RawInput& in, bool client) {
    std::lock_guard lock(UserMutex());
    InputState& s = TheInputState();
    const int dx = std::abs(int(in.pt.x - s.lastClickPos.x));
    const int dy = std::abs(int(in.pt.y - s.lastClickPos.y));
    const bool repeat = s.lastClickWindow == target && s.lastClickMessage == down &&
                        in.time - s.lastClickTime <= GetDoubleClickTime() &&
                        dx <= GetSystemMetrics(SM_CXDOUBLECLK) / 2 &&
                        dy <= GetSystemMetrics(SM_CYDOUBLECLK) / 2;
    if (repeat) {
        s.lastClickWindow = nullptr;
        if (!client || WantsDoubleClicksLocked(target))
            return down + 2;  // ...DBLCLK
        return down;
    }
    s.lastClickWindow = target;
    s.lastClickMessage = down;
    s.lastClickTime = in.time;
    s.lastClickPos = in.pt;
    return down;
}

// A disabled window, or one inside a disabled top-level window (under a
// modal box), takes no mouse input.
bool TakesMouse(HWND target) {
    return IsWindowEnabled(GetAncestor(target, GA_ROOT)) != FALSE;
}

// Activation on a press; false when the press must be dropped.
bool ActivateOnPress(HWND target, LRESULT hit, UINT message) {
    HWND top = GetAncestor(target, GA_ROOT);
    if (top != GetActiveWindow()) {
        const LRESULT ma =
            SendMessage(target, WM_MOUSEACTIVATE, WPARAM(top), MAKELPARAM(int(hit), int(message)));
        if (ma != MA_NOACTIVATE && ma != 4 /* MA_NOACTIVATEANDEAT */)
            SetActiveWindow(top);
        if (ma == 2 /* MA_ACTIVATEANDEAT */ || ma == 4)
            return false;
    }
    return true;
}

void Deliver(MessageQueue* q, const MSG& msg) {
    std::lock_guard lock(UserMutex());
    q->cookedInput.push_back(msg);
}

void CookMouse(MessageQueue* q, const RawInput& in) {
    HWND target = GetCapture();
    LRESULT hit = HTCLIENT;
    if (target == nullptr)
        target = WindowFromPointEx(in.pt, &hit);
    if (target == nullptr || !OwnedHere(target) || (GetCapture() == nullptr && !TakesMouse(target)))
        return;
    UINT message =
        in.kind == RawInputKind::MouseMove ? WM_MOUSEMOVE : ButtonMessage(in.button, in.down);
    if (in.kind == RawInputKind::MouseButton && in.down && GetCapture() == nullptr &&
        !ActivateOnPress(target, hit, message))
        return;
    if (GetCapture() == nullptr) {
        SendMessage(target, WM_SETCURSOR, WPARAM(target), MAKELPARAM(int(hit), int(message)));
    }
    const bool client = hit == HTCLIENT;
    if (in.kind == RawInputKind::MouseButton && in.down)
        message = ClickKind(target, message, in, client);
    MSG msg{target, message, in.keyState, 0, in.time, in.pt};
    if (client) {
        POINT p = in.pt;
        ScreenToClient(target, &p);
        msg.lParam = MAKELPARAM(int(p.x), int(p.y));
    } else {
        msg.message = message - kNonClientOffset;
        msg.wParam = WPARAM(hit);
        msg.lParam = MAKELPARAM(int(in.pt.x), int(in.pt.y));
    }
    Deliver(q, msg);
}

// The wheel turns what lies under the pointer (the default window procedure
// hands it on to the parent), as desktops do; the focus when nothing of this
// thread is there.
void CookWheel(MessageQueue* q, const RawInput& in) {
    HWND target = WindowFromPoint(in.pt);
    if (target == nullptr || !OwnedHere(target))
        target = GetFocus();
    if (target == nullptr || !OwnedHere(target) || !TakesMouse(target))
        return;
    Deliver(q, MSG{target, WM_MOUSEWHEEL, MAKEWPARAM(int(in.keyState), in.wheelDelta),
                   MAKELPARAM(int(in.pt.x), int(in.pt.y)), in.time, in.pt});
}

// Keys and typed text go to the focus, else the active window.
HWND KeyboardTarget() {
    HWND focus = GetFocus();
    return focus != nullptr ? focus : GetActiveWindow();
}

void CookKey(MessageQueue* q, const RawInput& in) {
    HWND target = KeyboardTarget();
    if (target == nullptr)
        return;
    const bool alt = (GetKeyState(VK_MENU) & 0x8000) != 0;
    const bool sys = alt || in.vk == VK_F10 || in.vk == VK_MENU;
    const UINT message =
        sys ? (in.down ? WM_SYSKEYDOWN : WM_SYSKEYUP) : (in.down ? WM_KEYDOWN : WM_KEYUP);
    LPARAM lp = 1;
    if (alt)
        lp |= LPARAM(1) << 29;
    if (!in.down)
        lp |= LPARAM(0xC0000000u);
    if (in.typed)
        lp |= kTypedKeyFlag;
    Deliver(q, MSG{target, message, in.vk, lp, in.time, in.pt});
}

// Typed text goes to the focus as it would come from TranslateMessage: one
// WM_CHAR a character, after the key that made it.
void CookText(MessageQueue* q, const RawInput& in) {
    HWND target = KeyboardTarget();
    if (target == nullptr)
        return;
    for (const wchar_t c : in.text)
        Deliver(q, MSG{target, WM_CHAR, WPARAM(c), 1, in.time, in.pt});
}

// The display has moved the window already; it hears of its new place.
void CookMoved(const RawInput& in) {
    RECT r{};
    if (!OwnedHere(in.window) || !GetWindowRect(in.window, &r))
        return;
    WINDOWPOS pos{in.window,
                  nullptr,
                  int(r.left),
                  int(r.top),
                  int(r.right - r.left),
                  int(r.bottom - r.top),
                  SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE};
    SendMessage(in.window, WM_WINDOWPOSCHANGED, 0, LPARAM(&pos));
}

// The display has sized the window; the window system places it there, so
// the window hears WM_SIZE as for any other resize.
void CookResized(const RawInput& in) {
    if (!OwnedHere(in.window) || IsIconic(in.window))
        return;
    const RECT& r = in.rect;
    SetWindowPos(in.window, nullptr, int(r.left), int(r.top), int(r.right - r.left),
                 int(r.bottom - r.top), SWP_NOZORDER | SWP_NOACTIVATE);
}

void CookActivation(MessageQueue* q, const RawInput& in) {
    std::vector<HWND> tops;
    {
        std::lock_guard lock(UserMutex());
        for (HWND h : WindowTable::Instance().TopLevels()) {
            Window* w = FindWindowLocked(h);
            if (w != nullptr && w->queue.get() == q)
                tops.push_back(h);
        }
    }
    for (HWND h : tops)
        SendMessage(h, WM_ACTIVATEAPP, in.down ? TRUE : FALSE, 0);
    if (!in.down)
        SetActiveWindow(nullptr);
}

}  // namespace

void CookNextInput(std::unique_lock<std::mutex>& lock, MessageQueue* q) {
    const RawInput in = q->input.front();
    q->input.pop_front();
    InputState& s = TheInputState();
    if (in.kind == RawInputKind::MouseButton) {
        s.keyDown[in.button == MouseButton::Left    ? VK_LBUTTON
                  : in.button == MouseButton::Right ? VK_RBUTTON
                                                    : VK_MBUTTON] = in.down;
    }
    if (in.kind == RawInputKind::Key)
        s.keyDown[in.vk] = in.down;
    lock.unlock();
    switch (in.kind) {
        case RawInputKind::MouseMove:
        case RawInputKind::MouseButton:
            CookMouse(q, in);
            break;
        case RawInputKind::Wheel:
            CookWheel(q, in);
            break;
        case RawInputKind::Key:
            CookKey(q, in);
            break;
        case RawInputKind::Text:
            CookText(q, in);
            break;
        case RawInputKind::Moved:
            CookMoved(in);
            break;
        case RawInputKind::Resized:
            CookResized(in);
            break;
        case RawInputKind::AppActivation:
            CookActivation(q, in);
            break;
    }
    lock.lock();
}

namespace {

wchar_t CharOfKey(UINT vk, bool shift) {
    if (vk >= 'A' && vk <= 'Z')
        return shift ? wchar_t(vk) : wchar_t(vk - 'A' + 'a');
    if (vk >= '0' && vk <= '9')
        return wchar_t(vk);
    switch (vk) {
        case VK_SPACE:
            return L' ';
        case VK_RETURN:
            return L'\r';
        case VK_ESCAPE:
            return 0x1B;
        case VK_BACK:
            return 0x08;
        case VK_TAB:
            return L'\t';
        default:
            return 0;
    }
}

}  // namespace

BOOL TranslateMessage(const MSG* msg) {
    if (msg == nullptr || (msg->message != WM_KEYDOWN && msg->message != WM_SYSKEYDOWN) ||
        (msg->lParam & kTypedKeyFlag) != 0)
        return FALSE;
    const wchar_t c = CharOfKey(UINT(msg->wParam), (GetKeyState(VK_SHIFT) & 0x8000) != 0);
    if (c == 0)
        return FALSE;
    const UINT charMessage = msg->message == WM_KEYDOWN ? WM_CHAR : WM_SYSCHAR;
    std::lock_guard lock(UserMutex());
    Window* w = FindWindowLocked(msg->hwnd);
    if (w == nullptr)
        return FALSE;
    // The character comes before anything posted after the key.
    w->queue->posted.push_front(
        MSG{msg->hwnd, charMessage, WPARAM(c), msg->lParam, msg->time, msg->pt});
    w->queue->Wake();
    return TRUE;
}
