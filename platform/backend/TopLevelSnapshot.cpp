#include "platform/backend/TopLevelSnapshot.h"

#include <algorithm>

#include "platform/gdi/Gdi.h"
#include "platform/user/User.h"

namespace {

TopLevelView ViewOf(HWND hwnd) {
    TopLevelView view;
    view.hwnd = hwnd;
    view.owner = GetWindow(hwnd, GW_OWNER);
    GetWindowRect(hwnd, &view.rect);
    view.visible = IsWindowVisible(hwnd) != FALSE;
    view.minimized = IsIconic(hwnd) != FALSE;
    view.maximized = IsZoomed(hwnd) != FALSE;
    BYTE alpha = 255;
    DWORD flags = 0;
    if (GetLayeredWindowAttributes(hwnd, nullptr, &alpha, &flags) && (flags & LWA_ALPHA) != 0)
        view.alpha = alpha;
    HRGN region = CreateRectRgn(0, 0, 0, 0);
    if (GetWindowRgn(hwnd, region) != RGN_ERROR) {
        view.shaped = true;
        view.shape = RegionRects(region);
    }
    DeleteObject(region);
    return view;
}

}  // namespace

std::vector<TopLevelView> SnapshotTopLevels() {
    std::vector<TopLevelView> views;
    for (HWND h = GetTopWindow(nullptr); h != nullptr; h = GetWindow(h, GW_HWNDNEXT))
        views.push_back(ViewOf(h));
    return views;
}

bool ChildPlacement(HWND child, RECT* inTopLevel, bool* shown) {
    HWND top = GetAncestor(child, GA_ROOT);
    RECT outer{};
    RECT inner{};
    if (top == nullptr || !GetWindowRect(top, &outer) || !GetWindowRect(child, &inner))
        return false;
    OffsetRect(&inner, -outer.left, -outer.top);
    const RECT bounds{0, 0, outer.right - outer.left, outer.bottom - outer.top};
    if (!IntersectRect(inTopLevel, &inner, &bounds))
        *inTopLevel = RECT{};
    *shown = IsWindowVisible(child) != FALSE && !IsRectEmpty(inTopLevel);
    return true;
}
