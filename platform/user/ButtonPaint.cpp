#include "platform/user/ButtonPaint.h"

#include <algorithm>

#include "platform/gdi/Gdi.h"
#include "platform/user/ControlSupport.h"
#include "platform/user/Messaging.h"
#include "platform/user/Theme.h"

namespace {

COLORREF TextColourFor(HWND hwnd, HDC dc) {
    return IsWindowEnabled(hwnd) ? GetTextColor(dc) : kTheme.grayText;
}

void DrawTextIn(HWND hwnd, HDC dc, RECT r, HFONT font, UINT format) {
    const std::wstring text = TextOf(hwnd);
    ScopedFont scope(dc, font);
    SetBkMode(dc, TRANSPARENT);
    DrawTextW(dc, text.c_str(), int(text.size()), &r, format);
}

void DrawTick(HDC dc, RECT box, COLORREF colour) {
    HPEN pen = CreatePen(PS_SOLID, 2, colour);
    HGDIOBJ old = SelectObject(dc, pen);
    const POINT tick[] = {
        {box.left + 3, box.top + 6}, {box.left + 5, box.top + 9}, {box.left + 10, box.top + 3}};
    Polyline(dc, tick, 3);
    SelectObject(dc, old);
    DeleteObject(pen);
}

// A check box is a square and a radio button a ring; checked, it fills with
// the accent and shows a white tick or dot.
void DrawMark(HDC dc, RECT box, bool radio, bool checked, bool enabled) {
    const COLORREF fill = checked && enabled ? kTheme.accent : kTheme.field;
    const COLORREF rim = checked && enabled ? kTheme.accent : kTheme.edge;
    if (!radio) {
        FillSolidRect(dc, &box, fill);
        FrameRect(dc, &box, ThemeBrush(rim));
        if (checked)
            DrawTick(dc, box, enabled ? kTheme.selectionText : kTheme.grayText);
        return;
    }
    HPEN pen = CreatePen(PS_SOLID, 1, rim);
    HGDIOBJ oldBrush = SelectObject(dc, ThemeBrush(kTheme.field));
    HGDIOBJ oldPen = SelectObject(dc, pen);
    Ellipse(dc, box.left, box.top, box.right, box.bottom);
    if (checked) {
        SelectObject(dc, ThemeBrush(enabled ? kTheme.accent : kTheme.grayText));
        SelectObject(dc, GetStockObject(NULL_PEN));
        Ellipse(dc, box.left + 3, box.top + 3, box.right - 3, box.bottom - 3);
    }
    SelectObject(dc, oldBrush);
    SelectObject(dc, oldPen);
    DeleteObject(pen);
}

// The keyboard focus as a desktop shows it: a dotted ring, one pixel on and
// one off, in the text's colour.
void DrawFocusRing(HDC dc, RECT r, COLORREF colour) {
    for (LONG x = r.left; x < r.right; x += 2) {
        const RECT top{x, r.top, x + 1, r.top + 1};
        const RECT bottom{x, r.bottom - 1, x + 1, r.bottom};
        FillSolidRect(dc, &top, colour);
        FillSolidRect(dc, &bottom, colour);
    }
    for (LONG y = r.top; y < r.bottom; y += 2) {
        const RECT left{r.left, y, r.left + 1, y + 1};
        const RECT right{r.right - 1, y, r.right, y + 1};
        FillSolidRect(dc, &left, colour);
        FillSolidRect(dc, &right, colour);
    }
}

// Where a check box's or radio button's text lies, for its focus ring.
RECT TextBounds(HWND hwnd, HDC dc, RECT r, HFONT font) {
    const std::wstring text = TextOf(hwnd);
    ScopedFont scope(dc, font);
    RECT measured = r;
    DrawTextW(dc, text.c_str(), int(text.size()), &measured, DT_LEFT | DT_SINGLELINE | DT_CALCRECT);
    const LONG height = measured.bottom - measured.top;
    const LONG top = r.top + (r.bottom - r.top - height) / 2;
    return RECT{r.left - 2, std::max(r.top, top - 1), std::min(r.right, measured.right + 2),
                std::min(r.bottom, top + height + 1)};
}

}  // namespace

void PaintPushButton(HWND hwnd, HDC dc, RECT r, UINT state, HFONT font) {
    SendMessage(GetParent(hwnd), WM_CTLCOLORBTN, WPARAM(dc), LPARAM(hwnd));
    const bool pushed = (state & BST_PUSHED) != 0;
    // The default button is outlined in the accent, so Enter's target shows.
    const bool isDefault = (GetWindowLongPtr(hwnd, GWL_STYLE) & BS_TYPEMASK) == BS_DEFPUSHBUTTON;
    FillSolidRect(dc, &r, pushed ? kTheme.buttonPressed : kTheme.button);
    FrameRect(dc, &r, ThemeBrush(pushed || isDefault ? kTheme.accent : kTheme.edge));
    SetTextColor(dc, IsWindowEnabled(hwnd) ? kTheme.text : kTheme.grayText);
    DrawTextIn(hwnd, dc, r, font, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    if ((state & BST_FOCUS) != 0)
        DrawFocusRing(dc, RECT{r.left + 3, r.top + 3, r.right - 3, r.bottom - 3}, kTheme.text);
}

void PaintCheckButton(HWND hwnd, HDC dc, RECT r, UINT state, HFONT font, bool radio) {
    FillRect(dc, &r, ParentColours(hwnd, dc, WM_CTLCOLORSTATIC));
    const int top = r.top + (r.bottom - r.top - kCheckMarkSize) / 2;
    const RECT box{r.left, top, r.left + kCheckMarkSize, top + kCheckMarkSize};
    DrawMark(dc, box, radio, (state & BST_CHECKED) != 0, IsWindowEnabled(hwnd) != 0);
    SetTextColor(dc, TextColourFor(hwnd, dc));
    RECT text = r;
    text.left += kCheckMarkSize + 4;
    DrawTextIn(hwnd, dc, text, font, DT_LEFT | DT_VCENTER | DT_SINGLELINE);
    if ((state & BST_FOCUS) != 0 && !TextOf(hwnd).empty())
        DrawFocusRing(dc, TextBounds(hwnd, dc, text, font), TextColourFor(hwnd, dc));
}

void PaintGroupBox(HWND hwnd, HDC dc, RECT r, HFONT font) {
    HBRUSH back = ParentColours(hwnd, dc, WM_CTLCOLORSTATIC);
    const COLORREF ink = TextColourFor(hwnd, dc);
    const std::wstring text = TextOf(hwnd);
    SIZE extent{};
    {
        ScopedFont scope(dc, font);
        GetTextExtentPoint32W(dc, text.c_str(), int(text.size()), &extent);
    }
    const RECT frame{r.left, r.top + extent.cy / 2, r.right, r.bottom};
    FrameRect(dc, &frame, ThemeBrush(kTheme.edge));
    if (text.empty())
        return;
    RECT caption{r.left + 8, r.top, r.left + 8 + extent.cx + 4, r.top + extent.cy};
    FillRect(dc, &caption, back);
    caption.left += 2;
    SetTextColor(dc, ink);
    DrawTextIn(hwnd, dc, caption, font, DT_LEFT | DT_TOP | DT_SINGLELINE);
}
