// A dialog as the program describes it: the dialog window and its controls,
// placed in dialog units (a quarter of the dialog font's average character
// width horizontally, an eighth of its height vertically). The size is the
// client area's.
#pragma once

#include <string>
#include <vector>

#include "platform/user/UserTypes.h"

struct DialogItemTemplate {
    std::wstring className;  // "Button", "Static", or any registered class
    std::wstring text;
    int id = 0;
    DWORD style = 0;  // WS_CHILD is implied
    DWORD exStyle = 0;
    short x = 0, y = 0, cx = 0, cy = 0;
};

struct DialogTemplate {
    DWORD style = 0;  // window and DS_* styles; DS_MODALFRAME gives a dialog frame
    DWORD exStyle = 0;
    short x = 0, y = 0, cx = 0, cy = 0;
    std::wstring title;
    std::wstring fontFace = L"MS Shell Dlg";
    int pointSize = 8;
    std::vector<DialogItemTemplate> items;
};
