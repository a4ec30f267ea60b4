#include <algorithm>

#include "platform/base/LastError.h"
#include "platform/user/BackingStore.h"
#include "platform/user/Focus.h"
#include "platform/user/Geometry.h"
#include "platform/user/InputState.h"
#include "platform/user/MessageQueue.h"
#include "platform/user/Messaging.h"
#include "platform/user/NonClient.h"
#include "platform/user/PaintQueue.h"
#include "platform/user/WindowApi.h"
#include "platform/user/WindowClass.h"
#include "platform/user/WindowTable.h"
#include "platform/user/WindowTree.h"

namespace {

constexpr DWORD kErrorInvalidWindowHandle = 1400;
constexpr DWORD kErrorCannotFindClass = 1407;
constexpr DWORD kErrorTlwWithChild = 1406;

thread_local WindowCreateHook t_hook = nullptr;
thread_local void* t_hookContext = nullptr;

int DefaultExtent(int v, int fallback) {
    return v == CW_USEDEFAULT ? fallback : v;
}

std::shared_ptr<Window> NewWindow(const std::shared_ptr<const WindowClass>& cls, DWORD exStyle,
                                  const wchar_t* name, DWORD style, RECT rect, HMENU menu,
                                  HINSTANCE instance) {
    auto w = std::make_shared<Window>();
    w->windowClass = cls;
    w->queue = MessageQueue::Current();
    w->proc = cls->proc;
    w->instance = instance;
    w->style = style & ~WS_VISIBLE;  // shown at the end of creation
    w->exStyle = exStyle;
    w->layered = (exStyle & WS_EX_LAYERED) != 0;
    w->rect = rect;
    w->client = RECT{0, 0, rect.right - rect.left, rect.bottom - rect.top};
    w->text = name != nullptr && !IS_INTRESOURCE(name) ? name : L"";
    w->extra.assign(size_t(std::max(cls->windowExtraBytes, 0) + 7) / 8, 0);
    if ((style & WS_CHILD) != 0)
        w->id = UINT_PTR(menu);
    return w;
}

// Enters the new window into the tree. Lock held. Null when the parent is bad.
HWND Link(const std::shared_ptr<Window>& w, HWND parent) {
    WindowTable& table = WindowTable::Instance();
    Window* p = table.Find(parent);
    if (w->IsChild()) {
        if (p == nullptr)
            return nullptr;
        w->parent = parent;
    } else {
        w->owner = p != nullptr ? TopLevelOf(p)->handle : nullptr;
        w->store = std::make_shared<BackingStore>(w->Width(), w->Height());
    }
    HWND hwnd = table.Add(w);
    // Children made later lie below the earlier ones; top-level windows come to the front.
    if (w->IsChild()) {
        LinkChild(p, hwnd, HWND_BOTTOM);
    } else {
        table.PlaceTopLevel(hwnd, HWND_TOP);
    }
    return hwnd;
}

bool RunCreationMessages(HWND hwnd, CREATESTRUCTW* cs) {
    if (SendMessage(hwnd, WM_NCCREATE, 0, LPARAM(cs)) == 0)
        return false;
    RecalculateClientArea(hwnd);
    if (SendMessage(hwnd, WM_CREATE, 0, LPARAM(cs)) == -1)
        return false;
    if (!IsWindow(hwnd))
        return false;  // destroyed while it was being made
    SendSizeAndMove(hwnd);
    return true;
}

void NotifyParent(HWND hwnd, UINT event) {
    HWND parent = nullptr;
    UINT_PTR id = 0;
    {
        std::lock_guard lock(UserMutex());
        Window* w = FindWindowLocked(hwnd);
        if (w == nullptr || !w->IsChild() || (w->exStyle & WS_EX_NOPARENTNOTIFY) != 0)
            return;
        parent = w->parent;
        id = w->id;
    }
    SendMessage(parent, WM_PARENTNOTIFY, MAKEWPARAM(int(event), int(id)), LPARAM(hwnd));
}

}  // namespace

void SetWindowCreateHook(WindowCreateHook hook, void* context) {
    t_hook = hook;
    t_hookContext = context;
}

HWND CreateWindowExW(DWORD exStyle, const wchar_t* className, const wchar_t* windowName,
                     DWORD style, int x, int y, int width, int height, HWND parent, HMENU menu,
                     HINSTANCE instance, void* param) {
    auto cls = WindowClassRegistry::Instance().Find(className);
    if (cls == nullptr) {
        SetLastError(kErrorCannotFindClass);
        return nullptr;
    }
    x = DefaultExtent(x, 0);
    y = DefaultExtent(y, 0);
    const RECT rect{x, y, x + std::max(DefaultExtent(width, 640), 0),
                    y + std::max(DefaultExtent(height, 480), 0)};
    auto w = NewWindow(cls, exStyle, windowName, style, rect, menu, instance);
    HWND hwnd = nullptr;
    {
        std::lock_guard lock(UserMutex());
        hwnd = Link(w, parent);
    }
    if (hwnd == nullptr) {
        SetLastError(parent == nullptr ? kErrorTlwWithChild : kErrorInvalidWindowHandle);
        return nullptr;
    }
    if (t_hook != nullptr)
        t_hook(hwnd, t_hookContext);
    CREATESTRUCTW cs{param,
                     instance,
                     menu,
                     parent,
                     int(rect.bottom - rect.top),
                     int(rect.right - rect.left),
                     y,
                     x,
                     LONG(style),
                     windowName,
                     className,
                     exStyle};
    if (!RunCreationMessages(hwnd, &cs)) {
        DestroyWindow(hwnd);
        return nullptr;
    }
    NotifyParent(hwnd, WM_CREATE);
    if ((style & WS_VISIBLE) != 0)
        ShowWindow(hwnd, (style & WS_CHILD) ? SW_SHOWNA : SW_SHOW);
    return IsWindow(hwnd) ? hwnd : nullptr;
}

BOOL IsWindow(HWND hwnd) {
    std::lock_guard lock(UserMutex());
    return FindWindowLocked(hwnd) != nullptr ? TRUE : FALSE;
}

namespace {

// The windows that go with `hwnd`: its subtree, parents first. Lock held.
std::vector<HWND> Doomed(Window* w) {
    std::vector<HWND> out;
    for (Window* d : SubtreePreOrder(w)) {
        d->destroying = true;
        out.push_back(d->handle);
    }
    return out;
}

std::vector<HWND> OwnedBy(HWND owner) {
    std::vector<HWND> out;
    for (HWND h : WindowTable::Instance().TopLevels()) {
        Window* w = FindWindowLocked(h);
        if (w != nullptr && w->owner == owner)
            out.push_back(h);
    }
    return out;
}

void Unregister(const std::vector<HWND>& doomed) {
    std::lock_guard lock(UserMutex());
    WindowTable& table = WindowTable::Instance();
    for (HWND h : doomed) {
        Window* w = table.Find(h);
        if (w == nullptr)
            continue;
        w->queue->timers.KillAllOf(h);
        if (w->queue->focus == h)
            w->queue->focus = nullptr;
        if (w->queue->active == h)
            w->queue->active = nullptr;
        UnlinkFromParent(w);
        ForgetInputStateOf(h);
        table.Remove(h);
    }
}

}  // namespace

BOOL DestroyWindow(HWND hwnd) {
    std::vector<HWND> owned;
    {
        std::lock_guard lock(UserMutex());
        Window* w = FindWindowLocked(hwnd);
        if (w == nullptr || !w->queue->IsCurrentThread() || w->destroying)
            return FALSE;
        w->destroying = true;
        owned = OwnedBy(hwnd);
    }
    for (HWND o : owned)
        DestroyWindow(o);
    NotifyParent(hwnd, WM_DESTROY);
    if (IsWindowVisible(hwnd)) {
        SetWindowPos(hwnd, nullptr, 0, 0, 0, 0,
                     SWP_HIDEWINDOW | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    LeaveInputStateOf(hwnd);
    std::vector<HWND> doomed;
    {
        std::lock_guard lock(UserMutex());
        Window* w = FindWindowLocked(hwnd);
        if (w == nullptr)
            return FALSE;
        doomed = Doomed(w);
    }
    for (HWND h : doomed)
        SendMessage(h, WM_DESTROY, 0, 0);
    for (auto it = doomed.rbegin(); it != doomed.rend(); ++it)
        SendMessage(*it, WM_NCDESTROY, 0, 0);
    Unregister(doomed);
    return TRUE;
}
