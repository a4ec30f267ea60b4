#include "platform/user/EditControl.h"

#include "platform/gdi/Gdi.h"
#include "platform/user/ControlSupport.h"
#include "platform/user/EditState.h"
#include "platform/user/Focus.h"
#include "platform/user/Input.h"
#include "platform/user/Messaging.h"
#include "platform/user/Painting.h"
#include "platform/user/SystemClasses.h"
#include "platform/user/Theme.h"
#include "platform/user/Timers.h"

namespace {

constexpr UINT_PTR kCaretTimer = 1;
constexpr int kMargin = 2;

EditState& S(HWND hwnd) {
    return EditStateOf(hwnd);
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

}  // namespace

void EditChanged(HWND hwnd, bool textChanged) {
    KeepCaretInSight(hwnd);
    S(hwnd).caretOn = S(hwnd).focused;
    InvalidateRect(hwnd, nullptr, FALSE);
    if (!textChanged)
        return;
    DefWindowProc(hwnd, WM_SETTEXT, 0, LPARAM(S(hwnd).edit.text.c_str()));
    CommandParent(hwnd, EN_CHANGE);
}

bool EditIsReadOnly(HWND hwnd) {
    return (StyleOf(hwnd) & ES_READONLY) != 0;
}

void EditInsert(HWND hwnd, const std::wstring& text) {
    if (S(hwnd).edit.Replace(text, S(hwnd).limit)) {
        EditChanged(hwnd, true);
        return;
    }
    CommandParent(hwnd, EN_MAXTEXT);
}

namespace {

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
    const COLORREF ink = GetTextColor(dc);
    const bool showSelection = s.focused || (StyleOf(hwnd) & ES_NOHIDESEL) != 0;
    if (showSelection && s.edit.HasSelection()) {
        const int left = x + PrefixWidth(hwnd, s.edit.SelStart());
        const RECT band{left, top, x + PrefixWidth(hwnd, s.edit.SelEnd()), top + tm.tmHeight};
        FillSolidRect(dc, &band, kTheme.selection);
        SetTextColor(dc, kTheme.selectionText);
        const size_t start = s.edit.SelStart();
        TextOutW(dc, left, top, shown.c_str() + start, int(s.edit.SelEnd() - start));
    }
    // The caret in the text's own colour, readable on whatever the parent chose.
    if (s.focused && s.caretOn) {
        const RECT caret{x + PrefixWidth(hwnd, s.edit.caret), top,
                         x + PrefixWidth(hwnd, s.edit.caret) + 1, top + tm.tmHeight};
        FillSolidRect(dc, &caret, ink);
    }
}

LRESULT OnPaint(HWND hwnd, WPARAM, LPARAM) {
    PAINTSTRUCT ps{};
    HDC dc = BeginPaint(hwnd, &ps);
    if (dc == nullptr)
        return 0;
    RECT client{};
    GetClientRect(hwnd, &client);
    const bool plain = EditIsReadOnly(hwnd) || !IsWindowEnabled(hwnd);
    FillRect(dc, &client, ParentColours(hwnd, dc, plain ? WM_CTLCOLORSTATIC : WM_CTLCOLOREDIT));
    if (!IsWindowEnabled(hwnd))
        SetTextColor(dc, kTheme.grayText);
    PaintText(hwnd, dc, client);
    EndPaint(hwnd, &ps);
    return 0;
}

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

LRESULT OnLButtonDown(HWND hwnd, WPARAM, LPARAM lParam) {
    SetFocus(hwnd);
    SetCapture(hwnd);
    S(hwnd).edit.MoveTo(PositionAt(hwnd, GET_X_LPARAM(lParam)), Down(VK_SHIFT));
    EditChanged(hwnd, false);
    return 0;
}

LRESULT OnMouseMove(HWND hwnd, WPARAM, LPARAM lParam) {
    if (GetCapture() != hwnd)
        return 0;
    S(hwnd).edit.MoveTo(PositionAt(hwnd, GET_X_LPARAM(lParam)), true);
    EditChanged(hwnd, false);
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
    EditChanged(hwnd, false);
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
    EditChanged(hwnd, true);
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
    EditChanged(hwnd, false);
    return 0;
}

LRESULT OnReplaceSel(HWND hwnd, WPARAM, LPARAM lParam) {
    const auto* text = reinterpret_cast<const wchar_t*>(lParam);
    EditInsert(hwnd, text != nullptr ? text : L"");
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
    ControlEntry{WM_ERASEBKGND, PaintFillsBackground},
    ControlEntry{WM_SETFOCUS, OnSetFocus},
    ControlEntry{WM_KILLFOCUS, OnKillFocus},
    ControlEntry{WM_TIMER, OnTimer},
    ControlEntry{WM_CHAR, EditOnChar},
    ControlEntry{WM_KEYDOWN, EditOnKeyDown},
    ControlEntry{WM_LBUTTONDOWN, OnLButtonDown},
    ControlEntry{WM_LBUTTONDBLCLK, OnLButtonDblClk},
    ControlEntry{WM_MOUSEMOVE, OnMouseMove},
    ControlEntry{WM_LBUTTONUP, OnLButtonUp},
    ControlEntry{WM_SETTEXT, OnSetText},
    ControlEntry{WM_COPY, EditOnCopy},
    ControlEntry{WM_CUT, EditOnCut},
    ControlEntry{WM_PASTE, EditOnPaste},
    ControlEntry{WM_CLEAR, EditOnClear},
    ControlEntry{EM_GETSEL, OnGetSel},
    ControlEntry{EM_SETSEL, OnSetSel},
    ControlEntry{EM_REPLACESEL, OnReplaceSel},
    ControlEntry{EM_LIMITTEXT, OnLimitText},
    ControlEntry{EM_GETLIMITTEXT, OnGetLimitText},
    ControlEntry{EM_SETREADONLY, OnSetReadOnly},
    ControlEntry{WM_SETFONT, SetStateFont<EditState>},
    ControlEntry{WM_GETFONT, GetStateFont<EditState>},
    ControlEntry{WM_GETDLGCODE, OnGetDlgCode},
    ControlEntry{WM_ENABLE, OnEnable},
};

}  // namespace

EditState& EditStateOf(HWND hwnd) {
    return *StateOf<EditState>(hwnd);
}

UINT GetCaretBlinkTime() {
    return 530;
}

LRESULT EditWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message != WM_NCCREATE && StateOf<EditState>(hwnd) == nullptr)
        return DefWindowProc(hwnd, message, wParam, lParam);
    return RouteControlMessage(kTable, hwnd, message, wParam, lParam);
}
