#include "platform/user/ButtonPaint.h"

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
