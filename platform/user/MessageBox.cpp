#include "platform/user/MessageBox.h"

#include <algorithm>
#include <mutex>
#include <vector>

#include "platform/gdi/Gdi.h"
#include "platform/user/Dialogs.h"
#include "platform/user/Focus.h"
#include "platform/user/MessageQueue.h"
#include "platform/user/Messaging.h"
#include "platform/user/WindowApi.h"

namespace {

constexpr UINT kAskHook = WM_USER + 0x50;
constexpr int kTextId = 0xFFFF;
constexpr int kIconId = 0xFFFE;
constexpr int kMargin = 7;  // dialog units
constexpr int kButtonWidth = 50, kButtonHeight = 14, kButtonGap = 4, kIconSize = 20;
constexpr int kMaxTextWidth = 420;  // pixels

std::mutex g_hookMutex;
MessageBoxHook g_hook;  // guarded by g_hookMutex

struct Button {
    int id;
    const wchar_t* text;
};

std::vector<Button> ButtonsOf(UINT type) {
    switch (type & MB_TYPEMASK) {
        case MB_OKCANCEL:
            return {{IDOK, L"OK"}, {IDCANCEL, L"Cancel"}};
        case MB_ABORTRETRYIGNORE:
            return {{IDABORT, L"&Abort"}, {IDRETRY, L"&Retry"}, {IDIGNORE, L"&Ignore"}};
        case MB_YESNOCANCEL:
            return {{IDYES, L"&Yes"}, {IDNO, L"&No"}, {IDCANCEL, L"Cancel"}};
        case MB_YESNO:
            return {{IDYES, L"&Yes"}, {IDNO, L"&No"}};
        case MB_RETRYCANCEL:
            return {{IDRETRY, L"&Retry"}, {IDCANCEL, L"Cancel"}};
        default:
            return {{IDOK, L"OK"}};
    }
}

size_t DefaultIndex(UINT type) {
    return std::min<size_t>((type & MB_DEFMASK) >> 8, ButtonsOf(type).size() - 1);
}

// The text's size in dialog units of the standard dialog font (6 x 13).
SIZE TextSize(const std::wstring& text) {
    HDC dc = CreateCompatibleDC(nullptr);
    HFONT font = CreateFontW(-MulDiv(8, 96, 72), 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, 0, 0,
                             0, 0, L"MS Shell Dlg");
    HGDIOBJ old = SelectObject(dc, font);
    RECT r{0, 0, kMaxTextWidth, 0};
    DrawTextW(dc, text.c_str(), int(text.size()), &r, DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX);
    SelectObject(dc, old);
    DeleteObject(font);
    DeleteDC(dc);
    return SIZE{(r.right * 4 + 5) / 6 + 1, std::max<LONG>((r.bottom * 8 + 12) / 13, 8)};
}

DialogTemplate BoxTemplate(const std::wstring& text, const std::wstring& caption, UINT type) {
    const std::vector<Button> buttons = ButtonsOf(type);
    const bool icon = (type & MB_ICONMASK) != 0;
    const SIZE textSize = TextSize(text);
    const int textLeft = kMargin + (icon ? kIconSize + kMargin : 0);
    const int buttonsWidth = int(buttons.size()) * (kButtonWidth + kButtonGap) - kButtonGap;
    const int width =
        std::max({int(textLeft + textSize.cx + kMargin), buttonsWidth + 2 * kMargin, 100});
    const int bodyHeight = std::max<int>(textSize.cy, icon ? kIconSize : 0);
    DialogTemplate t;
    t.style = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_CENTER;
    t.exStyle = (type & MB_TOPMOST) != 0 ? WS_EX_TOPMOST : 0;
    t.cx = short(width);
    t.cy = short(kMargin + bodyHeight + kMargin + kButtonHeight + kMargin);
    t.title = caption;
    if (icon)
        t.items.push_back(DialogItemTemplate{L"Static", L"", kIconId, WS_VISIBLE | SS_OWNERDRAW, 0,
                                             short(kMargin), short(kMargin), short(kIconSize),
                                             short(kIconSize)});
    t.items.push_back(DialogItemTemplate{L"Static", text, kTextId,
                                         WS_VISIBLE | SS_LEFT | SS_NOPREFIX, 0, short(textLeft),
                                         short(kMargin), short(textSize.cx), short(textSize.cy)});
    const size_t defaultIndex = DefaultIndex(type);
    int x = (width - buttonsWidth) / 2;
    for (size_t i = 0; i < buttons.size(); ++i, x += kButtonWidth + kButtonGap)
        t.items.push_back(DialogItemTemplate{
            L"Button", buttons[i].text, buttons[i].id,
            WS_VISIBLE | WS_TABSTOP | (i == defaultIndex ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON), 0,
            short(x), short(kMargin + bodyHeight + kMargin), short(kButtonWidth),
            short(kButtonHeight)});
    return t;
}

struct BoxState {
    MessageBoxRequest request;
    int defaultId;
};

BoxState* StateOf(HWND box) {
    return reinterpret_cast<BoxState*>(GetWindowLongPtr(box, DWLP_USER));
}

// A coloured disc with the kind's letter.
void DrawIcon(const DRAWITEMSTRUCT& dis, UINT type) {
    const UINT kind = type & MB_ICONMASK;
    const COLORREF colour = kind == MB_ICONHAND          ? RGB(200, 30, 30)
                            : kind == MB_ICONEXCLAMATION ? RGB(230, 180, 0)
                                                         : RGB(30, 90, 200);
    const wchar_t* glyph = kind == MB_ICONHAND          ? L"X"
                           : kind == MB_ICONEXCLAMATION ? L"!"
                           : kind == MB_ICONQUESTION    ? L"?"
                                                        : L"i";
    HBRUSH brush = CreateSolidBrush(colour);
    HPEN pen = CreatePen(PS_SOLID, 1, colour);
    HGDIOBJ oldBrush = SelectObject(dis.hDC, brush);
    HGDIOBJ oldPen = SelectObject(dis.hDC, pen);
    const RECT& r = dis.rcItem;
    Ellipse(dis.hDC, r.left, r.top, r.right, r.bottom);
    SelectObject(dis.hDC, oldBrush);
    SelectObject(dis.hDC, oldPen);
    DeleteObject(brush);
    DeleteObject(pen);
    SetBkMode(dis.hDC, TRANSPARENT);
    SetTextColor(dis.hDC, RGB(255, 255, 255));
    RECT text = r;
    DrawTextW(dis.hDC, glyph, 1, &text, DT_SINGLELINE | DT_CENTER | DT_VCENTER);
}

void AskHook(HWND box) {
    MessageBoxHook hook;
    {
        std::lock_guard lock(g_hookMutex);
        hook = g_hook;
    }
    const int answer = hook ? hook(StateOf(box)->request) : 0;
    HWND button = answer != 0 ? GetDlgItem(box, answer) : nullptr;
    if (button != nullptr && answer != kTextId && answer != kIconId)
        SendMessage(button, BM_CLICK, 0, 0);
}

// Escape and the close box come as IDCANCEL: they end a box that has Cancel,
// or whose only button is OK, and do nothing otherwise.
void OnCommand(HWND box, int id) {
    if (id == IDCANCEL && GetDlgItem(box, IDCANCEL) == nullptr) {
        if (GetDlgItem(box, IDOK) == nullptr || GetDlgItem(box, IDYES) != nullptr)
            return;
        id = IDOK;
    }
    if (GetDlgItem(box, id) != nullptr)
        EndDialog(box, id);
}

intptr_t BoxProc(HWND box, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_INITDIALOG: {
            SetWindowLongPtr(box, DWLP_USER, lParam);
            BoxState* state = reinterpret_cast<BoxState*>(lParam);
            state->request.box = box;
            SetFocus(GetDlgItem(box, state->defaultId));
            SendMessage(box, DM_SETDEFID, WPARAM(state->defaultId), 0);
            PostMessage(box, kAskHook, 0, 0);
            return FALSE;
        }
        case kAskHook:
            AskHook(box);
            return TRUE;
        case WM_DRAWITEM:
            DrawIcon(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam), StateOf(box)->request.type);
            return TRUE;
        case WM_COMMAND:
            OnCommand(box, LOWORD(wParam));
            return TRUE;
        default:
            return FALSE;
    }
}

bool OwnedByThisThread(HWND hwnd) {
    return hwnd != nullptr && GetWindowThreadProcessId(hwnd, nullptr) == GetCurrentThreadId();
}

}  // namespace

int MessageBoxW(HWND owner, const wchar_t* text, const wchar_t* caption, UINT type) {
    BoxState state{MessageBoxRequest{nullptr, text != nullptr ? text : L"",
                                     caption != nullptr ? caption : L"Error", type},
                   ButtonsOf(type)[DefaultIndex(type)].id};
    const DialogTemplate t = BoxTemplate(state.request.text, state.request.caption, type);
    HWND parent = OwnedByThisThread(owner) ? owner : nullptr;
    const intptr_t result = DialogBoxIndirectParamW(nullptr, &t, parent, BoxProc, LPARAM(&state));
    return result > 0 ? int(result) : 0;
}

void SetMessageBoxHook(MessageBoxHook hook) {
    std::lock_guard lock(g_hookMutex);
    g_hook = std::move(hook);
}
