#include "platform/user/Theme.h"

#include <map>
#include <mutex>

#include "platform/gdi/Gdi.h"

HBRUSH ThemeBrush(COLORREF colour) {
    static std::mutex lock;
    static auto* brushes = new std::map<COLORREF, HBRUSH>;  // outlives static destructors
    std::lock_guard hold(lock);
    HBRUSH& brush = (*brushes)[colour];
    if (brush == nullptr)
        brush = CreateSolidBrush(colour);
    return brush;
}

void DrawThemeChevron(HDC dc, int cx, int cy, bool down, COLORREF ink) {
    const int d = down ? 1 : -1;
    const POINT arrow[] = {{cx - 4, cy - 2 * d}, {cx, cy + 2 * d}, {cx + 5, cy - 3 * d}};
    HPEN pen = CreatePen(PS_SOLID, 1, ink);
    HGDIOBJ old = SelectObject(dc, pen);
    Polyline(dc, arrow, 3);
    SelectObject(dc, old);
    DeleteObject(pen);
}
