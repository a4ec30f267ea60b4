#include "platform/user/ComboBoxControl.h"

#include <algorithm>
#include <cwctype>

#include "platform/user/ComboBoxState.h"
#include "platform/user/ControlSupport.h"
#include "platform/user/Focus.h"
#include "platform/user/Messaging.h"
#include "platform/user/Painting.h"
#include "platform/user/SystemClasses.h"
#include "platform/user/Theme.h"

namespace {

constexpr int kFrame = 3;  // between the box's edge and its line of text, above and below

ComboState& S(HWND hwnd) {
    return ComboStateOf(hwnd);
}

int ClosedHeight(HWND hwnd) {
    return ComboItemHeight(hwnd) + 2 * kFrame;
}

void Resize(HWND hwnd) {
    RECT r{};
    GetWindowRect(hwnd, &r);
    SetWindowPos(hwnd, nullptr, 0, 0, r.right - r.left, ClosedHeight(hwnd) + S(hwnd).listHeight,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

// Makes `index` the selection as the user's choice.
void Choose(HWND hwnd, int index) {
    ComboState& s = S(hwnd);
    if (s.items.empty())
        return;
    index = std::clamp(index, 0, int(s.items.size()) - 1);
    if (index == s.selected)
        return;
    s.selected = index;
    InvalidateRect(hwnd, nullptr, FALSE);
    CommandParent(hwnd, CBN_SELCHANGE);
}

void DrawSelection(HWND hwnd, HDC dc, RECT text) {
    const ComboState& s = S(hwnd);
    if (s.focused && !s.dropped) {
        FillSolidRect(dc, &text, kTheme.selection);
        SetTextColor(dc, kTheme.selectionText);
    }
    if (!IsWindowEnabled(hwnd))
        SetTextColor(dc, kTheme.grayText);
    if (s.selected < 0)
        return;
    const std::wstring& item = s.items[size_t(s.selected)].text;
    ScopedFont scope(dc, s.font);
    SetBkMode(dc, TRANSPARENT);
    text.left += 2;
    DrawTextW(dc, item.c_str(), int(item.size()), &text,
              DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
}

LRESULT OnPaint(HWND hwnd, WPARAM, LPARAM) {
    PAINTSTRUCT ps{};
    HDC dc = BeginPaint(hwnd, &ps);
    if (dc == nullptr)
        return 0;
    RECT client{};
    GetClientRect(hwnd, &client);
    FillRect(dc, &client, ParentColours(hwnd, dc, WM_CTLCOLORLISTBOX));
    FrameRect(dc, &client, ThemeBrush(kTheme.edge));
    const RECT button{client.right - client.bottom + 1, 1, client.right - 1, client.bottom - 1};
    DrawThemeChevron(dc, (button.left + button.right) / 2, (button.top + button.bottom) / 2, true,
                     IsWindowEnabled(hwnd) ? GetTextColor(dc) : kTheme.grayText);
    DrawSelection(hwnd, dc, RECT{2, 2, button.left - 1, client.bottom - 2});
    EndPaint(hwnd, &ps);
    return 0;
}

LRESULT OnCreate(HWND hwnd, WPARAM, LPARAM lParam) {
    const auto* cs = reinterpret_cast<const CREATESTRUCTW*>(lParam);
    if (cs != nullptr)
        S(hwnd).listHeight = std::max(0, cs->cy - ClosedHeight(hwnd));
    Resize(hwnd);
    return 0;
}

LRESULT OnNcDestroy(HWND hwnd, WPARAM wParam, LPARAM lParam) {
    if (S(hwnd).list != nullptr)
        DestroyWindow(S(hwnd).list);
    return DeleteStateOf<ComboState>(hwnd, wParam, lParam);
}

// The box keeps one line's height; the rest of a height given is the list's.
LRESULT OnWindowPosChanging(HWND hwnd, WPARAM, LPARAM lParam) {
    auto* pos = reinterpret_cast<WINDOWPOS*>(lParam);
    if (pos == nullptr || (pos->flags & SWP_NOSIZE) != 0)
        return 0;
    const int closed = ClosedHeight(hwnd);
    if (pos->cy != closed) {
        S(hwnd).listHeight = std::max(ComboItemHeight(hwnd), pos->cy - closed);
        pos->cy = closed;
    }
    return 0;
}

LRESULT OnLButtonDown(HWND hwnd, WPARAM, LPARAM) {
    SetFocus(hwnd);
    if (S(hwnd).dropped)
        CloseComboList(hwnd, false);
    else
        OpenComboList(hwnd);
    return 0;
}

bool DroppedKey(HWND hwnd, UINT vk) {
    const ComboState& s = S(hwnd);
    switch (vk) {
        case VK_UP:
            MarkComboItem(hwnd, std::max(0, s.marked - 1));
            return true;
        case VK_DOWN:
            MarkComboItem(hwnd, std::min(int(s.items.size()) - 1, s.marked + 1));
            return true;
        case VK_RETURN:
        case VK_F4:
            CloseComboList(hwnd, true);
            return true;
        case VK_ESCAPE:
            CloseComboList(hwnd, false);
            return true;
        default:
            return false;
    }
}

LRESULT OnKeyDown(HWND hwnd, WPARAM wParam, LPARAM) {
    const UINT vk = UINT(wParam);
    if (S(hwnd).dropped) {
        DroppedKey(hwnd, vk);
        return 0;
    }
    const int selected = S(hwnd).selected;
    switch (vk) {
        case VK_UP:
        case VK_LEFT:
            Choose(hwnd, selected - 1);
            break;
        case VK_DOWN:
        case VK_RIGHT:
            Choose(hwnd, selected + 1);
            break;
        case VK_HOME:
            Choose(hwnd, 0);
            break;
        case VK_END:
            Choose(hwnd, int(S(hwnd).items.size()) - 1);
            break;
        case VK_F4:
            OpenComboList(hwnd);
            break;
        default:
            break;
    }
    return 0;
}

LRESULT OnSysKeyDown(HWND hwnd, WPARAM wParam, LPARAM lParam) {
    if (wParam != VK_DOWN && wParam != VK_UP)
        return DefWindowProc(hwnd, WM_SYSKEYDOWN, wParam, lParam);
    if (S(hwnd).dropped)
        CloseComboList(hwnd, true);
    else
        OpenComboList(hwnd);
    return 0;
}

LRESULT OnChar(HWND hwnd, WPARAM wParam, LPARAM) {
    const wchar_t prefix[] = {wchar_t(wParam), 0};
    if (prefix[0] < L' ')
        return 0;
    const LRESULT found =
        SendMessage(hwnd, CB_FINDSTRING, WPARAM(S(hwnd).selected), LPARAM(prefix));
    if (found == CB_ERR)
        return 0;
    if (S(hwnd).dropped)
        MarkComboItem(hwnd, int(found));
    else
        Choose(hwnd, int(found));
    return 0;
}

LRESULT OnMouseWheel(HWND hwnd, WPARAM wParam, LPARAM) {
    const int step = GET_WHEEL_DELTA_WPARAM(wParam) > 0 ? -1 : 1;
    if (S(hwnd).dropped)
        MarkComboItem(hwnd, std::clamp(S(hwnd).marked + step, 0, int(S(hwnd).items.size()) - 1));
    else
        Choose(hwnd, S(hwnd).selected + step);
    return 0;
}

LRESULT OnFocus(HWND hwnd, bool on) {
    S(hwnd).focused = on;
    if (!on)
        CloseComboList(hwnd, false);
    InvalidateRect(hwnd, nullptr, FALSE);
    CommandParent(hwnd, on ? CBN_SETFOCUS : CBN_KILLFOCUS);
    return 0;
}

LRESULT OnSetFocus(HWND hwnd, WPARAM, LPARAM) {
    return OnFocus(hwnd, true);
}

LRESULT OnKillFocus(HWND hwnd, WPARAM, LPARAM) {
    return OnFocus(hwnd, false);
}

LRESULT OnShowDropDown(HWND hwnd, WPARAM wParam, LPARAM) {
    if (wParam != 0)
        OpenComboList(hwnd);
    else
        CloseComboList(hwnd, false);
    return TRUE;
}

LRESULT OnGetDroppedState(HWND hwnd, WPARAM, LPARAM) {
    return S(hwnd).dropped ? TRUE : FALSE;
}

LRESULT OnGetText(HWND hwnd, WPARAM wParam, LPARAM lParam) {
    const ComboState& s = S(hwnd);
    auto* buffer = reinterpret_cast<wchar_t*>(lParam);
    if (buffer == nullptr || wParam == 0)
        return 0;
    const std::wstring text = s.selected >= 0 ? s.items[size_t(s.selected)].text : L"";
    const size_t n = std::min(text.size(), size_t(wParam) - 1);
    text.copy(buffer, n);
    buffer[n] = 0;
    return LRESULT(n);
}

LRESULT OnGetTextLength(HWND hwnd, WPARAM, LPARAM) {
    const ComboState& s = S(hwnd);
    return s.selected >= 0 ? LRESULT(s.items[size_t(s.selected)].text.size()) : 0;
}

LRESULT OnSetFont(HWND hwnd, WPARAM wParam, LPARAM lParam) {
    S(hwnd).font = HFONT(wParam);
    Resize(hwnd);
    if (lParam != 0)
        InvalidateRect(hwnd, nullptr, FALSE);
    return 0;
}

LRESULT OnGetDlgCode(HWND hwnd, WPARAM, LPARAM) {
    return DLGC_WANTARROWS | DLGC_WANTCHARS | (S(hwnd).dropped ? DLGC_WANTALLKEYS : 0);
}

LRESULT OnEnable(HWND hwnd, WPARAM, LPARAM) {
    InvalidateRect(hwnd, nullptr, FALSE);
    return 0;
}

constexpr std::array kTable = {
    ControlEntry{WM_NCCREATE, CreateStateFor<ComboState>},
    ControlEntry{WM_NCDESTROY, OnNcDestroy},
    ControlEntry{WM_CREATE, OnCreate},
    ControlEntry{WM_WINDOWPOSCHANGING, OnWindowPosChanging},
    ControlEntry{WM_PAINT, OnPaint},
    ControlEntry{WM_ERASEBKGND, PaintFillsBackground},
    ControlEntry{WM_LBUTTONDOWN, OnLButtonDown},
    ControlEntry{WM_LBUTTONDBLCLK, OnLButtonDown},
    ControlEntry{WM_KEYDOWN, OnKeyDown},
    ControlEntry{WM_SYSKEYDOWN, OnSysKeyDown},
    ControlEntry{WM_CHAR, OnChar},
    ControlEntry{WM_MOUSEWHEEL, OnMouseWheel},
    ControlEntry{WM_SETFOCUS, OnSetFocus},
    ControlEntry{WM_KILLFOCUS, OnKillFocus},
    ControlEntry{CB_SHOWDROPDOWN, OnShowDropDown},
    ControlEntry{CB_GETDROPPEDSTATE, OnGetDroppedState},
    ControlEntry{WM_GETTEXT, OnGetText},
    ControlEntry{WM_GETTEXTLENGTH, OnGetTextLength},
    ControlEntry{WM_SETFONT, OnSetFont},
    ControlEntry{WM_GETFONT, GetStateFont<ComboState>},
    ControlEntry{WM_GETDLGCODE, OnGetDlgCode},
    ControlEntry{WM_ENABLE, OnEnable},
};

}  // namespace

ComboState& ComboStateOf(HWND combo) {
    return *StateOf<ComboState>(combo);
}

int ComboItemHeight(HWND combo) {
    return FontHeight(ComboStateOf(combo).font) + 2;
}

LRESULT ComboBoxWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message != WM_NCCREATE && StateOf<ComboState>(hwnd) == nullptr)
        return DefWindowProc(hwnd, message, wParam, lParam);
    LRESULT result = 0;
    if (HandleComboItemMessage(hwnd, message, wParam, lParam, &result))
        return result;
    return RouteControlMessage(kTable, hwnd, message, wParam, lParam);
}
