#include "platform/user/Buttons.h"

#include "platform/user/Messaging.h"
#include "platform/user/WindowApi.h"

BOOL CheckDlgButton(HWND dialog, int id, UINT check) {
    HWND button = GetDlgItem(dialog, id);
    if (button == nullptr)
        return FALSE;
    SendMessage(button, BM_SETCHECK, check, 0);
    return TRUE;
}

UINT IsDlgButtonChecked(HWND dialog, int id) {
    HWND button = GetDlgItem(dialog, id);
    return button != nullptr ? UINT(SendMessage(button, BM_GETCHECK, 0, 0)) : BST_UNCHECKED;
}

BOOL CheckRadioButton(HWND dialog, int first, int last, int check) {
    if (dialog == nullptr)
        return FALSE;
    for (int id = first; id <= last; ++id) {
        if (HWND button = GetDlgItem(dialog, id))
            SendMessage(button, BM_SETCHECK, id == check ? BST_CHECKED : BST_UNCHECKED, 0);
    }
    return TRUE;
}
