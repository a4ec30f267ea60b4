#include "platform/user/NonClient.h"

#include <algorithm>

#include "platform/gdi/Gdi.h"
#include "platform/user/Geometry.h"
#include "platform/user/Messages.h"
#include "platform/user/Messaging.h"
#include "platform/user/Painting.h"
#include "platform/user/Rects.h"
#include "platform/user/Styles.h"
#include "platform/user/SysCommand.h"
#include "platform/user/Theme.h"
#include "platform/user/WindowApi.h"
#include "platform/user/WindowTable.h"

namespace {

bool HasCaption(DWORD style) {
    return (style & WS_CAPTION) == WS_CAPTION;
}

int BorderWidth(DWORD style, DWORD exStyle) {
    int b = 0;
    if ((style & WS_THICKFRAME) != 0) {
        b = GetSystemMetrics(SM_CXFRAME);
    } else if ((style & WS_DLGFRAME) != 0 || (exStyle & WS_EX_DLGMODALFRAME) != 0) {
        b = GetSystemMetrics(SM_CXDLGFRAME);
    } else if ((style & WS_BORDER) != 0) {
        b = GetSystemMetrics(SM_CXBORDER);
    }
    if ((exStyle & WS_EX_CLIENTEDGE) != 0)
        b += GetSystemMetrics(SM_CXEDGE);
    if ((exStyle & WS_EX_STATICEDGE) != 0)
        b += GetSystemMetrics(SM_CXBORDER);
    return b;
}

struct Snapshot {
    DWORD style = 0;
    DWORD exStyle = 0;
    RECT window{};  // screen
    bool active = false;
    std::wstring text;
};

bool Snap(HWND hwnd, Snapshot* out) {
    std::lock_guard lock(UserMutex());
    Window* w = FindWindowLocked(hwnd);
    if (w == nullptr)
        return false;
    out->style = w->style;
    out->exStyle = w->exStyle;
    out->active = w->ncActive;
    out->text = w->text;
    return true;
}

}  // namespace

RECT FrameThickness(DWORD style, DWORD exStyle) {
    const int b = BorderWidth(style, exStyle);
    const int caption = HasCaption(style) ? GetSystemMetrics(SM_CYCAPTION) : 0;
    return RECT{b, b + caption, b, b};
}

NonClientLayout LayoutNonClient(DWORD style, DWORD exStyle, int width, int height) {
    NonClientLayout l;
    const RECT t = FrameThickness(style, exStyle);
    l.client = RECT{t.left, t.top, std::max<LONG>(t.left, width - t.right),
                    std::max<LONG>(t.top, height - t.bottom)};
    l.sizing = (style & WS_THICKFRAME) != 0 && (style & (WS_MAXIMIZE | WS_MINIMIZE)) == 0;
    if (!HasCaption(style))
        return l;
    const int b = BorderWidth(style, exStyle);
    l.caption = RECT{b, b, width - b, b + GetSystemMetrics(SM_CYCAPTION)};
    const int boxW = GetSystemMetrics(SM_CXSIZE) - 2;
    const int boxTop = l.caption.top + 2;
    const int boxBottom = l.caption.bottom - 2;
    int right = l.caption.right - 2;
    if ((style & WS_SYSMENU) == 0)
        return l;
    l.closeBox = RECT{right - boxW, boxTop, right, boxBottom};
    right = l.closeBox.left - 2;
    if ((style & (WS_MINIMIZEBOX | WS_MAXIMIZEBOX)) != 0) {
        l.maxBox = RECT{right - boxW, boxTop, right, boxBottom};
        l.minBox = RECT{l.maxBox.left - boxW, boxTop, l.maxBox.left, boxBottom};
    }
    if ((exStyle & WS_EX_TOOLWINDOW) == 0) {
        l.sysMenu =
            RECT{l.caption.left + 2, boxTop, l.caption.left + 2 + (boxBottom - boxTop), boxBottom};
    }
    return l;
}

void RecalculateClientArea(HWND hwnd) {
    RECT r{};
    {
        std::lock_guard lock(UserMutex());
        Window* w = FindWindowLocked(hwnd);
        if (w == nullptr)
            return;
        r = w->rect;
    }
    RECT proposed = r;
    SendMessage(hwnd, WM_NCCALCSIZE, FALSE, LPARAM(&proposed));
    std::lock_guard lock(UserMutex());
    Window* w = FindWindowLocked(hwnd);
    if (w == nullptr)
        return;
    const LONG left = std::clamp<LONG>(proposed.left - r.left, 0, w->Width());
    const LONG top = std::clamp<LONG>(proposed.top - r.top, 0, w->Height());
    w->client = RECT{left, top, std::clamp<LONG>(proposed.right - r.left, left, w->Width()),
                     std::clamp<LONG>(proposed.bottom - r.top, top, w->Height())};
    w->frameDirty = w->client.left != 0 || w->client.top != 0 || w->client.right != w->Width() ||
                    w->client.bottom != w->Height();
}

LRESULT DefNcCalcSize(HWND hwnd, WPARAM, LPARAM lParam) {
    auto* r = reinterpret_cast<RECT*>(lParam);
    Snapshot s;
    if (r == nullptr || !Snap(hwnd, &s))
        return 0;
    if ((s.style & WS_MINIMIZE) != 0) {
        *r = RECT{r->left, r->top, r->left, r->top};
        return 0;
    }
    const NonClientLayout l =
        LayoutNonClient(s.style, s.exStyle, r->right - r->left, r->bottom - r->top);
    *r = RECT{r->left + l.client.left, r->top + l.client.top, r->left + l.client.right,
              r->top + l.client.bottom};
    return 0;
}

namespace {

LRESULT EdgeHit(const POINT& p, int width, int height, const RECT& thick) {
    const int corner = GetSystemMetrics(SM_CYCAPTION);
    const bool left = p.x < thick.left;
    const bool right = p.x >= width - thick.right;
    const bool top = p.y < thick.top;
    const bool bottom = p.y >= height - thick.bottom;
    const bool nearTop = p.y < corner;
    const bool nearBottom = p.y >= height - corner;
    const bool nearLeft = p.x < corner;
    const bool nearRight = p.x >= width - corner;
    if ((left && nearTop) || (top && nearLeft))
        return HTTOPLEFT;
    if ((right && nearTop) || (top && nearRight))
        return HTTOPRIGHT;
    if ((left && nearBottom) || (bottom && nearLeft))
        return HTBOTTOMLEFT;
    if ((right && nearBottom) || (bottom && nearRight))
        return HTBOTTOMRIGHT;
    if (left)
        return HTLEFT;
    if (right)
        return HTRIGHT;
    if (top)
        return HTTOP;
    if (bottom)
        return HTBOTTOM;
    return HTNOWHERE;
}

}  // namespace

LRESULT DefNcHitTest(HWND hwnd, WPARAM, LPARAM lParam) {
    Snapshot s;
    RECT wr{};
    if (!Snap(hwnd, &s) || !GetWindowRect(hwnd, &wr))
        return HTNOWHERE;
    const POINT p{GET_X_LPARAM(lParam) - wr.left, GET_Y_LPARAM(lParam) - wr.top};
    const int width = wr.right - wr.left;
    const int height = wr.bottom - wr.top;
    if (p.x < 0 || p.y < 0 || p.x >= width || p.y >= height)
        return HTNOWHERE;
    const NonClientLayout l = LayoutNonClient(s.style, s.exStyle, width, height);
    if (PtInRect(&l.client, p))
        return HTCLIENT;
    if (l.sizing) {
        const int b = BorderWidth(s.style, s.exStyle);
        const LRESULT edge = EdgeHit(p, width, height, RECT{b, b, b, b});
        if (edge != HTNOWHERE)
            return edge;
    }
    if (PtInRect(&l.closeBox, p))
        return HTCLOSE;
    if (PtInRect(&l.maxBox, p))
        return HTMAXBUTTON;
    if (PtInRect(&l.minBox, p))
        return HTMINBUTTON;
    if (PtInRect(&l.sysMenu, p))
        return HTSYSMENU;
    if (PtInRect(&l.caption, p))
        return HTCAPTION;
    return HTBORDER;
}

namespace {

enum class Glyph { Close, Maximise, Restore, Minimise };

void Line(HDC dc, int x0, int y0, int x1, int y1) {
    MoveToEx(dc, x0, y0, nullptr);
    LineTo(dc, x1, y1);
}

void Square(HDC dc, int left, int top, int side) {
    Line(dc, left, top, left + side, top);
    Line(dc, left + side, top, left + side, top + side);
    Line(dc, left + side, top + side, left, top + side);
    Line(dc, left, top + side, left, top);
}

// A caption box: flat, its sign drawn in thin lines, centred.
void DrawBox(HDC dc, const RECT& box, Glyph glyph, COLORREF ink) {
    if (IsRectEmpty(&box))
        return;
    constexpr int kSide = 9;
    const int x = (box.left + box.right - kSide) / 2;
    const int y = (box.top + box.bottom - kSide) / 2;
    HPEN pen = CreatePen(PS_SOLID, 1, ink);
    HGDIOBJ old = SelectObject(dc, pen);
    switch (glyph) {
        case Glyph::Close:
            Line(dc, x, y, x + kSide + 1, y + kSide + 1);
            Line(dc, x, y + kSide, x + kSide + 1, y - 1);
            break;
        case Glyph::Maximise:
            Square(dc, x, y, kSide);
            break;
        case Glyph::Restore:
            Square(dc, x, y + 2, kSide - 2);
            Line(dc, x + 2, y + 2, x + 2, y);
            Line(dc, x + 2, y, x + kSide, y);
            Line(dc, x + kSide, y, x + kSide, y + kSide - 2);
            Line(dc, x + kSide, y + kSide - 2, x + kSide - 2, y + kSide - 2);
            break;
        case Glyph::Minimise:
            Line(dc, x, y + kSide / 2 + 1, x + kSide + 1, y + kSide / 2 + 1);
            break;
    }
    SelectObject(dc, old);
    DeleteObject(pen);
}

void DrawCaption(HDC dc, const NonClientLayout& l, const Snapshot& s) {
    FillSolidRect(dc, &l.caption, s.active ? kTheme.captionActive : kTheme.captionInactive);
    RECT text = l.caption;
    text.left += 8;
    if (!IsRectEmpty(&l.minBox))
        text.right = l.minBox.left - 2;
    else if (!IsRectEmpty(&l.closeBox))
        text.right = l.closeBox.left - 2;
    HGDIOBJ oldFont = SelectObject(dc, GetStockObject(DEFAULT_GUI_FONT));
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, s.active ? kTheme.captionText : kTheme.captionTextInactive);
    DrawTextW(dc, s.text.c_str(), -1, &text,
              DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX | DT_END_ELLIPSIS);
    const COLORREF ink = s.active ? kTheme.captionGlyph : kTheme.captionTextInactive;
    DrawBox(dc, l.closeBox, Glyph::Close, ink);
    DrawBox(dc, l.maxBox, (s.style & WS_MAXIMIZE) != 0 ? Glyph::Restore : Glyph::Maximise, ink);
    DrawBox(dc, l.minBox, Glyph::Minimise, ink);
    SelectObject(dc, oldFont);
}

}  // namespace

LRESULT DefNcPaint(HWND hwnd, WPARAM, LPARAM) {
    Snapshot s;
    RECT wr{};
    if (!Snap(hwnd, &s) || !GetWindowRect(hwnd, &wr))
        return 0;
    const NonClientLayout l =
        LayoutNonClient(s.style, s.exStyle, wr.right - wr.left, wr.bottom - wr.top);
    const RECT all{0, 0, wr.right - wr.left, wr.bottom - wr.top};
    if (EqualRect(&all, &l.client))
        return 0;
    HDC dc = GetWindowDC(hwnd);
    if (dc == nullptr)
        return 0;
    ExcludeClipRect(dc, l.client.left, l.client.top, l.client.right, l.client.bottom);
    if ((s.style & WS_CHILD) != 0) {
        // A control's border: the thin line round fields and buttons.
        FillSolidRect(dc, &all, kTheme.edge);
    } else {
        // A window's frame is of a piece with its caption, outlined by one thin line.
        FillSolidRect(dc, &all, s.active ? kTheme.captionActive : kTheme.captionInactive);
        FrameRect(dc, &all, ThemeBrush(s.active ? kTheme.frameActive : kTheme.frameInactive));
    }
    if (!IsRectEmpty(&l.caption))
        DrawCaption(dc, l, s);
    ReleaseDC(hwnd, dc);
    return 0;
}

LRESULT DefNcActivate(HWND hwnd, WPARAM wParam, LPARAM) {
    {
        std::lock_guard lock(UserMutex());
        Window* w = FindWindowLocked(hwnd);
        if (w == nullptr)
            return TRUE;
        w->ncActive = wParam != 0;
    }
    DefNcPaint(hwnd, 1, 0);
    return TRUE;
}

LRESULT DefNcLButtonDown(HWND hwnd, WPARAM wParam, LPARAM lParam) {
    const LRESULT hit = LRESULT(wParam);
    if (hit == HTCAPTION) {
        SendMessage(hwnd, WM_SYSCOMMAND, SC_MOVE | HTCAPTION, lParam);
    } else if (hit >= HTLEFT && hit <= HTBOTTOMRIGHT) {
        SendMessage(hwnd, WM_SYSCOMMAND, SC_SIZE + WPARAM(hit - HTLEFT + 1), lParam);
    } else if (hit == HTCLOSE || hit == HTMINBUTTON || hit == HTMAXBUTTON) {
        TrackCaptionBox(hwnd, hit);
    }
    return 0;
}

LRESULT DefNcLButtonDblClk(HWND hwnd, WPARAM wParam, LPARAM lParam) {
    // A quick second press on a box or an edge is a press like the first.
    if (LRESULT(wParam) != HTCAPTION)
        return DefNcLButtonDown(hwnd, wParam, lParam);
    Snapshot s;
    if (!Snap(hwnd, &s) || (s.style & WS_MAXIMIZEBOX) == 0)
        return 0;
    SendMessage(hwnd, WM_SYSCOMMAND, (s.style & WS_MAXIMIZE) != 0 ? SC_RESTORE : SC_MAXIMIZE,
                lParam);
    return 0;
}
