#include "platform/user/ControlSupport.h"

#include "platform/gdi/Gdi.h"
#include "platform/user/Messaging.h"
#include "platform/user/Painting.h"

void CommandParent(HWND control, UINT code) {
    SendMessage(GetParent(control), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(control), int(code)),
                LPARAM(control));
}

LRESULT NotifyParent(HWND control, NMHDR* header, UINT code) {
    header->hwndFrom = control;
    header->idFrom = UINT_PTR(GetDlgCtrlID(control));
    header->code = code;
    return SendMessage(GetParent(control), WM_NOTIFY, WPARAM(header->idFrom), LPARAM(header));
}

LRESULT NotifyParent(HWND control, UINT code) {
    NMHDR header{};
    return NotifyParent(control, &header, code);
}

std::wstring TextOf(HWND hwnd) {
    const int length = GetWindowTextLength(hwnd);
    std::wstring text(size_t(length) + 1, L'\0');
    GetWindowText(hwnd, text.data(), length + 1);
    text.resize(size_t(length));
    return text;
}

HBRUSH ParentColours(HWND control, HDC dc, UINT message) {
    HWND parent = GetParent(control);
    HBRUSH brush = parent != nullptr
                       ? HBRUSH(SendMessage(parent, message, WPARAM(dc), LPARAM(control)))
                       : nullptr;
    if (brush == nullptr)
        brush = HBRUSH(DefWindowProc(control, message, WPARAM(dc), LPARAM(control)));
    return brush;
}

ScopedFont::ScopedFont(HDC dc, HFONT font)
    : dc_(dc), old_(font != nullptr ? SelectObject(dc, font) : nullptr) {}

ScopedFont::~ScopedFont() {
    if (old_ != nullptr)
        SelectObject(dc_, old_);
}

int FontHeight(HFONT font) {
    HDC dc = GetDC(nullptr);
    TEXTMETRICW tm{};
    {
        ScopedFont scope(dc, font);
        GetTextMetricsW(dc, &tm);
    }
    ReleaseDC(nullptr, dc);
    return tm.tmHeight;
}
