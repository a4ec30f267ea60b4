#include <algorithm>
#include <array>
#include <cstring>

#include "platform/gdi/Gdi.h"
#include "platform/user/Focus.h"
#include "platform/user/Geometry.h"
#include "platform/user/Input.h"
#include "platform/user/Messaging.h"
#include "platform/user/NonClient.h"
#include "platform/user/Painting.h"
#include "platform/user/SysCommand.h"
#include "platform/user/Theme.h"
#include "platform/user/WindowApi.h"
#include "platform/user/WindowClass.h"
#include "platform/user/WindowTable.h"

namespace {

using Handler = LRESULT (*)(HWND, WPARAM, LPARAM);

LRESULT OnNcCreate(HWND, WPARAM, LPARAM) {
    return TRUE;
}

LRESULT OnSetText(HWND hwnd, WPARAM, LPARAM lParam) {
    bool caption = false;
    {
        std::lock_guard lock(UserMutex());
        Window* w = FindWindowLocked(hwnd);
        if (w == nullptr)
            return FALSE;
        const auto* text = reinterpret_cast<const wchar_t*>(lParam);
        w->text = text != nullptr ? text : L"";
        caption = (w->style & WS_CAPTION) == WS_CAPTION;
    }
    if (caption)
        RedrawWindow(hwnd, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_NOCHILDREN);
    return TRUE;
}

LRESULT OnGetText(HWND hwnd, WPARAM wParam, LPARAM lParam) {
    auto* buffer = reinterpret_cast<wchar_t*>(lParam);
    const int size = int(wParam);
    if (buffer == nullptr || size <= 0)
        return 0;
    std::lock_guard lock(UserMutex());
    Window* w = FindWindowLocked(hwnd);
    if (w == nullptr)
        return 0;
    const size_t n = std::min(w->text.size(), size_t(size - 1));
    w->text.copy(buffer, n);
    buffer[n] = 0;
    return LRESULT(n);
}

LRESULT OnGetTextLength(HWND hwnd, WPARAM, LPARAM) {
    std::lock_guard lock(UserMutex());
    Window* w = FindWindowLocked(hwnd);
    return w == nullptr ? 0 : LRESULT(w->text.size());
}

LRESULT OnPaint(HWND hwnd, WPARAM, LPARAM) {
    PAINTSTRUCT ps{};
    if (BeginPaint(hwnd, &ps) != nullptr)
        EndPaint(hwnd, &ps);
    return 0;
}

LRESULT OnEraseBackground(HWND hwnd, WPARAM wParam, LPARAM) {
    HBRUSH brush = nullptr;
    {
        std::lock_guard lock(UserMutex());
        Window* w = FindWindowLocked(hwnd);
        if (w == nullptr)
            return 0;
        brush = w->windowClass->background;
    }
    if (brush == nullptr)
        return 0;
    RECT r{};
    GetClientRect(hwnd, &r);
    FillRect(HDC(wParam), &r, brush);
    return 1;
}

LRESULT OnWindowPosChanged(HWND hwnd, WPARAM, LPARAM) {
    SendSizeAndMove(hwnd);
    return 0;
}

LRESULT OnClose(HWND hwnd, WPARAM, LPARAM) {
    DestroyWindow(hwnd);
    return 0;
}

LRESULT OnSysCommand(HWND hwnd, WPARAM wParam, LPARAM lParam) {
    return DefSysCommand(hwnd, wParam, lParam);
}

// Asks the parent first, as a child's cursor is the parent's call.
bool ParentSetsCursor(HWND hwnd, WPARAM wParam, LPARAM lParam) {
    if ((GetWindowLongPtr(hwnd, GWL_STYLE) & WS_CHILD) == 0)
        return false;
    HWND parent = GetParent(hwnd);
    return parent != nullptr && SendMessage(parent, WM_SETCURSOR, wParam, lParam) != 0;
}

const wchar_t* EdgeCursor(LRESULT hit) {
    switch (hit) {
        case HTLEFT:
        case HTRIGHT:
            return IDC_SIZEWE;
        case HTTOP:
        case HTBOTTOM:
            return IDC_SIZENS;
        case HTTOPLEFT:
        case HTBOTTOMRIGHT:
            return IDC_SIZENWSE;
        case HTTOPRIGHT:
        case HTBOTTOMLEFT:
            return IDC_SIZENESW;
        default:
            return IDC_ARROW;
    }
}

LRESULT OnSetCursor(HWND hwnd, WPARAM wParam, LPARAM lParam) {
    if (ParentSetsCursor(hwnd, wParam, lParam))
        return TRUE;
    const LRESULT hit = LRESULT(int16_t(LOWORD(uintptr_t(lParam))));
    if (hit == HTCLIENT) {
        HCURSOR cursor = nullptr;
        {
            std::lock_guard lock(UserMutex());
            Window* w = FindWindowLocked(hwnd);
            if (w != nullptr)
                cursor = w->windowClass->cursor;
        }
        if (cursor != nullptr)
            SetCursor(cursor);
        return FALSE;
    }
    SetCursor(LoadCursorW(nullptr, EdgeCursor(hit)));
    return FALSE;
}

LRESULT OnMouseActivate(HWND hwnd, WPARAM wParam, LPARAM lParam) {
    if ((GetWindowLongPtr(hwnd, GWL_STYLE) & WS_CHILD) != 0) {
        if (HWND parent = GetParent(hwnd)) {
            const LRESULT r = SendMessage(parent, WM_MOUSEACTIVATE, wParam, lParam);
            if (r != 0)
                return r;
        }
    }
    return MA_ACTIVATE;
}

LRESULT OnMouseWheel(HWND hwnd, WPARAM wParam, LPARAM lParam) {
    if ((GetWindowLongPtr(hwnd, GWL_STYLE) & WS_CHILD) == 0)
        return 0;
    return SendMessage(GetParent(hwnd), WM_MOUSEWHEEL, wParam, lParam);
}

LRESULT OnActivate(HWND hwnd, WPARAM wParam, LPARAM) {
    if (LOWORD(wParam) != WA_INACTIVE && !IsIconic(hwnd)) {
        HWND focus = GetFocus();
        if (focus == nullptr || (focus != hwnd && !IsChild(hwnd, focus)))
            SetFocus(hwnd);
    }
    return 0;
}

LRESULT OnGetMinMaxInfo(HWND, WPARAM, LPARAM lParam) {
    auto* info = reinterpret_cast<MINMAXINFO*>(lParam);
    if (info != nullptr && info->ptMinTrackSize.x == 0) {
        info->ptMinTrackSize =
            POINT{GetSystemMetrics(SM_CXMINTRACK), GetSystemMetrics(SM_CYMINTRACK)};
    }
    return 0;
}

// Controls of the window system's look unless their parent answers otherwise.
LRESULT CtlColor(WPARAM wParam, COLORREF text, COLORREF back) {
    HDC dc = HDC(wParam);
    SetTextColor(dc, text);
    SetBkColor(dc, back);
    return LRESULT(ThemeBrush(back));
}

LRESULT OnCtlColorWindow(HWND, WPARAM wParam, LPARAM) {
    return CtlColor(wParam, kTheme.fieldText, kTheme.field);
}

LRESULT OnCtlColorFace(HWND, WPARAM wParam, LPARAM) {
    return CtlColor(wParam, kTheme.text, kTheme.face);
}

LRESULT OnSysKeyDown(HWND hwnd, WPARAM wParam, LPARAM lParam) {
    if (wParam == VK_F1 + 3 && (lParam & (LPARAM(1) << 29)) != 0) {  // Alt+F4
        SendMessage(GetAncestor(hwnd, GA_ROOT), WM_SYSCOMMAND, SC_CLOSE, 0);
    }
    return 0;
}

LRESULT OnCancelMode(HWND hwnd, WPARAM, LPARAM) {
    if (GetCapture() == hwnd)
        ReleaseCapture();
    return 0;
}

struct Entry {
    UINT message;
    Handler handler;
};

constexpr std::array kTable = {
    Entry{WM_SETTEXT, OnSetText},
    Entry{WM_GETTEXT, OnGetText},
    Entry{WM_GETTEXTLENGTH, OnGetTextLength},
    Entry{WM_PAINT, OnPaint},
    Entry{WM_CLOSE, OnClose},
    Entry{WM_ERASEBKGND, OnEraseBackground},
    Entry{WM_ACTIVATE, OnActivate},
    Entry{WM_CANCELMODE, OnCancelMode},
    Entry{WM_SETCURSOR, OnSetCursor},
    Entry{WM_MOUSEACTIVATE, OnMouseActivate},
    Entry{WM_GETMINMAXINFO, OnGetMinMaxInfo},
    Entry{WM_WINDOWPOSCHANGED, OnWindowPosChanged},
    Entry{WM_NCCREATE, OnNcCreate},
    Entry{WM_NCCALCSIZE, DefNcCalcSize},
    Entry{WM_NCHITTEST, DefNcHitTest},
    Entry{WM_NCPAINT, DefNcPaint},
    Entry{WM_NCACTIVATE, DefNcActivate},
    Entry{WM_NCLBUTTONDOWN, DefNcLButtonDown},
    Entry{WM_NCLBUTTONDBLCLK, DefNcLButtonDblClk},
    Entry{WM_SYSKEYDOWN, OnSysKeyDown},
    Entry{WM_SYSCOMMAND, OnSysCommand},
    Entry{WM_CTLCOLORMSGBOX, OnCtlColorFace},
    Entry{WM_CTLCOLOREDIT, OnCtlColorWindow},
    Entry{WM_CTLCOLORLISTBOX, OnCtlColorWindow},
    Entry{WM_CTLCOLORBTN, OnCtlColorFace},
    Entry{WM_CTLCOLORDLG, OnCtlColorFace},
    Entry{WM_CTLCOLORSCROLLBAR, OnCtlColorFace},
    Entry{WM_CTLCOLORSTATIC, OnCtlColorFace},
    Entry{WM_MOUSEWHEEL, OnMouseWheel},
};

}  // namespace

LRESULT DefWindowProcW(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    for (const Entry& e : kTable) {
        if (e.message == message)
            return e.handler(hwnd, wParam, lParam);
    }
    return 0;
}
