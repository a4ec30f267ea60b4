#include "platform/user/ButtonPaint.h"

#include "platform/gdi/Gdi.h"
#include "platform/user/ControlSupport.h"
#include "platform/user/Messaging.h"

namespace {

COLORREF TextColourFor(HWND hwnd, HDC dc) {
    return IsWindowEnabled(hwnd) ? GetTextColor(dc) : GetSysColor(COLOR_GRAYTEXT);
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

void DrawMark(HDC dc, RECT box, bool radio, bool checked, bool enabled) {
    const COLORREF ink = GetSysColor(enabled ? COLOR_WINDOWTEXT : COLOR_GRAYTEXT);
    HBRUSH face = GetSysColorBrush(enabled ? COLOR_WINDOW : COLOR_3DFACE);
    if (!radio) {
        FillRect(dc, &box, face);
        FrameRect(dc, &box, GetSysColorBrush(COLOR_3DDKSHADOW));
        if (checked)
            DrawTick(dc, box, ink);
        return;
    }
    HGDIOBJ oldBrush = SelectObject(dc, face);
    HGDIOBJ oldPen = SelectObject(dc, GetStockObject(BLACK_PEN));
    Ellipse(dc, box.left, box.top, box.right, box.bottom);
    if (checked) {
        HBRUSH dot = CreateSolidBrush(ink);
        SelectObject(dc, dot);
        Ellipse(dc, box.left + 4, box.top + 4, box.right - 4, box.bottom - 4);
        SelectObject(dc, oldBrush);
        DeleteObject(dot);
    }
    SelectObject(dc, oldBrush);
    SelectObject(dc, oldPen);
}

}  // namespace

void PaintPushButton(HWND hwnd, HDC dc, RECT r, UINT state, HFONT font) {
    SendMessage(GetParent(hwnd), WM_CTLCOLORBTN, WPARAM(dc), LPARAM(hwnd));
    const bool pushed = (state & BST_PUSHED) != 0;
    FillSolidRect(dc, &r, GetSysColor(COLOR_BTNFACE));
    FrameRect(dc, &r, GetSysColorBrush(pushed ? COLOR_BTNSHADOW : COLOR_3DDKSHADOW));
    SetTextColor(dc, GetSysColor(IsWindowEnabled(hwnd) ? COLOR_BTNTEXT : COLOR_GRAYTEXT));
    if (pushed)
        OffsetRect(&r, 1, 1);
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
    RECT light = frame;
    OffsetRect(&light, 1, 1);
    FrameRect(dc, &light, GetSysColorBrush(COLOR_3DHILIGHT));
    RECT dark{frame.left, frame.top, frame.right - 1, frame.bottom - 1};
    FrameRect(dc, &dark, GetSysColorBrush(COLOR_3DSHADOW));
    if (text.empty())
        return;
    RECT caption{r.left + 8, r.top, r.left + 8 + extent.cx + 4, r.top + extent.cy};
    FillRect(dc, &caption, back);
    caption.left += 2;
    SetTextColor(dc, ink);
    DrawTextIn(hwnd, dc, caption, font, DT_LEFT | DT_TOP | DT_SINGLELINE);
}
