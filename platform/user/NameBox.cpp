#include <string>

#include "platform/gdi/Gdi.h"
#include "platform/user/CommonDialogControls.h"
#include "platform/user/Focus.h"
#include "platform/user/Geometry.h"
#include "platform/user/Messaging.h"
#include "platform/user/Painting.h"
#include "platform/user/WindowApi.h"

namespace {

constexpr int kFontSlot = 0;
constexpr LRESULT kWantCharacters = 0x0080;  // DLGC_WANTCHARS

std::wstring TextOf(HWND hwnd) {
    std::wstring text(size_t(GetWindowTextLengthW(hwnd)) + 1, L'\0');
    text.resize(size_t(GetWindowTextW(hwnd, text.data(), int(text.size()))));
    return text;
}

void OnChar(HWND hwnd, wchar_t c) {
    std::wstring text = TextOf(hwnd);
    if (c == L'\b') {
        if (!text.empty())
            text.pop_back();
    } else if (c >= L' ') {
        text += c;
    } else {
        return;
    }
    SetWindowTextW(hwnd, text.c_str());
}

void Paint(HWND hwnd) {
    PAINTSTRUCT ps{};
    HDC dc = BeginPaint(hwnd, &ps);
    RECT r{};
    GetClientRect(hwnd, &r);
    FillRect(dc, &r, GetSysColorBrush(COLOR_WINDOW));
    FrameRect(dc, &r, GetSysColorBrush(COLOR_BTNSHADOW));
    HGDIOBJ font = HGDIOBJ(GetWindowLongPtr(hwnd, kFontSlot));
    HGDIOBJ old = font != nullptr ? SelectObject(dc, font) : nullptr;
    const std::wstring text = TextOf(hwnd);
    RECT inner{r.left + 3, r.top, r.right - 3, r.bottom};
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
    DrawTextW(dc, text.c_str(), int(text.size()), &inner, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
    if (GetFocus() == hwnd) {
        SIZE extent{};
        GetTextExtentPoint32W(dc, text.c_str(), int(text.size()), &extent);
        RECT caret{inner.left + extent.cx, r.top + 3, inner.left + extent.cx + 1, r.bottom - 3};
        FillRect(dc, &caret, GetSysColorBrush(COLOR_WINDOWTEXT));
    }
    if (old != nullptr)
        SelectObject(dc, old);
    EndPaint(hwnd, &ps);
}

}  // namespace

LRESULT NameBoxWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_CHAR:
            OnChar(hwnd, wchar_t(wParam));
            return 0;
        case WM_GETDLGCODE:
            return kWantCharacters;
        case WM_LBUTTONDOWN:
            SetFocus(hwnd);
            return 0;
        case WM_SETFOCUS:
        case WM_KILLFOCUS:
            InvalidateRect(hwnd, nullptr, FALSE);
            return 0;
        case WM_SETTEXT: {
            const LRESULT result = DefWindowProc(hwnd, message, wParam, lParam);
            InvalidateRect(hwnd, nullptr, FALSE);
            return result;
        }
        case WM_SETFONT:
            SetWindowLongPtr(hwnd, kFontSlot, LONG_PTR(wParam));
            return 0;
        case WM_GETFONT:
            return GetWindowLongPtr(hwnd, kFontSlot);
        case WM_PAINT:
            Paint(hwnd);
            return 0;
        case WM_ERASEBKGND:
            return 1;
        default:
            return DefWindowProc(hwnd, message, wParam, lParam);
    }
}
