// The button control, push and owner-draw kinds: a press captures the mouse
// and shows the button pushed while the cursor stays on it; releasing it there
// (or Space) sends BN_CLICKED to the parent. Owner-draw buttons ask the parent
// to draw them with WM_DRAWITEM.
#include <array>

#include "platform/gdi/Gdi.h"
#include "platform/user/Focus.h"
#include "platform/user/Geometry.h"
#include "platform/user/Messaging.h"
#include "platform/user/Painting.h"
#include "platform/user/Rects.h"
#include "platform/user/SystemClasses.h"
#include "platform/user/WindowApi.h"

namespace {

constexpr int kStateSlot = 0;  // BST_* flags
constexpr int kFontSlot = int(sizeof(LONG_PTR));

using Handler = LRESULT (*)(HWND, WPARAM, LPARAM);

UINT State(HWND hwnd) {
    return UINT(GetWindowLongPtr(hwnd, kStateSlot));
}

void SetStateBit(HWND hwnd, UINT bit, bool on) {
    const UINT old = State(hwnd);
    const UINT next = on ? (old | bit) : (old & ~bit);
    if (next == old)
        return;
    SetWindowLongPtr(hwnd, kStateSlot, LONG_PTR(next));
    InvalidateRect(hwnd, nullptr, FALSE);
}

DWORD Kind(HWND hwnd) {
    return DWORD(GetWindowLongPtr(hwnd, GWL_STYLE)) & BS_TYPEMASK;
}

void Clicked(HWND hwnd) {
    SendMessage(GetParent(hwnd), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(hwnd), int(BN_CLICKED)),
                LPARAM(hwnd));
}

bool CursorInside(HWND hwnd, LPARAM lParam) {
    RECT r{};
    GetClientRect(hwnd, &r);
    return PtInRect(&r, POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)}) != 0;
}

LRESULT OnLButtonDown(HWND hwnd, WPARAM, LPARAM) {
    SetFocus(hwnd);
    SetCapture(hwnd);
    SetStateBit(hwnd, BST_PUSHED, true);
    return 0;
}

LRESULT OnMouseMove(HWND hwnd, WPARAM, LPARAM lParam) {
    if (GetCapture() == hwnd)
        SetStateBit(hwnd, BST_PUSHED, CursorInside(hwnd, lParam));
    return 0;
}

LRESULT OnLButtonUp(HWND hwnd, WPARAM, LPARAM lParam) {
    if (GetCapture() != hwnd)
        return 0;
    const bool inside = CursorInside(hwnd, lParam);
    ReleaseCapture();
    if (inside)
        Clicked(hwnd);
    return 0;
}

LRESULT OnCaptureChanged(HWND hwnd, WPARAM, LPARAM) {
    SetStateBit(hwnd, BST_PUSHED, false);
    return 0;
}

LRESULT OnKeyDown(HWND hwnd, WPARAM wParam, LPARAM) {
    if (wParam == VK_SPACE)
        SetStateBit(hwnd, BST_PUSHED, true);
    return 0;
}

LRESULT OnKeyUp(HWND hwnd, WPARAM wParam, LPARAM) {
    if (wParam != VK_SPACE || (State(hwnd) & BST_PUSHED) == 0)
        return 0;
    SetStateBit(hwnd, BST_PUSHED, false);
    Clicked(hwnd);
    return 0;
}

LRESULT OnFocus(HWND hwnd, bool on) {
    SetStateBit(hwnd, BST_FOCUS, on);
    if (!on)
        SetStateBit(hwnd, BST_PUSHED, false);
    return 0;
}

LRESULT OnSetFocus(HWND hwnd, WPARAM, LPARAM) {
    return OnFocus(hwnd, true);
}
LRESULT OnKillFocus(HWND hwnd, WPARAM, LPARAM) {
    return OnFocus(hwnd, false);
}

UINT DrawState(HWND hwnd) {
    const UINT s = State(hwnd);
    UINT state = 0;
    if ((s & BST_PUSHED) != 0)
        state |= ODS_SELECTED;
    if ((s & BST_FOCUS) != 0)
        state |= ODS_FOCUS;
    if (!IsWindowEnabled(hwnd))
        state |= ODS_DISABLED;
    return state;
}

void DrawPush(HWND hwnd, HDC dc, RECT r) {
    SendMessage(GetParent(hwnd), WM_CTLCOLORBTN, WPARAM(dc), LPARAM(hwnd));
    const bool pushed = (State(hwnd) & BST_PUSHED) != 0;
    FillSolidRect(dc, &r, GetSysColor(COLOR_BTNFACE));
    FrameRect(dc, &r, GetSysColorBrush(pushed ? COLOR_BTNSHADOW : COLOR_3DDKSHADOW));
    const int length = GetWindowTextLength(hwnd);
    std::wstring text(size_t(length) + 1, L'\0');
    GetWindowText(hwnd, text.data(), length + 1);
    HGDIOBJ font = HGDIOBJ(GetWindowLongPtr(hwnd, kFontSlot));
    HGDIOBJ old = font != nullptr ? SelectObject(dc, font) : nullptr;
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, GetSysColor(IsWindowEnabled(hwnd) ? COLOR_BTNTEXT : COLOR_GRAYTEXT));
    if (pushed)
        OffsetRect(&r, 1, 1);
    DrawTextW(dc, text.c_str(), length, &r, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
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
    if (Kind(hwnd) == BS_OWNERDRAW) {
        DRAWITEMSTRUCT dis{ODT_BUTTON,
                           UINT(GetDlgCtrlID(hwnd)),
                           0,
                           ODA_DRAWENTIRE,
                           DrawState(hwnd),
                           hwnd,
                           dc,
                           client,
                           0};
        SendMessage(GetParent(hwnd), WM_DRAWITEM, WPARAM(dis.CtlID), LPARAM(&dis));
    } else {
        DrawPush(hwnd, dc, client);
    }
    EndPaint(hwnd, &ps);
    return 0;
}

LRESULT OnEraseBackground(HWND, WPARAM, LPARAM) {
    return 1;
}  // the paint covers it

LRESULT OnSetText(HWND hwnd, WPARAM wParam, LPARAM lParam) {
    const LRESULT r = DefWindowProc(hwnd, WM_SETTEXT, wParam, lParam);
    InvalidateRect(hwnd, nullptr, FALSE);
    return r;
}

LRESULT OnSetFont(HWND hwnd, WPARAM wParam, LPARAM lParam) {
    SetWindowLongPtr(hwnd, kFontSlot, LONG_PTR(wParam));
    if (lParam != 0)
        InvalidateRect(hwnd, nullptr, FALSE);
    return 0;
}

LRESULT OnGetFont(HWND hwnd, WPARAM, LPARAM) {
    return GetWindowLongPtr(hwnd, kFontSlot);
}

LRESULT OnGetDlgCode(HWND hwnd, WPARAM, LPARAM) {
    return DLGC_BUTTON |
           (Kind(hwnd) == BS_DEFPUSHBUTTON ? DLGC_DEFPUSHBUTTON : DLGC_UNDEFPUSHBUTTON);
}

LRESULT OnGetState(HWND hwnd, WPARAM, LPARAM) {
    return LRESULT(State(hwnd));
}

LRESULT OnSetState(HWND hwnd, WPARAM wParam, LPARAM) {
    SetStateBit(hwnd, BST_PUSHED, wParam != 0);
    return 0;
}

LRESULT OnGetCheck(HWND hwnd, WPARAM, LPARAM) {
    return LRESULT(State(hwnd) & BST_CHECKED);
}

LRESULT OnSetCheck(HWND hwnd, WPARAM wParam, LPARAM) {
    SetStateBit(hwnd, BST_CHECKED, wParam == BST_CHECKED);
    return 0;
}

LRESULT OnSetStyle(HWND hwnd, WPARAM wParam, LPARAM lParam) {
    const LONG_PTR style = GetWindowLongPtr(hwnd, GWL_STYLE);
    SetWindowLongPtr(hwnd, GWL_STYLE,
                     (style & ~LONG_PTR(BS_TYPEMASK)) | LONG_PTR(wParam & BS_TYPEMASK));
    if (lParam != 0)
        InvalidateRect(hwnd, nullptr, FALSE);
    return 0;
}

LRESULT OnClick(HWND hwnd, WPARAM, LPARAM) {
    if (IsWindowEnabled(hwnd))
        Clicked(hwnd);
    return 0;
}

LRESULT OnEnable(HWND hwnd, WPARAM, LPARAM) {
    InvalidateRect(hwnd, nullptr, FALSE);
    return 0;
}

struct Entry {
    UINT message;
    Handler handler;
};

constexpr std::array kTable = {
    Entry{WM_LBUTTONDOWN, OnLButtonDown},
    Entry{WM_LBUTTONDBLCLK, OnLButtonDown},
    Entry{WM_MOUSEMOVE, OnMouseMove},
    Entry{WM_LBUTTONUP, OnLButtonUp},
    Entry{WM_CAPTURECHANGED, OnCaptureChanged},
    Entry{WM_KEYDOWN, OnKeyDown},
    Entry{WM_KEYUP, OnKeyUp},
    Entry{WM_SETFOCUS, OnSetFocus},
    Entry{WM_KILLFOCUS, OnKillFocus},
    Entry{WM_PAINT, OnPaint},
    Entry{WM_ERASEBKGND, OnEraseBackground},
    Entry{WM_SETTEXT, OnSetText},
    Entry{WM_SETFONT, OnSetFont},
    Entry{WM_GETFONT, OnGetFont},
    Entry{WM_GETDLGCODE, OnGetDlgCode},
    Entry{BM_GETSTATE, OnGetState},
    Entry{BM_SETSTATE, OnSetState},
    Entry{BM_GETCHECK, OnGetCheck},
    Entry{BM_SETCHECK, OnSetCheck},
    Entry{BM_SETSTYLE, OnSetStyle},
    Entry{BM_CLICK, OnClick},
    Entry{WM_ENABLE, OnEnable},
};

}  // namespace

LRESULT ButtonWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    for (const Entry& e : kTable) {
        if (e.message == message)
            return e.handler(hwnd, wParam, lParam);
    }
    return DefWindowProc(hwnd, message, wParam, lParam);
}
