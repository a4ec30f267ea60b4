#include "platform/user/WindowTree.h"

#include <algorithm>

#include "platform/gdi/Gdi.h"
#include "platform/user/InputState.h"
#include "platform/user/WindowTable.h"

Window* ParentOf(const Window* w) {
    return w->IsChild() ? FindWindowLocked(w->parent) : nullptr;
}

Window* TopLevelOf(Window* w) {
    while (w != nullptr && w->IsChild()) {
        Window* p = ParentOf(w);
        if (p == nullptr)
            return w;
        w = p;
    }
    return w;
}

bool IsDescendant(const Window* ancestor, const Window* w) {
    for (const Window* p = ParentOf(w); p != nullptr; p = ParentOf(p)) {
        if (p == ancestor)
            return true;
    }
    return false;
}

void UnlinkFromParent(Window* w) {
    if (Window* p = FindWindowLocked(w->parent))
        std::erase(p->children, w->handle);
}

void LinkChild(Window* parent, HWND child, HWND insertAfter) {
    std::erase(parent->children, child);
    auto& c = parent->children;
    if (insertAfter == HWND_TOP || insertAfter == HWND_TOPMOST) {
        c.insert(c.begin(), child);
        return;
    }
    auto after = std::find(c.begin(), c.end(), insertAfter);
    c.insert(after == c.end() ? c.end() : after + 1, child);
}

POINT WindowOrigin(const Window* w) {
    POINT p{w->rect.left, w->rect.top};
    if (const Window* parent = ParentOf(w)) {
        const POINT o = ClientOrigin(parent);
        p.x += o.x;
        p.y += o.y;
    }
    return p;
}

POINT ClientOrigin(const Window* w) {
    POINT p = WindowOrigin(w);
    return POINT{p.x + w->client.left, p.y + w->client.top};
}

POINT OriginInTopLevel(const Window* w) {
    const Window* top = TopLevelOf(const_cast<Window*>(w));
    const POINT a = WindowOrigin(w);
    const POINT b = WindowOrigin(top);
    return POINT{a.x - b.x, a.y - b.y};
}

RECT ScreenRect(const Window* w) {
    const POINT o = WindowOrigin(w);
    return RECT{o.x, o.y, o.x + w->Width(), o.y + w->Height()};
}

bool IsShown(const Window* w) {
    for (; w != nullptr; w = ParentOf(w)) {
        if (!w->IsVisibleSelf())
            return false;
        if (!w->IsChild())
            return true;
    }
    return false;
}

bool HitsWindow(const Window* w, POINT screen) {
    const RECT r = ScreenRect(w);
    if (screen.x < r.left || screen.x >= r.right || screen.y < r.top || screen.y >= r.bottom)
        return false;
    return w->region == nullptr || PtInRegion(w->region, screen.x - r.left, screen.y - r.top);
}

std::vector<Window*> SubtreePreOrder(Window* w) {
    std::vector<Window*> out{w};
    for (size_t i = 0; i < out.size(); ++i) {
        std::vector<Window*> kids;
        for (HWND h : out[i]->children) {
            if (Window* c = FindWindowLocked(h))
                kids.push_back(c);
        }
        // Depth-first: the children of out[i] follow it directly.
        out.insert(out.begin() + long(i) + 1, kids.begin(), kids.end());
    }
    return out;
}

void ForgetWindowsOf(const MessageQueue* queue) {
    WindowTable& table = WindowTable::Instance();
    for (HWND h : table.WindowsOf(queue)) {
        Window* w = table.Find(h);
        if (w == nullptr)
            continue;
        UnlinkFromParent(w);
        ForgetInputStateOf(h);
        table.Remove(h);
    }
}
