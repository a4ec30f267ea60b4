// The system folder browser for the program's folder boxes: the chosen
// folder's path, with the browser's item list freed in one place.
// User-interface thread.
#pragma once

#include "platform/afx/String.h"
#include "platform/user/FolderBrowser.h"

// Shows the browser (path box allowed) with `title` over `owner` (null: no
// owner); true and the chosen folder's path in `*path` when one was chosen.
bool ChooseFolder(HWND owner, const wchar_t* title, CString* path);
