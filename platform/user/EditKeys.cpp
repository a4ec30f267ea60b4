// The edit control's keyboard and clipboard: typing, moving the caret,
// deleting, and copying, cutting and pasting through the clipboard.
#include "platform/gdi/Gdi.h"
#include "platform/user/Clipboard.h"
#include "platform/user/EditControl.h"
#include "platform/user/EditState.h"
#include "platform/user/Input.h"

namespace {

bool Down(UINT vk) {
    return (GetKeyState(int(vk)) & 0x8000) != 0;
}

DWORD StyleOf(HWND hwnd) {
    return DWORD(GetWindowLongPtr(hwnd, GWL_STYLE));
}

}  // namespace

LRESULT EditOnChar(HWND hwnd, WPARAM wParam, LPARAM) {
    const wchar_t c = wchar_t(wParam);
    if (EditIsReadOnly(hwnd) || Down(VK_CONTROL))
        return 0;
    EditText& e = EditStateOf(hwnd).edit;
    if (c == 0x08) {
        if (!e.HasSelection() && e.caret > 0)
            e.MoveTo(e.caret - 1, true);
        if (e.HasSelection())
            EditInsert(hwnd, L"");
        return 0;
    }
    if (c < 0x20 || ((StyleOf(hwnd) & ES_NUMBER) != 0 && (c < L'0' || c > L'9')))
        return 0;
    EditInsert(hwnd, std::wstring(1, c));
    return 0;
}

LRESULT EditOnCopy(HWND hwnd, WPARAM, LPARAM) {
    if (EditStateOf(hwnd).edit.HasSelection() && (StyleOf(hwnd) & ES_PASSWORD) == 0)
        SetClipboardText(EditStateOf(hwnd).edit.Selected());
    return 0;
}

LRESULT EditOnClear(HWND hwnd, WPARAM, LPARAM) {
    if (!EditIsReadOnly(hwnd) && EditStateOf(hwnd).edit.HasSelection())
        EditInsert(hwnd, L"");
    return 0;
}

LRESULT EditOnCut(HWND hwnd, WPARAM, LPARAM) {
    EditOnCopy(hwnd, 0, 0);
    return EditOnClear(hwnd, 0, 0);
}

LRESULT EditOnPaste(HWND hwnd, WPARAM, LPARAM) {
    const std::wstring text = GetClipboardText();
    if (!EditIsReadOnly(hwnd) && !text.empty())
        EditInsert(hwnd, text.substr(0, text.find_first_of(L"\r\n")));
    return 0;
}

namespace {

bool ControlKey(HWND hwnd, UINT vk) {
    switch (vk) {
        case 'A':
            EditStateOf(hwnd).edit.Select(0, -1);
            EditChanged(hwnd, false);
            return true;
        case 'C':
            EditOnCopy(hwnd, 0, 0);
            return true;
        case 'X':
            EditOnCut(hwnd, 0, 0);
            return true;
        case 'V':
            EditOnPaste(hwnd, 0, 0);
            return true;
        default:
            return false;
    }
}

}  // namespace

LRESULT EditOnKeyDown(HWND hwnd, WPARAM wParam, LPARAM) {
    const UINT vk = UINT(wParam);
    if (Down(VK_CONTROL) && ControlKey(hwnd, vk))
        return 0;
    EditText& e = EditStateOf(hwnd).edit;
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
            if (EditIsReadOnly(hwnd))
                return 0;
            if (!e.HasSelection())
                e.MoveTo(e.caret + 1, true);
            if (e.HasSelection())
                EditInsert(hwnd, L"");
            return 0;
        default:
            return 0;
    }
    EditChanged(hwnd, false);
    return 0;
}
