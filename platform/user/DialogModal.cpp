#include <cwctype>
#include <limits>
#include <string>
#include <vector>

#include "platform/user/DialogState.h"
#include "platform/user/Dialogs.h"
#include "platform/user/Messaging.h"
#include "platform/user/Resources.h"
#include "platform/user/WindowApi.h"
#include "platform/user/WindowTable.h"

namespace {

// The owner a modal dialog disables: the top-level window of the parent.
HWND ModalOwner(HWND parent) {
    return parent != nullptr ? GetAncestor(parent, GA_ROOT) : nullptr;
}

intptr_t RunModal(HWND dialog) {
    MSG msg{};
    intptr_t result = 0;
    while (IsWindow(dialog) && !HasDialogEnded(dialog, &result)) {
        if (!GetMessage(&msg, nullptr, 0, 0)) {
            PostQuitMessage(int(msg.wParam));  // for the loop outside
            break;
        }
        if (!IsDialogMessageW(dialog, &msg)) {
            TranslateMessage(&msg);
            DispatchMessage(&msg);
        }
    }
    return result;
}

void MarkModal(HWND dialog) {
    std::lock_guard lock(UserMutex());
    if (Window* w = FindWindowLocked(dialog); w != nullptr && w->dialog != nullptr)
        w->dialog->modal = true;
}

// The modal dialogs `owner` owns that have not ended, of any thread. Lock held.
std::vector<HWND> OwnedModalsLocked(HWND owner) {
    std::vector<HWND> out;
    for (HWND h : WindowTable::Instance().TopLevels()) {
        Window* w = FindWindowLocked(h);
        if (w != nullptr && w->owner == owner && w->dialog != nullptr && w->dialog->modal &&
            !w->dialog->ended)
            out.push_back(h);
    }
    return out;
}

// Ends a modal dialog whose owner ended, with what its close box gives, and
// wakes its loop, which destroys it; so does every modal dialog it owns.
void EndOwnedModal(HWND dialog) {
    std::vector<HWND> owned;
    {
        std::lock_guard lock(UserMutex());
        Window* w = FindWindowLocked(dialog);
        if (w == nullptr || w->dialog == nullptr || w->dialog->ended)
            return;
        w->dialog->ended = true;
        w->dialog->result = IDCANCEL;
        owned = OwnedModalsLocked(dialog);
    }
    for (HWND o : owned)
        EndOwnedModal(o);
    PostMessage(dialog, WM_NULL, 0, 0);
}

}  // namespace

intptr_t DialogBoxIndirectParamW(HINSTANCE instance, const DialogTemplate* t, HWND parent,
                                 DLGPROC proc, LPARAM initParam) {
    HWND owner = ModalOwner(parent);
    const bool disabled = owner != nullptr && EnableWindow(owner, FALSE) == FALSE;
    HWND dialog = CreateDialogIndirectParamW(instance, t, parent, proc, initParam);
    intptr_t result = -1;
    if (dialog != nullptr) {
        MarkModal(dialog);
        if (!HasDialogEnded(dialog, &result))
            ShowWindow(dialog, SW_SHOWNORMAL);
        result = RunModal(dialog);
    }
    // The owner comes back before the dialog goes, so that it takes the activation.
    if (disabled)
        EnableWindow(owner, TRUE);
    if (dialog != nullptr)
        DestroyWindow(dialog);
    return result;
}

intptr_t DialogBoxParamW(HINSTANCE instance, const wchar_t* name, HWND parent, DLGPROC proc,
                         LPARAM initParam) {
    return DialogBoxIndirectParamW(instance, FindDialogResource(name), parent, proc, initParam);
}

// The modal dialogs the dialog owns end with it (a message box left open
// over a window that has gone would stand alone on the screen).
BOOL EndDialog(HWND dialog, intptr_t result) {
    std::vector<HWND> owned;
    {
        std::lock_guard lock(UserMutex());
        Window* w = FindWindowLocked(dialog);
        if (w == nullptr || w->dialog == nullptr)
            return FALSE;
        w->dialog->ended = true;
        w->dialog->result = result;
        owned = OwnedModalsLocked(dialog);
    }
    for (HWND o : owned)
        EndOwnedModal(o);
    ShowWindow(dialog, SW_HIDE);
    PostMessage(dialog, WM_NULL, 0, 0);  // wakes the modal loop
    return TRUE;
}

BOOL HasDialogEnded(HWND dialog, intptr_t* result) {
    std::lock_guard lock(UserMutex());
    Window* w = FindWindowLocked(dialog);
    if (w == nullptr || w->dialog == nullptr || !w->dialog->ended)
        return FALSE;
    if (result != nullptr)
        *result = w->dialog->result;
    return TRUE;
}

BOOL MapDialogRect(HWND dialog, RECT* rect) {
    if (rect == nullptr)
        return FALSE;
    int bx = 0;
    int by = 0;
    {
        std::lock_guard lock(UserMutex());
        Window* w = FindWindowLocked(dialog);
        if (w == nullptr || w->dialog == nullptr)
            return FALSE;
        bx = w->dialog->baseUnitX;
        by = w->dialog->baseUnitY;
    }
    *rect =
        RECT{rect->left * bx / 4, rect->top * by / 8, rect->right * bx / 4, rect->bottom * by / 8};
    return TRUE;
}

LONG GetDialogBaseUnits() {
    return LONG(MAKELPARAM(6, 13));
}

UINT GetDlgItemInt(HWND dialog, int id, BOOL* translated, BOOL isSigned) {
    if (translated != nullptr)
        *translated = FALSE;
    wchar_t buffer[64] = {};
    if (GetDlgItemTextW(dialog, id, buffer, 64) == 0)
        return 0;
    const wchar_t* p = buffer;
    while (std::iswspace(wint_t(*p)))
        ++p;
    const bool negative = isSigned && *p == L'-';
    if (negative)
        ++p;
    long long value = 0;
    const wchar_t* digits = p;
    const long long limit = isSigned ? (negative ? 2147483648LL : 2147483647LL) : 4294967295LL;
    for (; *p >= L'0' && *p <= L'9'; ++p) {
        value = value * 10 + (*p - L'0');
        if (value > limit)
            return 0;
    }
    while (std::iswspace(wint_t(*p)))
        ++p;
    if (p == digits || *p != 0)
        return 0;
    if (translated != nullptr)
        *translated = TRUE;
    return UINT(negative ? -value : value);
}

BOOL SetDlgItemInt(HWND dialog, int id, UINT value, BOOL isSigned) {
    const std::wstring text = isSigned ? std::to_wstring(int(value)) : std::to_wstring(value);
    return SetDlgItemTextW(dialog, id, text.c_str());
}

BOOL SetDlgItemTextW(HWND dialog, int id, const wchar_t* text) {
    HWND control = GetDlgItem(dialog, id);
    return control != nullptr ? SetWindowTextW(control, text) : FALSE;
}

UINT GetDlgItemTextW(HWND dialog, int id, wchar_t* buffer, int size) {
    HWND control = GetDlgItem(dialog, id);
    if (control == nullptr) {
        if (buffer != nullptr && size > 0)
            buffer[0] = 0;
        return 0;
    }
    return UINT(GetWindowTextW(control, buffer, size));
}

LRESULT SendDlgItemMessageW(HWND dialog, int id, UINT message, WPARAM wParam, LPARAM lParam) {
    HWND control = GetDlgItem(dialog, id);
    return control != nullptr ? SendMessage(control, message, wParam, lParam) : 0;
}
