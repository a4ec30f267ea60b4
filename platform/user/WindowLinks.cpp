#include <algorithm>

#include "platform/user/Geometry.h"
#include "platform/user/Painting.h"
#include "platform/user/WindowApi.h"
#include "platform/user/WindowTable.h"
#include "platform/user/WindowTree.h"

namespace {

// The list a window is ordered in: its parent's children or the top-level list.
const std::vector<HWND>* SiblingsOf(const Window* w) {
    if (w->IsChild()) {
        Window* p = ParentOf(w);
        return p != nullptr ? &p->children : nullptr;
    }
    return &WindowTable::Instance().TopLevels();
}

HWND Neighbour(const Window* w, UINT relation) {
    const std::vector<HWND>* list = SiblingsOf(w);
    if (list == nullptr || list->empty())
        return nullptr;
    auto it = std::find(list->begin(), list->end(), w->handle);
    switch (relation) {
        case GW_HWNDFIRST:
            return list->front();
        case GW_HWNDLAST:
            return list->back();
        case GW_HWNDNEXT:
            return (it == list->end() || it + 1 == list->end()) ? nullptr : *(it + 1);
        case GW_HWNDPREV:
            return (it == list->end() || it == list->begin()) ? nullptr : *(it - 1);
        default:
            return nullptr;
    }
}

}  // namespace

HWND GetParent(HWND hwnd) {
    std::lock_guard lock(UserMutex());
    Window* w = FindWindowLocked(hwnd);
    if (w == nullptr)
        return nullptr;
    if (w->IsChild())
        return w->parent;
    return (w->style & WS_POPUP) != 0 ? w->owner : nullptr;
}

HWND GetWindow(HWND hwnd, UINT relation) {
    std::lock_guard lock(UserMutex());
    Window* w = FindWindowLocked(hwnd);
    if (w == nullptr)
        return nullptr;
    if (relation == GW_OWNER)
        return w->IsChild() ? nullptr : w->owner;
    if (relation == GW_CHILD)
        return w->children.empty() ? nullptr : w->children.front();
    return Neighbour(w, relation);
}

HWND GetAncestor(HWND hwnd, UINT kind) {
    std::lock_guard lock(UserMutex());
    Window* w = FindWindowLocked(hwnd);
    if (w == nullptr)
        return nullptr;
    switch (kind) {
        case GA_PARENT:
            return w->IsChild() ? w->parent : GetDesktopWindow();
        case GA_ROOT:
            return TopLevelOf(w)->handle;
        case GA_ROOTOWNER: {
            Window* root = TopLevelOf(w);
            while (Window* o = FindWindowLocked(root->owner))
                root = o;
            return root->handle;
        }
        default:
            return nullptr;
    }
}

HWND GetTopWindow(HWND hwnd) {
    if (hwnd == nullptr) {
        std::lock_guard lock(UserMutex());
        const auto& tops = WindowTable::Instance().TopLevels();
        return tops.empty() ? nullptr : tops.front();
    }
    return GetWindow(hwnd, GW_CHILD);
}

HWND GetDesktopWindow() {
    // The desktop is not a window of ours; a fixed handle that never resolves stands for it.
    return reinterpret_cast<HWND>(uintptr_t(0x10));
}

BOOL IsChild(HWND parent, HWND hwnd) {
    std::lock_guard lock(UserMutex());
    Window* p = FindWindowLocked(parent);
    Window* w = FindWindowLocked(hwnd);
    return p != nullptr && w != nullptr && IsDescendant(p, w) ? TRUE : FALSE;
}

HWND GetDlgItem(HWND dialog, int id) {
    std::lock_guard lock(UserMutex());
    Window* d = FindWindowLocked(dialog);
    if (d == nullptr)
        return nullptr;
    for (HWND h : d->children) {
        Window* c = FindWindowLocked(h);
        if (c != nullptr && int(c->id) == id)
            return h;
    }
    return nullptr;
}

int GetDlgCtrlID(HWND hwnd) {
    std::lock_guard lock(UserMutex());
    Window* w = FindWindowLocked(hwnd);
    return w != nullptr && w->IsChild() ? int(w->id) : 0;
}

HWND SetParent(HWND child, HWND newParent) {
    HWND old = nullptr;
    {
        std::lock_guard lock(UserMutex());
        Window* w = FindWindowLocked(child);
        Window* p = FindWindowLocked(newParent);
        if (w == nullptr || p == nullptr || p == w || IsDescendant(w, p) || !w->IsChild())
            return nullptr;
        InvalidateExposedLocked(w);
        old = w->parent;
        UnlinkFromParent(w);
        w->parent = newParent;
        LinkChild(p, child, HWND_TOP);
    }
    // Its pixels now live in another place (maybe another backing store).
    RedrawWindow(child, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
    return old;
}
