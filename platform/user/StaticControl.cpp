// The static control: text, filled rectangles and owner-drawn statics. Unless
// it has SS_NOTIFY it is transparent to the mouse, which reaches the window
// beneath it.
#include <array>

#include "platform/gdi/Gdi.h"
#include "platform/user/ControlSupport.h"
#include "platform/user/Geometry.h"
#include "platform/user/Messaging.h"
#include "platform/user/Painting.h"
#include "platform/user/SystemClasses.h"
#include "platform/user/WindowApi.h"

namespace {

constexpr int kFontSlot = 0;

DWORD StyleOf(HWND hwnd) {
    return DWORD(GetWindowLongPtr(hwnd, GWL_STYLE));
}

LRESULT OnNcHitTest(HWND hwnd, WPARAM wParam, LPARAM lParam) {
    if ((StyleOf(hwnd) & SS_NOTIFY) == 0)
        return HTTRANSPARENT;
    return DefWindowProc(hwnd, WM_NCHITTEST, wParam, lParam);
}

UINT TextFormat(DWORD style) {
    UINT format = (style & SS_NOPREFIX) != 0 ? DT_NOPREFIX : 0u;
    switch (style & SS_TYPEMASK) {
        case SS_CENTER:
            format |= DT_CENTER | DT_WORDBREAK;
            break;
        case SS_RIGHT:
            format |= DT_RIGHT | DT_WORDBREAK;
            break;
        case SS_SIMPLE:
        case SS_LEFTNOWORDWRAP:
            format |= DT_SINGLELINE;
            break;
        default:
            format |= DT_WORDBREAK;
    }
    if ((style & SS_CENTERIMAGE) != 0)
        format = (format & ~DT_WORDBREAK) | DT_SINGLELINE | DT_VCENTER;
    return format;
}

void DrawOwnerDrawn(HWND hwnd, HDC dc, const RECT& client) {
    DRAWITEMSTRUCT dis{ODT_STATIC, UINT(GetDlgCtrlID(hwnd)), 0, ODA_DRAWENTIRE, 0, hwnd, dc, client,
                       0};
    SendMessage(GetParent(hwnd), WM_DRAWITEM, WPARAM(dis.CtlID), LPARAM(&dis));
}

void PaintText(HWND hwnd, HDC dc, RECT client, DWORD style) {
    HBRUSH brush =
        HBRUSH(SendMessage(GetParent(hwnd), WM_CTLCOLORSTATIC, WPARAM(dc), LPARAM(hwnd)));
    if (brush == nullptr)
        brush = HBRUSH(DefWindowProc(hwnd, WM_CTLCOLORSTATIC, WPARAM(dc), LPARAM(hwnd)));
    FillRect(dc, &client, brush);
    const int length = GetWindowTextLength(hwnd);
    if (length == 0)
        return;
    std::wstring text(size_t(length) + 1, L'\0');
    GetWindowText(hwnd, text.data(), length + 1);
    HGDIOBJ font = HGDIOBJ(GetWindowLongPtr(hwnd, kFontSlot));
    HGDIOBJ old = font != nullptr ? SelectObject(dc, font) : nullptr;
    SetBkMode(dc, TRANSPARENT);
    DrawTextW(dc, text.c_str(), length, &client, TextFormat(style));
    if (old != nullptr)
        SelectObject(dc, old);
}

LRESULT OnPaint(HWND hwnd, WPARAM, LPARAM) {
    PAINTSTRUCT ps{};
    HDC dc = BeginPaint(hwnd, &ps);
    if (dc == nullptr)
        return 0;
    RECT client{};
    GetClientRect(hwnd, &client);
    const DWORD style = StyleOf(hwnd);
    switch (style & SS_TYPEMASK) {
        case SS_OWNERDRAW:
            DrawOwnerDrawn(hwnd, dc, client);
            break;
        case SS_BLACKRECT:
            FillRect(dc, &client, HBRUSH(GetStockObject(BLACK_BRUSH)));
            break;
        case SS_WHITERECT:
            FillRect(dc, &client, HBRUSH(GetStockObject(WHITE_BRUSH)));
            break;
        default:
            PaintText(hwnd, dc, client, style);
    }
    EndPaint(hwnd, &ps);
    return 0;
}

LRESULT OnLButtonDown(HWND hwnd, WPARAM, LPARAM) {
    if ((StyleOf(hwnd) & SS_NOTIFY) != 0) {
        SendMessage(GetParent(hwnd), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(hwnd), int(STN_CLICKED)),
                    LPARAM(hwnd));
    }
    return 0;
}

LRESULT OnGetDlgCode(HWND, WPARAM, LPARAM) {
    return DLGC_STATIC;
}

LRESULT OnEnable(HWND hwnd, WPARAM, LPARAM) {
    InvalidateRect(hwnd, nullptr, TRUE);
    return 0;
}

constexpr std::array kTable = {
    ControlEntry{WM_NCHITTEST, OnNcHitTest},
    ControlEntry{WM_PAINT, OnPaint},
    ControlEntry{WM_ERASEBKGND, PaintFillsBackground},
    ControlEntry{WM_SETTEXT, SetTextAndRepaint},
    ControlEntry{WM_SETFONT, SetSlotFont<kFontSlot>},
    ControlEntry{WM_GETFONT, GetSlotFont<kFontSlot>},
    ControlEntry{WM_LBUTTONDOWN, OnLButtonDown},
    ControlEntry{WM_GETDLGCODE, OnGetDlgCode},
    ControlEntry{WM_ENABLE, OnEnable},
};

}  // namespace

LRESULT StaticWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    return RouteControlMessage(kTable, hwnd, message, wParam, lParam);
}
