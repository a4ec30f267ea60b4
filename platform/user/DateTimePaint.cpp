// How a date-time picker draws: its fields, the selected one marked while
// it has the focus, and the spin buttons.
#include "platform/user/DateTimeControl.h"
#include "platform/user/DateTimeState.h"
#include "platform/user/Painting.h"
#include "platform/user/Theme.h"

namespace {

void PaintSpin(HWND hwnd, HDC dc, COLORREF ink) {
    const RECT spin = DateTimeSpinRect(hwnd);
    const int mid = (spin.top + spin.bottom) / 2;
    const int cx = (spin.left + spin.right) / 2;
    const RECT line{spin.left, spin.top + 3, spin.left + 1, spin.bottom - 3};
    FillSolidRect(dc, &line, kTheme.edge);
    DrawThemeChevron(dc, cx, (spin.top + mid) / 2 + 1, false, ink);
    DrawThemeChevron(dc, cx, (mid + spin.bottom) / 2, true, ink);
}

void PaintFields(HWND hwnd, HDC dc, const RECT& client) {
    const DateTimeState& s = DateTimeStateOf(hwnd);
    const std::vector<int> edges = DateTimePartEdges(hwnd);
    ScopedFont scope(dc, s.font);
    TEXTMETRICW tm{};
    GetTextMetricsW(dc, &tm);
    const int top = (client.bottom - tm.tmHeight) / 2;
    SetBkMode(dc, TRANSPARENT);
    const COLORREF ink = GetTextColor(dc);
    for (size_t i = 0; i < s.parts.size(); ++i) {
        const std::wstring text = FormatPartText(s.parts[i], s.time);
        const bool marked = s.focused && int(i) == s.selected;
        if (marked) {
            const RECT band{edges[i], top, edges[i + 1], top + tm.tmHeight};
            FillSolidRect(dc, &band, kTheme.selection);
        }
        SetTextColor(dc, marked ? kTheme.selectionText : ink);
        TextOutW(dc, edges[i], top, text.c_str(), int(text.size()));
    }
}

}  // namespace

std::vector<int> DateTimePartEdges(HWND hwnd) {
    std::vector<int> edges;
    HDC dc = GetDC(nullptr);
    {
        ScopedFont scope(dc, DateTimeStateOf(hwnd).font);
        std::wstring text;
        for (const FormatPart& p : DateTimeStateOf(hwnd).parts) {
            SIZE extent{};
            GetTextExtentPoint32W(dc, text.c_str(), int(text.size()), &extent);
            edges.push_back(kDateTimeMargin + extent.cx);
            text += FormatPartText(p, DateTimeStateOf(hwnd).time);
        }
        SIZE extent{};
        GetTextExtentPoint32W(dc, text.c_str(), int(text.size()), &extent);
        edges.push_back(kDateTimeMargin + extent.cx);
    }
    ReleaseDC(nullptr, dc);
    return edges;
}

RECT DateTimeSpinRect(HWND hwnd) {
    RECT c{};
    GetClientRect(hwnd, &c);
    return RECT{c.right - kDateTimeSpinWidth, 0, c.right, c.bottom};
}

void PaintDateTime(HWND hwnd, HDC dc) {
    RECT client{};
    GetClientRect(hwnd, &client);
    FillRect(dc, &client, ParentColours(hwnd, dc, WM_CTLCOLOREDIT));
    if (!IsWindowEnabled(hwnd))
        SetTextColor(dc, kTheme.grayText);
    const COLORREF ink = GetTextColor(dc);
    PaintFields(hwnd, dc, client);
    PaintSpin(hwnd, dc, ink);
}
