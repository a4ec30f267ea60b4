#include "app/shell/FolderChooser.h"

bool ChooseFolder(HWND owner, const wchar_t* title, CString* path) {
    BROWSEINFOW info{};
    info.hwndOwner = owner;
    info.lpszTitle = title;
    info.ulFlags = BIF_EDITBOX;
    PIDLIST_ABSOLUTE chosen = SHBrowseForFolderW(&info);
    if (chosen == nullptr)
        return false;
    wchar_t buffer[MAX_PATH] = {};
    const bool named = SHGetPathFromIDListW(chosen, buffer) != FALSE;
    CoTaskMemFree(chosen);
    if (named)
        *path = buffer;
    return named;
}
