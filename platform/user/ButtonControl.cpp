// The button control: push, check box, radio button, group box and
// owner-draw kinds. A press captures the mouse and shows the button pushed
// while the cursor stays on it; releasing it there (or Space) clicks it:
// automatic check boxes toggle, automatic radio buttons check themselves and
// uncheck the others of their group (the siblings from the last WS_GROUP one
// up to the next), and BN_CLICKED goes to the parent. Group boxes are
// transparent to the mouse. Owner-draw buttons ask the parent to draw them
// with WM_DRAWITEM.
#include <array>

#include "platform/gdi/Gdi.h"
#include "platform/user/ButtonPaint.h"
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

bool IsRadio(DWORD kind) {
    return kind == BS_RADIOBUTTON || kind == BS_AUTORADIOBUTTON;
}

bool StartsGroup(HWND hwnd) {
    return (GetWindowLongPtr(hwnd, GWL_STYLE) & WS_GROUP) != 0;
}

HWND FirstOfGroup(HWND hwnd) {
    HWND first = hwnd;
    while (!StartsGroup(first)) {
        HWND previous = GetWindow(first, GW_HWNDPREV);
        if (previous == nullptr)
            break;
        first = previous;
    }
    return first;
}

void UncheckGroupBut(HWND hwnd) {
    HWND h = FirstOfGroup(hwnd);
    do {
        if (h != hwnd && Kind(h) == BS_AUTORADIOBUTTON)
            SendMessage(h, BM_SETCHECK, BST_UNCHECKED, 0);
        h = GetWindow(h, GW_HWNDNEXT);
    } while (h != nullptr && !StartsGroup(h));
}

void Clicked(HWND hwnd) {
    const DWORD kind = Kind(hwnd);
    if (kind == BS_AUTOCHECKBOX)
        SetStateBit(hwnd, BST_CHECKED, (State(hwnd) & BST_CHECKED) == 0);
    if (kind == BS_AUTORADIOBUTTON) {
        SetStateBit(hwnd, BST_CHECKED, true);
        UncheckGroupBut(hwnd);
    }
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

void DrawKind(HWND hwnd, HDC dc, RECT r) {
    const DWORD kind = Kind(hwnd);
    HFONT font = HFONT(GetWindowLongPtr(hwnd, kFontSlot));
    if (kind == BS_GROUPBOX)
        PaintGroupBox(hwnd, dc, r, font);
    else if (kind == BS_CHECKBOX || kind == BS_AUTOCHECKBOX || IsRadio(kind))
        PaintCheckButton(hwnd, dc, r, State(hwnd), font, IsRadio(kind));
    else
        PaintPushButton(hwnd, dc, r, State(hwnd), font);
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
        DrawKind(hwnd, dc, client);
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
    switch (Kind(hwnd)) {
        case BS_DEFPUSHBUTTON:
            return DLGC_BUTTON | DLGC_DEFPUSHBUTTON;
        case BS_PUSHBUTTON:
        case BS_OWNERDRAW:
            return DLGC_BUTTON | DLGC_UNDEFPUSHBUTTON;
        case BS_GROUPBOX:
            return DLGC_STATIC;
        case BS_RADIOBUTTON:
        case BS_AUTORADIOBUTTON:
            return DLGC_BUTTON | DLGC_RADIOBUTTON;
        default:
            return DLGC_BUTTON;
    }
}

LRESULT OnNcHitTest(HWND hwnd, WPARAM wParam, LPARAM lParam) {
    if (Kind(hwnd) == BS_GROUPBOX)
        return HTTRANSPARENT;
    return DefWindowProc(hwnd, WM_NCHITTEST, wParam, lParam);
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
    Entry{WM_NCHITTEST, OnNcHitTest},
};

}  // namespace

LRESULT ButtonWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    for (const Entry& e : kTable) {
        if (e.message == message)
            return e.handler(hwnd, wParam, lParam);
    }
    return DefWindowProc(hwnd, message, wParam, lParam);
}
