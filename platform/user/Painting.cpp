#include "platform/user/Painting.h"

#include "platform/gdi/Gdi.h"
#include "platform/user/DisplayBackend.h"
#include "platform/user/MessageQueue.h"
#include "platform/user/Messages.h"
#include "platform/user/Messaging.h"
#include "platform/user/PaintQueue.h"
#include "platform/user/WindowTable.h"
#include "platform/user/WindowTree.h"

namespace {

LONG ClientWidth(const Window* w) {
    return w->client.right - w->client.left;
}
LONG ClientHeight(const Window* w) {
    return w->client.bottom - w->client.top;
}

// `region` clipped to the client area, as a new region (client coordinates).
HRGN ClientPart(const Window* w, HRGN region) {
    HRGN area = CreateRectRgn(0, 0, ClientWidth(w), ClientHeight(w));
    if (region != nullptr)
        CombineRgn(area, area, region, RGN_AND);
    return area;
}

bool HasFrame(const Window* w) {
    return w->client.left != 0 || w->client.top != 0 || ClientWidth(w) != w->Width() ||
           ClientHeight(w) != w->Height();
}

void InvalidateChildren(Window* w, HRGN area, bool erase, UINT childMode, bool frame) {
    for (HWND h : w->children) {
        Window* c = FindWindowLocked(h);
        if (c == nullptr || !c->IsVisibleSelf())
            continue;
        // The area in the child's coordinates: window first (for its frame), then client.
        HRGN part = CreateRectRgn(0, 0, 0, 0);
        CombineRgn(part, area, nullptr, RGN_COPY);
        OffsetRgn(part, -c->rect.left, -c->rect.top);
        RECT windowBox{0, 0, c->Width(), c->Height()};
        const bool touchesFrame = frame && HasFrame(c) && RectInRegion(part, &windowBox);
        OffsetRgn(part, -c->client.left, -c->client.top);
        InvalidateLocked(c, part, erase, childMode, touchesFrame);
        DeleteObject(part);
    }
}

void MarkPending(Window* w) {
    w->queue->paintPending = 1;
    w->queue->Wake();
}

}  // namespace

void InvalidateLocked(Window* w, HRGN clientRegion, bool erase, UINT childMode, bool frame) {
    HRGN area = ClientPart(w, clientRegion);
    RECT box{};
    if (GetRgnBox(area, &box) != NULLREGION) {
        if (w->update == nullptr)
            w->update = CreateRectRgn(0, 0, 0, 0);
        CombineRgn(w->update, w->update, area, RGN_OR);
        w->erasePending = w->erasePending || erase;
        MarkPending(w);
    }
    if (frame && HasFrame(w)) {
        w->frameDirty = true;
        MarkPending(w);
    }
    const bool children =
        childMode == RDW_ALLCHILDREN || (childMode == 0 && (w->style & WS_CLIPCHILDREN) == 0);
    // A parent painting over its children's places, frames included, repaints them too.
    if (children)
        InvalidateChildren(w, area, erase, childMode, true);
    DeleteObject(area);
}

void InvalidateExposedLocked(Window* w) {
    Window* parent = ParentOf(w);
    if (parent == nullptr)
        return;  // the screen composition shows what lies beneath
    HRGN covered = CreateRectRgn(0, 0, w->Width(), w->Height());
    if (w->region != nullptr)
        CombineRgn(covered, covered, w->region, RGN_AND);
    OffsetRgn(covered, w->rect.left, w->rect.top);
    // The parent repaints; so do the siblings beneath, which it may not invalidate itself.
    InvalidateLocked(parent, covered, true, RDW_NOCHILDREN, false);
    bool below = false;
    for (HWND h : parent->children) {
        if (h == w->handle) {
            below = true;
            continue;
        }
        Window* s = FindWindowLocked(h);
        if (!below || s == nullptr || !s->IsVisibleSelf())
            continue;
        HRGN part = CreateRectRgn(0, 0, 0, 0);
        CombineRgn(part, covered, nullptr, RGN_COPY);
        OffsetRgn(part, -s->rect.left - s->client.left, -s->rect.top - s->client.top);
        InvalidateLocked(s, part, true, RDW_ALLCHILDREN, true);
        DeleteObject(part);
    }
    DeleteObject(covered);
}

BOOL RedrawWindow(HWND hwnd, const RECT* rect, HRGN region, UINT flags) {
    {
        std::lock_guard lock(UserMutex());
        Window* w = FindWindowLocked(hwnd);
        if (w == nullptr)
            return FALSE;
        const UINT childMode = flags & (RDW_ALLCHILDREN | RDW_NOCHILDREN);
        HRGN area = region;
        if (region == nullptr && rect != nullptr)
            area = CreateRectRgnIndirect(rect);
        if ((flags & RDW_INVALIDATE) != 0) {
            InvalidateLocked(w, area, (flags & RDW_ERASE) != 0, childMode,
                             (flags & RDW_FRAME) != 0);
            if ((flags & RDW_INTERNALPAINT) != 0) {
                w->internalPaint = true;
                MarkPending(w);
            }
        } else if ((flags & RDW_VALIDATE) != 0 && w->update != nullptr) {
            if (area == nullptr) {
                DeleteObject(w->update);
                w->update = nullptr;
                w->erasePending = false;
            } else {
                CombineRgn(w->update, w->update, area, RGN_DIFF);
            }
        }
        if (area != region)
            DeleteObject(area);
    }
    if ((flags & (RDW_UPDATENOW | RDW_ERASENOW)) != 0)
        UpdateWindow(hwnd);
    return TRUE;
}

BOOL InvalidateRect(HWND hwnd, const RECT* rect, BOOL erase) {
    return RedrawWindow(hwnd, rect, nullptr, RDW_INVALIDATE | (erase ? RDW_ERASE : 0u));
}

BOOL InvalidateRgn(HWND hwnd, HRGN region, BOOL erase) {
    return RedrawWindow(hwnd, nullptr, region, RDW_INVALIDATE | (erase ? RDW_ERASE : 0u));
}

BOOL ValidateRect(HWND hwnd, const RECT* rect) {
    return RedrawWindow(hwnd, rect, nullptr, RDW_VALIDATE | RDW_NOCHILDREN);
}

BOOL ValidateRgn(HWND hwnd, HRGN region) {
    return RedrawWindow(hwnd, nullptr, region, RDW_VALIDATE | RDW_NOCHILDREN);
}

namespace {

bool NeedsPaint(const Window* w) {
    RECT box{};
    return w->frameDirty || w->internalPaint ||
           (w->update != nullptr && GetRgnBox(w->update, &box) != NULLREGION);
}

}  // namespace

BOOL UpdateWindow(HWND hwnd) {
    std::vector<HWND> due;
    {
        std::lock_guard lock(UserMutex());
        Window* w = FindWindowLocked(hwnd);
        if (w == nullptr)
            return FALSE;
        for (Window* d : SubtreePreOrder(w)) {
            if (IsShown(d) && NeedsPaint(d))
                due.push_back(d->handle);
        }
    }
    for (HWND h : due) {
        bool still = false;
        {
            std::lock_guard lock(UserMutex());
            Window* d = FindWindowLocked(h);
            still = d != nullptr && NeedsPaint(d);
        }
        if (still)
            SendMessage(h, WM_PAINT, 0, 0);
    }
    return TRUE;
}

bool TakePaintMessage(MessageQueue* queue, HWND filter, MSG* msg) {
    if (queue->paintPending == 0)
        return false;
    for (HWND top : WindowTable::Instance().TopLevels()) {
        Window* t = FindWindowLocked(top);
        if (t == nullptr || !t->IsVisibleSelf())
            continue;
        for (Window* w : SubtreePreOrder(t)) {
            if (w->queue.get() != queue || !IsShown(w) || !NeedsPaint(w))
                continue;
            if (filter != nullptr && w->handle != filter)
                continue;
            *msg = MSG{w->handle, WM_PAINT, 0, 0, 0, {}};
            w->internalPaint = false;
            return true;
        }
    }
    if (filter == nullptr)
        queue->paintPending = 0;
    return false;
}

BOOL GetUpdateRect(HWND hwnd, RECT* rect, BOOL erase) {
    bool any = false;
    {
        std::lock_guard lock(UserMutex());
        Window* w = FindWindowLocked(hwnd);
        if (w == nullptr)
            return FALSE;
        RECT box{};
        any = w->update != nullptr && GetRgnBox(w->update, &box) != NULLREGION;
        if (rect != nullptr)
            *rect = any ? box : RECT{};
    }
    if (any && erase)
        RedrawWindow(hwnd, nullptr, nullptr, RDW_ERASENOW);
    return any ? TRUE : FALSE;
}

int GetUpdateRgn(HWND hwnd, HRGN region, BOOL) {
    std::lock_guard lock(UserMutex());
    Window* w = FindWindowLocked(hwnd);
    if (w == nullptr || region == nullptr)
        return RGN_ERROR;
    if (w->update == nullptr)
        return SetRectRgn(region, 0, 0, 0, 0) ? NULLREGION : RGN_ERROR;
    return CombineRgn(region, w->update, nullptr, RGN_COPY);
}

void RequestPresentationOf(HWND hwnd) {
    HWND top = nullptr;
    {
        std::lock_guard lock(UserMutex());
        Window* w = FindWindowLocked(hwnd);
        if (w == nullptr)
            return;
        top = TopLevelOf(w)->handle;
    }
    if (DisplayBackend* display = CurrentDisplayBackend())
        display->PresentationRequested(top);
}
