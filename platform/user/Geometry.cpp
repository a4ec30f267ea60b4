#include "platform/user/Geometry.h"

#include "platform/user/BackingStore.h"
#include "platform/user/Focus.h"
#include "platform/user/Messaging.h"
#include "platform/user/NonClient.h"
#include "platform/user/Painting.h"
#include "platform/user/Rects.h"
#include "platform/user/WindowApi.h"
#include "platform/user/WindowTable.h"
#include "platform/user/WindowTree.h"

BOOL GetWindowRect(HWND hwnd, RECT* rect) {
    std::lock_guard lock(UserMutex());
    Window* w = FindWindowLocked(hwnd);
    if (w == nullptr || rect == nullptr)
        return FALSE;
    *rect = ScreenRect(w);
    return TRUE;
}

BOOL GetClientRect(HWND hwnd, RECT* rect) {
    std::lock_guard lock(UserMutex());
    Window* w = FindWindowLocked(hwnd);
    if (w == nullptr || rect == nullptr)
        return FALSE;
    *rect = RECT{0, 0, w->client.right - w->client.left, w->client.bottom - w->client.top};
    return TRUE;
}

namespace {

BOOL ShiftByClientOrigin(HWND hwnd, POINT* point, int sign) {
    std::lock_guard lock(UserMutex());
    Window* w = FindWindowLocked(hwnd);
    if (w == nullptr || point == nullptr)
        return FALSE;
    const POINT o = ClientOrigin(w);
    point->x += sign * o.x;
    point->y += sign * o.y;
    return TRUE;
}

}  // namespace

BOOL ClientToScreen(HWND hwnd, POINT* point) {
    return ShiftByClientOrigin(hwnd, point, 1);
}

BOOL ScreenToClient(HWND hwnd, POINT* point) {
    return ShiftByClientOrigin(hwnd, point, -1);
}

int MapWindowPoints(HWND from, HWND to, POINT* points, UINT count) {
    std::lock_guard lock(UserMutex());
    POINT a{0, 0};
    POINT b{0, 0};
    if (from != nullptr) {
        Window* w = FindWindowLocked(from);
        if (w == nullptr)
            return 0;
        a = ClientOrigin(w);
    }
    if (to != nullptr) {
        Window* w = FindWindowLocked(to);
        if (w == nullptr)
            return 0;
        b = ClientOrigin(w);
    }
    const LONG dx = a.x - b.x;
    const LONG dy = a.y - b.y;
    for (UINT i = 0; points != nullptr && i < count; ++i) {
        points[i].x += dx;
        points[i].y += dy;
    }
    return int(MAKELPARAM(int(dx), int(dy)));
}

BOOL MoveWindow(HWND hwnd, int x, int y, int width, int height, BOOL repaint) {
    return SetWindowPos(hwnd, nullptr, x, y, width, height,
                        SWP_NOZORDER | SWP_NOACTIVATE | (repaint ? 0u : SWP_NOREDRAW));
}

BOOL BringWindowToTop(HWND hwnd) {
    return SetWindowPos(hwnd, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
}

namespace {

// The position request with the unchanged parts filled in. Lock held.
WINDOWPOS Request(const Window* w, HWND after, int x, int y, int cx, int cy, UINT flags) {
    WINDOWPOS p{w->handle, after, x, y, cx, cy, flags};
    if ((flags & SWP_NOMOVE) != 0) {
        p.x = w->rect.left;
        p.y = w->rect.top;
    }
    if ((flags & SWP_NOSIZE) != 0) {
        p.cx = w->Width();
        p.cy = w->Height();
    }
    p.cx = std::max(p.cx, 0);
    p.cy = std::max(p.cy, 0);
    return p;
}

void Reorder(Window* w, HWND after) {
    if (w->IsChild()) {
        if (Window* p = ParentOf(w))
            LinkChild(p, w->handle, after);
        return;
    }
    if (after == HWND_TOPMOST)
        w->exStyle |= WS_EX_TOPMOST;
    if (after == HWND_NOTOPMOST)
        w->exStyle &= ~WS_EX_TOPMOST;
    WindowTable::Instance().PlaceTopLevel(w->handle, after);
}

struct Change {
    bool moved = false;
    bool sized = false;
    bool shown = false;
    bool hidden = false;
};

// Applies the position to the window. Lock held.
Change Apply(Window* w, const WINDOWPOS& p) {
    Change c;
    c.moved = p.x != w->rect.left || p.y != w->rect.top;
    c.sized = p.cx != w->Width() || p.cy != w->Height();
    c.shown = (p.flags & SWP_SHOWWINDOW) != 0 && !w->IsVisibleSelf();
    c.hidden = (p.flags & SWP_HIDEWINDOW) != 0 && w->IsVisibleSelf();
    const bool wasShown = IsShown(w);
    if (wasShown && (c.moved || c.sized || c.hidden || (p.flags & SWP_NOZORDER) == 0))
        InvalidateExposedLocked(w);
    w->rect = RECT{p.x, p.y, p.x + p.cx, p.y + p.cy};
    if ((p.flags & SWP_NOZORDER) == 0)
        Reorder(w, p.hwndInsertAfter);
    if (c.shown)
        w->style |= WS_VISIBLE;
    if (c.hidden)
        w->style &= ~WS_VISIBLE;
    if (w->store != nullptr && c.sized) {
        std::lock_guard pixels(w->store->mutex);
        w->store->Resize(p.cx, p.cy);
    }
    return c;
}

}  // namespace

BOOL SetWindowPos(HWND hwnd, HWND insertAfter, int x, int y, int width, int height, UINT flags) {
    WINDOWPOS pos{};
    {
        std::lock_guard lock(UserMutex());
        Window* w = FindWindowLocked(hwnd);
        if (w == nullptr)
            return FALSE;
        pos = Request(w, insertAfter, x, y, width, height, flags);
    }
    SendMessage(hwnd, WM_WINDOWPOSCHANGING, 0, LPARAM(&pos));
    Change change;
    bool topLevel = false;
    {
        std::lock_guard lock(UserMutex());
        Window* w = FindWindowLocked(hwnd);
        if (w == nullptr)
            return FALSE;
        change = Apply(w, pos);
        topLevel = !w->IsChild();
    }
    if (change.sized || (flags & SWP_FRAMECHANGED) != 0)
        RecalculateClientArea(hwnd);
    const bool repaintSelf = change.sized || change.shown || (change.moved && !topLevel) ||
                             (flags & SWP_FRAMECHANGED) != 0;
    if (repaintSelf && (flags & SWP_NOREDRAW) == 0) {
        RedrawWindow(hwnd, nullptr, nullptr,
                     RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
    }
    if (change.moved || change.sized || change.shown || change.hidden) {
        SendMessage(hwnd, WM_WINDOWPOSCHANGED, 0, LPARAM(&pos));
    }
    if ((flags & SWP_NOACTIVATE) == 0 && topLevel && !change.hidden)
        ActivateTopLevelOf(hwnd);
    RequestPresentationOf(hwnd);
    return TRUE;
}

void SendSizeAndMove(HWND hwnd) {
    RECT client{};
    POINT origin{};
    WPARAM kind = SIZE_RESTORED;
    {
        std::lock_guard lock(UserMutex());
        Window* w = FindWindowLocked(hwnd);
        if (w == nullptr)
            return;
        client = w->client;
        origin = POINT{w->rect.left + client.left, w->rect.top + client.top};
        if ((w->style & WS_MAXIMIZE) != 0)
            kind = SIZE_MAXIMIZED;
        if ((w->style & WS_MINIMIZE) != 0)
            kind = SIZE_MINIMIZED;
    }
    SendMessage(hwnd, WM_SIZE, kind,
                MAKELPARAM(int(client.right - client.left), int(client.bottom - client.top)));
    SendMessage(hwnd, WM_MOVE, 0, MAKELPARAM(int(origin.x), int(origin.y)));
}

BOOL AdjustWindowRectEx(RECT* rect, DWORD style, BOOL, DWORD exStyle) {
    if (rect == nullptr)
        return FALSE;
    const RECT frame = FrameThickness(style, exStyle);
    *rect = RECT{rect->left - frame.left, rect->top - frame.top, rect->right + frame.right,
                 rect->bottom + frame.bottom};
    return TRUE;
}

namespace {

struct Candidate {
    HWND hwnd;
    std::vector<HWND> children;  // shown, topmost first, holding the point
    bool clientHolds;
    bool enabled;
};

// What the hit test needs of one window. Lock taken inside.
bool Inspect(HWND hwnd, POINT screen, Candidate* out) {
    std::lock_guard lock(UserMutex());
    Window* w = FindWindowLocked(hwnd);
    if (w == nullptr || !IsShown(w) || !HitsWindow(w, screen))
        return false;
    const POINT c = ClientOrigin(w);
    const RECT client{c.x, c.y, c.x + w->client.right - w->client.left,
                      c.y + w->client.bottom - w->client.top};
    *out = Candidate{hwnd, {}, PtInRect(&client, screen) != 0, w->IsEnabledSelf()};
    if (out->clientHolds) {
        for (HWND h : w->children) {
            Window* k = FindWindowLocked(h);
            if (k != nullptr && k->IsVisibleSelf() && HitsWindow(k, screen))
                out->children.push_back(h);
        }
    }
    return true;
}

// Null when the window and everything under the point inside it is transparent.
HWND HitInto(HWND hwnd, POINT screen, LRESULT* hit) {
    Candidate c{};
    if (!Inspect(hwnd, screen, &c))
        return nullptr;
    for (HWND child : c.children) {
        Candidate k{};
        if (!Inspect(child, screen, &k))
            continue;
        if (!k.enabled)
            break;  // a disabled child hands the point to its parent
        if (HWND found = HitInto(child, screen, hit))
            return found;
    }
    const LRESULT code = SendMessage(hwnd, WM_NCHITTEST, 0, MAKELPARAM(screen.x, screen.y));
    if (code == HTTRANSPARENT)
        return nullptr;
    if (hit != nullptr)
        *hit = code;
    return hwnd;
}

}  // namespace

HWND WindowFromPointEx(POINT screen, LRESULT* hit) {
    std::vector<HWND> tops;
    {
        std::lock_guard lock(UserMutex());
        tops = WindowTable::Instance().TopLevels();
    }
    for (HWND top : tops) {
        if (HWND found = HitInto(top, screen, hit))
            return found;
    }
    if (hit != nullptr)
        *hit = HTNOWHERE;
    return nullptr;
}

HWND ChildWindowFromPoint(HWND parent, POINT client) {
    std::lock_guard lock(UserMutex());
    Window* p = FindWindowLocked(parent);
    if (p == nullptr)
        return nullptr;
    const POINT o = ClientOrigin(p);
    const POINT screen{client.x + o.x, client.y + o.y};
    if (client.x < 0 || client.y < 0 || client.x >= p->client.right - p->client.left ||
        client.y >= p->client.bottom - p->client.top)
        return nullptr;
    for (HWND h : p->children) {
        Window* k = FindWindowLocked(h);
        if (k != nullptr && HitsWindow(k, screen))
            return h;
    }
    return parent;
}
