// How a date-time picker draws: its fields, the selected one marked while
// it has the focus, and the spin buttons.
#include "platform/user/DateTimeControl.h"
#include "platform/user/DateTimeState.h"
#include "platform/user/Painting.h"

namespace {

void PaintSpin(HWND hwnd, HDC dc) {
    const RECT spin = DateTimeSpinRect(hwnd);
    const int mid = (spin.top + spin.bottom) / 2;
    const RECT halves[] = {{spin.left, spin.top, spin.right, mid},
                           {spin.left, mid, spin.right, spin.bottom}};
    for (const RECT& half : halves) {
        FillSolidRect(dc, &half, GetSysColor(COLOR_BTNFACE));
        FrameRect(dc, &half, GetSysColorBrush(COLOR_3DSHADOW));
    }
    const int cx = (spin.left + spin.right) / 2;
    const POINT up[] = {{cx - 3, mid - 3}, {cx + 3, mid - 3}, {cx, mid - 6}};
    const POINT down[] = {{cx - 3, mid + 3}, {cx + 3, mid + 3}, {cx, mid + 6}};
    HGDIOBJ oldBrush = SelectObject(dc, GetSysColorBrush(COLOR_BTNTEXT));
    HGDIOBJ oldPen = SelectObject(dc, GetStockObject(BLACK_PEN));
    Polygon(dc, up, 3);
    Polygon(dc, down, 3);
    SelectObject(dc, oldBrush);
    SelectObject(dc, oldPen);
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
            FillSolidRect(dc, &band, GetSysColor(COLOR_HIGHLIGHT));
        }
        SetTextColor(dc, marked ? GetSysColor(COLOR_HIGHLIGHTTEXT) : ink);
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
        SetTextColor(dc, GetSysColor(COLOR_GRAYTEXT));
    PaintFields(hwnd, dc, client);
    PaintSpin(hwnd, dc);
}
