#include "platform/user/EditControl.h"

#include "platform/gdi/Gdi.h"
#include "platform/user/Clipboard.h"
#include "platform/user/ControlSupport.h"
#include "platform/user/EditText.h"
#include "platform/user/Focus.h"
#include "platform/user/Input.h"
#include "platform/user/Messaging.h"
#include "platform/user/Painting.h"
#include "platform/user/SystemClasses.h"
#include "platform/user/Timers.h"

namespace {

constexpr UINT_PTR kCaretTimer = 1;
constexpr int kMargin = 2;
constexpr size_t kDefaultLimit = 30000;

struct EditState {
    EditText edit;
    size_t limit = kDefaultLimit;
    HFONT font = nullptr;
    int scroll = 0;  // pixels of text hidden at the left
    bool focused = false;
    bool caretOn = false;
};

EditState& S(HWND hwnd) {
    return *StateOf<EditState>(hwnd);
}

DWORD StyleOf(HWND hwnd) {
    return DWORD(GetWindowLongPtr(hwnd, GWL_STYLE));
}

bool Down(UINT vk) {
    return (GetKeyState(int(vk)) & 0x8000) != 0;
}

std::wstring Shown(HWND hwnd) {
    const std::wstring& text = S(hwnd).edit.text;
    return (StyleOf(hwnd) & ES_PASSWORD) != 0 ? std::wstring(text.size(), L'*') : text;
}

// Width of the first `count` shown characters.
int PrefixWidth(HWND hwnd, size_t count) {
    const std::wstring shown = Shown(hwnd);
    HDC dc = GetDC(nullptr);
    SIZE extent{};
    {
        ScopedFont scope(dc, S(hwnd).font);
        GetTextExtentPoint32W(dc, shown.c_str(), int(count), &extent);
    }
    ReleaseDC(nullptr, dc);
    return extent.cx;
}

size_t PositionAt(HWND hwnd, int x) {
    const int target = x - kMargin + S(hwnd).scroll;
    const size_t n = S(hwnd).edit.text.size();
    for (size_t i = 0; i < n; ++i) {
        const int mid = (PrefixWidth(hwnd, i) + PrefixWidth(hwnd, i + 1)) / 2;
        if (target < mid)
            return i;
    }
    return n;
}

void KeepCaretInSight(HWND hwnd) {
    RECT client{};
    GetClientRect(hwnd, &client);
    const int room = client.right - 2 * kMargin;
    const int x = PrefixWidth(hwnd, S(hwnd).edit.caret);
    int& scroll = S(hwnd).scroll;
    if (x - scroll > room)
        scroll = x - room;
    if (x < scroll)
        scroll = x;
}

void Changed(HWND hwnd, bool textChanged) {
    KeepCaretInSight(hwnd);
    S(hwnd).caretOn = S(hwnd).focused;
    InvalidateRect(hwnd, nullptr, FALSE);
    if (!textChanged)
        return;
    DefWindowProc(hwnd, WM_SETTEXT, 0, LPARAM(S(hwnd).edit.text.c_str()));
    CommandParent(hwnd, EN_CHANGE);
}

bool ReadOnly(HWND hwnd) {
    return (StyleOf(hwnd) & ES_READONLY) != 0;
}

void Insert(HWND hwnd, const std::wstring& text) {
    if (S(hwnd).edit.Replace(text, S(hwnd).limit)) {
        Changed(hwnd, true);
        return;
    }
    CommandParent(hwnd, EN_MAXTEXT);
}

void PaintText(HWND hwnd, HDC dc, const RECT& client) {
    const EditState& s = S(hwnd);
    const std::wstring shown = Shown(hwnd);
    ScopedFont scope(dc, s.font);
    TEXTMETRICW tm{};
    GetTextMetricsW(dc, &tm);
    const int top = (client.bottom - tm.tmHeight) / 2;
    const int x = kMargin - s.scroll;
    SetBkMode(dc, TRANSPARENT);
    TextOutW(dc, x, top, shown.c_str(), int(shown.size()));
    const bool showSelection = s.focused || (StyleOf(hwnd) & ES_NOHIDESEL) != 0;
    if (showSelection && s.edit.HasSelection()) {
        const int left = x + PrefixWidth(hwnd, s.edit.SelStart());
        const RECT band{left, top, x + PrefixWidth(hwnd, s.edit.SelEnd()), top + tm.tmHeight};
        FillSolidRect(dc, &band, GetSysColor(COLOR_HIGHLIGHT));
        SetTextColor(dc, GetSysColor(COLOR_HIGHLIGHTTEXT));
        const size_t start = s.edit.SelStart();
        TextOutW(dc, left, top, shown.c_str() + start, int(s.edit.SelEnd() - start));
    }
    if (s.focused && s.caretOn) {
        const RECT caret{x + PrefixWidth(hwnd, s.edit.caret), top,
                         x + PrefixWidth(hwnd, s.edit.caret) + 1, top + tm.tmHeight};
        FillSolidRect(dc, &caret, GetSysColor(COLOR_WINDOWTEXT));
    }
}

LRESULT OnPaint(HWND hwnd, WPARAM, LPARAM) {
    PAINTSTRUCT ps{};
    HDC dc = BeginPaint(hwnd, &ps);
    if (dc == nullptr)
        return 0;
    RECT client{};
    GetClientRect(hwnd, &client);
    const bool plain = ReadOnly(hwnd) || !IsWindowEnabled(hwnd);
    FillRect(dc, &client, ParentColours(hwnd, dc, plain ? WM_CTLCOLORSTATIC : WM_CTLCOLOREDIT));
    if (!IsWindowEnabled(hwnd))
        SetTextColor(dc, GetSysColor(COLOR_GRAYTEXT));
    PaintText(hwnd, dc, client);
    EndPaint(hwnd, &ps);
    return 0;
}

LRESULT OnEraseBackground(HWND, WPARAM, LPARAM) {
    return 1;
}  // the paint fills it

LRESULT OnSetFocus(HWND hwnd, WPARAM, LPARAM) {
    S(hwnd).focused = true;
    S(hwnd).caretOn = true;
    SetTimer(hwnd, kCaretTimer, GetCaretBlinkTime(), nullptr);
    InvalidateRect(hwnd, nullptr, FALSE);
    CommandParent(hwnd, EN_SETFOCUS);
    return 0;
}

LRESULT OnKillFocus(HWND hwnd, WPARAM, LPARAM) {
    S(hwnd).focused = false;
    KillTimer(hwnd, kCaretTimer);
    InvalidateRect(hwnd, nullptr, FALSE);
    CommandParent(hwnd, EN_KILLFOCUS);
    return 0;
}

LRESULT OnTimer(HWND hwnd, WPARAM wParam, LPARAM) {
    if (wParam != kCaretTimer)
        return 0;
    S(hwnd).caretOn = !S(hwnd).caretOn;
    InvalidateRect(hwnd, nullptr, FALSE);
    return 0;
}

LRESULT OnChar(HWND hwnd, WPARAM wParam, LPARAM) {
    const wchar_t c = wchar_t(wParam);
    if (ReadOnly(hwnd) || Down(VK_CONTROL))
        return 0;
    EditText& e = S(hwnd).edit;
    if (c == 0x08) {
        if (!e.HasSelection() && e.caret > 0)
            e.MoveTo(e.caret - 1, true);
        if (e.HasSelection())
            Insert(hwnd, L"");
        return 0;
    }
    if (c < 0x20 || ((StyleOf(hwnd) & ES_NUMBER) != 0 && (c < L'0' || c > L'9')))
        return 0;
    Insert(hwnd, std::wstring(1, c));
    return 0;
}

LRESULT OnCopy(HWND hwnd, WPARAM, LPARAM) {
    if (S(hwnd).edit.HasSelection() && (StyleOf(hwnd) & ES_PASSWORD) == 0)
        SetClipboardText(S(hwnd).edit.Selected());
    return 0;
}

LRESULT OnClear(HWND hwnd, WPARAM, LPARAM) {
    if (!ReadOnly(hwnd) && S(hwnd).edit.HasSelection())
        Insert(hwnd, L"");
    return 0;
}

LRESULT OnCut(HWND hwnd, WPARAM, LPARAM) {
    OnCopy(hwnd, 0, 0);
    return OnClear(hwnd, 0, 0);
}

LRESULT OnPaste(HWND hwnd, WPARAM, LPARAM) {
    const std::wstring text = GetClipboardText();
    if (!ReadOnly(hwnd) && !text.empty())
        Insert(hwnd, text.substr(0, text.find_first_of(L"\r\n")));
    return 0;
}

bool ControlKey(HWND hwnd, UINT vk) {
    switch (vk) {
        case 'A':
            S(hwnd).edit.Select(0, -1);
            Changed(hwnd, false);
            return true;
        case 'C':
            OnCopy(hwnd, 0, 0);
            return true;
        case 'X':
            OnCut(hwnd, 0, 0);
            return true;
        case 'V':
            OnPaste(hwnd, 0, 0);
            return true;
        default:
            return false;
    }
}

LRESULT OnKeyDown(HWND hwnd, WPARAM wParam, LPARAM) {
    const UINT vk = UINT(wParam);
    if (Down(VK_CONTROL) && ControlKey(hwnd, vk))
        return 0;
    EditText& e = S(hwnd).edit;
    const bool shift = Down(VK_SHIFT);
    switch (vk) {
        case VK_LEFT:
            if (!shift && e.HasSelection())
                e.MoveTo(e.SelStart(), false);
            else
                e.MoveTo(e.caret > 0 ? e.caret - 1 : 0, shift);
            break;
        case VK_RIGHT:
            if (!shift && e.HasSelection())
                e.MoveTo(e.SelEnd(), false);
            else
                e.MoveTo(e.caret + 1, shift);
            break;
        case VK_HOME:
            e.MoveTo(0, shift);
            break;
        case VK_END:
            e.MoveTo(e.text.size(), shift);
            break;
        case VK_DELETE:
            if (ReadOnly(hwnd))
                return 0;
            if (!e.HasSelection())
                e.MoveTo(e.caret + 1, true);
            if (e.HasSelection())
                Insert(hwnd, L"");
            return 0;
        default:
            return 0;
    }
    Changed(hwnd, false);
    return 0;
}

LRESULT OnLButtonDown(HWND hwnd, WPARAM, LPARAM lParam) {
    SetFocus(hwnd);
    SetCapture(hwnd);
    S(hwnd).edit.MoveTo(PositionAt(hwnd, GET_X_LPARAM(lParam)), Down(VK_SHIFT));
    Changed(hwnd, false);
    return 0;
}

LRESULT OnMouseMove(HWND hwnd, WPARAM, LPARAM lParam) {
    if (GetCapture() != hwnd)
        return 0;
    S(hwnd).edit.MoveTo(PositionAt(hwnd, GET_X_LPARAM(lParam)), true);
    Changed(hwnd, false);
    return 0;
}

LRESULT OnLButtonUp(HWND hwnd, WPARAM, LPARAM) {
    if (GetCapture() == hwnd)
        ReleaseCapture();
    return 0;
}

LRESULT OnLButtonDblClk(HWND hwnd, WPARAM, LPARAM lParam) {
    SetFocus(hwnd);
    S(hwnd).edit.SelectWordAt(PositionAt(hwnd, GET_X_LPARAM(lParam)));
    Changed(hwnd, false);
    return 0;
}

LRESULT OnCreate(HWND hwnd, WPARAM, LPARAM lParam) {
    const auto* cs = reinterpret_cast<const CREATESTRUCTW*>(lParam);
    if (cs != nullptr && cs->lpszName != nullptr && !IS_INTRESOURCE(cs->lpszName))
        S(hwnd).edit.SetText(cs->lpszName);
    return 0;
}

LRESULT OnSetText(HWND hwnd, WPARAM, LPARAM lParam) {
    const auto* text = reinterpret_cast<const wchar_t*>(lParam);
    S(hwnd).edit.SetText(text != nullptr ? text : L"");
    S(hwnd).scroll = 0;
    Changed(hwnd, true);
    return TRUE;
}

LRESULT OnGetSel(HWND hwnd, WPARAM wParam, LPARAM lParam) {
    const EditText& e = S(hwnd).edit;
    if (auto* start = reinterpret_cast<DWORD*>(wParam))
        *start = DWORD(e.SelStart());
    if (auto* end = reinterpret_cast<DWORD*>(lParam))
        *end = DWORD(e.SelEnd());
    return MAKELRESULT(int(e.SelStart()), int(e.SelEnd()));
}

LRESULT OnSetSel(HWND hwnd, WPARAM wParam, LPARAM lParam) {
    S(hwnd).edit.Select(int(intptr_t(wParam)), int(lParam));
    Changed(hwnd, false);
    return 0;
}

LRESULT OnReplaceSel(HWND hwnd, WPARAM, LPARAM lParam) {
    const auto* text = reinterpret_cast<const wchar_t*>(lParam);
    Insert(hwnd, text != nullptr ? text : L"");
    return 0;
}

LRESULT OnLimitText(HWND hwnd, WPARAM wParam, LPARAM) {
    S(hwnd).limit = wParam == 0 ? size_t(0x7FFFFFFE) : size_t(wParam);
    return 0;
}

LRESULT OnGetLimitText(HWND hwnd, WPARAM, LPARAM) {
    return LRESULT(S(hwnd).limit);
}

LRESULT OnSetReadOnly(HWND hwnd, WPARAM wParam, LPARAM) {
    const LONG_PTR style = GetWindowLongPtr(hwnd, GWL_STYLE);
    SetWindowLongPtr(
        hwnd, GWL_STYLE,
        wParam != 0 ? (style | LONG_PTR(ES_READONLY)) : (style & ~LONG_PTR(ES_READONLY)));
    InvalidateRect(hwnd, nullptr, FALSE);
    return TRUE;
}

LRESULT OnSetFont(HWND hwnd, WPARAM wParam, LPARAM lParam) {
    S(hwnd).font = HFONT(wParam);
    if (lParam != 0)
        InvalidateRect(hwnd, nullptr, FALSE);
    return 0;
}

LRESULT OnGetFont(HWND hwnd, WPARAM, LPARAM) {
    return LRESULT(S(hwnd).font);
}

LRESULT OnGetDlgCode(HWND, WPARAM, LPARAM) {
    return DLGC_WANTCHARS | DLGC_HASSETSEL | DLGC_WANTARROWS;
}

LRESULT OnEnable(HWND hwnd, WPARAM, LPARAM) {
    InvalidateRect(hwnd, nullptr, FALSE);
    return 0;
}

constexpr std::array kTable = {
    ControlEntry{WM_NCCREATE, CreateStateFor<EditState>},
    ControlEntry{WM_NCDESTROY, DeleteStateOf<EditState>},
    ControlEntry{WM_CREATE, OnCreate},
    ControlEntry{WM_PAINT, OnPaint},
    ControlEntry{WM_ERASEBKGND, OnEraseBackground},
    ControlEntry{WM_SETFOCUS, OnSetFocus},
    ControlEntry{WM_KILLFOCUS, OnKillFocus},
    ControlEntry{WM_TIMER, OnTimer},
    ControlEntry{WM_CHAR, OnChar},
    ControlEntry{WM_KEYDOWN, OnKeyDown},
    ControlEntry{WM_LBUTTONDOWN, OnLButtonDown},
    ControlEntry{WM_LBUTTONDBLCLK, OnLButtonDblClk},
    ControlEntry{WM_MOUSEMOVE, OnMouseMove},
    ControlEntry{WM_LBUTTONUP, OnLButtonUp},
    ControlEntry{WM_SETTEXT, OnSetText},
    ControlEntry{WM_COPY, OnCopy},
    ControlEntry{WM_CUT, OnCut},
    ControlEntry{WM_PASTE, OnPaste},
    ControlEntry{WM_CLEAR, OnClear},
    ControlEntry{EM_GETSEL, OnGetSel},
    ControlEntry{EM_SETSEL, OnSetSel},
    ControlEntry{EM_REPLACESEL, OnReplaceSel},
    ControlEntry{EM_LIMITTEXT, OnLimitText},
    ControlEntry{EM_GETLIMITTEXT, OnGetLimitText},
    ControlEntry{EM_SETREADONLY, OnSetReadOnly},
    ControlEntry{WM_SETFONT, OnSetFont},
    ControlEntry{WM_GETFONT, OnGetFont},
    ControlEntry{WM_GETDLGCODE, OnGetDlgCode},
    ControlEntry{WM_ENABLE, OnEnable},
};

}  // namespace

UINT GetCaretBlinkTime() {
    return 530;
}

LRESULT EditWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message != WM_NCCREATE && StateOf<EditState>(hwnd) == nullptr)
        return DefWindowProc(hwnd, message, wParam, lParam);
    return RouteControlMessage(kTable, hwnd, message, wParam, lParam);
}
