#include <algorithm>
#include <array>

#include "platform/gdi/Gdi.h"
#include "platform/user/DialogState.h"
#include "platform/user/Dialogs.h"
#include "platform/user/EditControl.h"
#include "platform/user/Focus.h"
#include "platform/user/Geometry.h"
#include "platform/user/Input.h"
#include "platform/user/Messaging.h"
#include "platform/user/SystemClasses.h"
#include "platform/user/Theme.h"
#include "platform/user/WindowApi.h"
#include "platform/user/WindowTable.h"

namespace {

constexpr WPARAM DC_HASDEFID = 0x534B;

using Handler = LRESULT (*)(HWND, WPARAM, LPARAM);

LRESULT OnNcDestroy(HWND hwnd, WPARAM, LPARAM) {
    HFONT font = nullptr;
    {
        std::lock_guard lock(UserMutex());
        Window* w = FindWindowLocked(hwnd);
        if (w != nullptr && w->dialog != nullptr)
            std::swap(font, w->dialog->font);
    }
    if (font != nullptr)
        DeleteObject(font);
    return 0;
}

LRESULT OnEraseBackground(HWND hwnd, WPARAM wParam, LPARAM) {
    HBRUSH brush = HBRUSH(SendMessage(hwnd, WM_CTLCOLORDLG, wParam, LPARAM(hwnd)));
    if (brush == nullptr)
        brush = ThemeBrush(kTheme.face);
    RECT r{};
    GetClientRect(hwnd, &r);
    FillRect(HDC(wParam), &r, brush);
    return 1;
}

LRESULT OnClose(HWND hwnd, WPARAM, LPARAM) {
    HWND cancel = GetDlgItem(hwnd, IDCANCEL);
    if (cancel != nullptr && !IsWindowEnabled(cancel))
        return 0;
    PostMessage(hwnd, WM_COMMAND, MAKEWPARAM(IDCANCEL, int(BN_CLICKED)), LPARAM(cancel));
    return 0;
}

LRESULT OnGetFont(HWND hwnd, WPARAM, LPARAM) {
    std::lock_guard lock(UserMutex());
    Window* w = FindWindowLocked(hwnd);
    return w != nullptr && w->dialog != nullptr ? LRESULT(w->dialog->font) : 0;
}

LRESULT OnGetDefId(HWND hwnd, WPARAM, LPARAM) {
    std::lock_guard lock(UserMutex());
    Window* w = FindWindowLocked(hwnd);
    if (w == nullptr || w->dialog == nullptr)
        return 0;
    return LRESULT(MAKELPARAM(w->dialog->defaultId, int(DC_HASDEFID)));
}

LRESULT OnSetDefId(HWND hwnd, WPARAM wParam, LPARAM) {
    std::lock_guard lock(UserMutex());
    Window* w = FindWindowLocked(hwnd);
    if (w == nullptr || w->dialog == nullptr)
        return FALSE;
    w->dialog->defaultId = int(wParam);
    return TRUE;
}

LRESULT OnActivate(HWND hwnd, WPARAM wParam, LPARAM) {
    if (LOWORD(wParam) == WA_INACTIVE)
        return 0;
    HWND focus = GetFocus();
    if (focus != nullptr && IsChild(hwnd, focus))
        return 0;
    HWND first = GetNextDlgTabItem(hwnd, nullptr, FALSE);
    SetFocus(first != nullptr ? first : hwnd);
    return 0;
}

struct Entry {
    UINT message;
    Handler handler;
};

constexpr std::array kTable = {
    Entry{WM_NCDESTROY, OnNcDestroy}, Entry{WM_ERASEBKGND, OnEraseBackground},
    Entry{WM_CLOSE, OnClose},         Entry{WM_GETFONT, OnGetFont},
    Entry{DM_GETDEFID, OnGetDefId},   Entry{DM_SETDEFID, OnSetDefId},
    Entry{WM_ACTIVATE, OnActivate},
};

// Messages whose dialog-procedure answer is the result itself, not DWLP_MSGRESULT.
bool AnswersDirectly(UINT message) {
    return message == WM_INITDIALOG || message == WM_QUERYDRAGICON ||
           (message >= WM_CTLCOLORMSGBOX && message <= WM_CTLCOLORSTATIC);
}

}  // namespace

LRESULT DefDlgProcW(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE)
        InstallDialogState(hwnd, lParam);
    auto proc = reinterpret_cast<DLGPROC>(GetWindowLongPtr(hwnd, DWLP_DLGPROC));
    if (proc != nullptr) {
        SetWindowLongPtr(hwnd, DWLP_MSGRESULT, 0);
        const intptr_t handled = proc(hwnd, message, wParam, lParam);
        if (handled != 0) {
            return AnswersDirectly(message) ? LRESULT(handled)
                                            : GetWindowLongPtr(hwnd, DWLP_MSGRESULT);
        }
    }
    for (const Entry& e : kTable) {
        if (e.message == message)
            return e.handler(hwnd, wParam, lParam);
    }
    return DefWindowProc(hwnd, message, wParam, lParam);
}

namespace {

bool IsTabStop(HWND h) {
    const LONG_PTR style = GetWindowLongPtr(h, GWL_STYLE);
    // The controls' own styles count: the dialog itself may still be hidden.
    return (style & (WS_TABSTOP | WS_VISIBLE | WS_DISABLED)) == (WS_TABSTOP | WS_VISIBLE);
}

}  // namespace

HWND GetNextDlgTabItem(HWND dialog, HWND control, BOOL previous) {
    std::vector<HWND> stops;
    for (HWND h = GetWindow(dialog, GW_CHILD); h != nullptr; h = GetWindow(h, GW_HWNDNEXT)) {
        if (IsTabStop(h) || h == control)
            stops.push_back(h);
    }
    if (stops.empty())
        return nullptr;
    auto it = std::find(stops.begin(), stops.end(), control);
    if (it == stops.end())
        return previous ? stops.back() : stops.front();
    const size_t i = size_t(it - stops.begin());
    for (size_t step = 1; step <= stops.size(); ++step) {
        const size_t j =
            previous ? (i + stops.size() - step) % stops.size() : (i + step) % stops.size();
        if (IsTabStop(stops[j]))
            return stops[j];
    }
    return nullptr;
}

namespace {

int DefaultButtonId(HWND dialog) {
    HWND focus = GetFocus();
    if (focus != nullptr && IsChild(dialog, focus) &&
        (SendMessage(focus, WM_GETDLGCODE, 0, 0) & (DLGC_DEFPUSHBUTTON | DLGC_UNDEFPUSHBUTTON)) !=
            0)
        return GetDlgCtrlID(focus);
    const LRESULT def = SendMessage(dialog, DM_GETDEFID, 0, 0);
    return HIWORD(uintptr_t(def)) == DC_HASDEFID ? LOWORD(uintptr_t(def)) : IDOK;
}

void Command(HWND dialog, int id) {
    HWND control = GetDlgItem(dialog, id);
    if (control != nullptr && !IsWindowEnabled(control))
        return;
    SendMessage(dialog, WM_COMMAND, MAKEWPARAM(id, int(BN_CLICKED)), LPARAM(control));
}

// Keys the dialog takes for itself; false lets the key through to the control.
bool DialogKey(HWND dialog, const MSG* msg) {
    if (msg->message != WM_KEYDOWN)
        return false;
    const LRESULT code = SendMessage(msg->hwnd, WM_GETDLGCODE, msg->wParam, LPARAM(msg));
    if ((code & DLGC_WANTALLKEYS) != 0)
        return false;
    switch (msg->wParam) {
        case VK_RETURN:
            Command(dialog, DefaultButtonId(dialog));
            return true;
        case VK_ESCAPE:
            Command(dialog, IDCANCEL);
            return true;
        case VK_TAB: {
            if ((code & DLGC_WANTTAB) != 0)
                return false;
            const bool back = (GetKeyState(VK_SHIFT) & 0x8000) != 0;
            if (HWND next = GetNextDlgTabItem(dialog, GetFocus(), back ? TRUE : FALSE)) {
                SetFocus(next);
                // A field reached by Tab is selected whole, ready to be typed over.
                if ((SendMessage(next, WM_GETDLGCODE, 0, 0) & DLGC_HASSETSEL) != 0)
                    SendMessage(next, EM_SETSEL, 0, -1);
            }
            return true;
        }
        default:
            return false;
    }
}

}  // namespace

BOOL IsDialogMessageW(HWND dialog, MSG* msg) {
    if (msg == nullptr || dialog == nullptr)
        return FALSE;
    if (msg->hwnd != dialog && !IsChild(dialog, msg->hwnd))
        return FALSE;
    if (!DialogKey(dialog, msg)) {
        TranslateMessage(msg);
        DispatchMessage(msg);
    }
    return TRUE;
}
