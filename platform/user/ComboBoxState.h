// Inside the window system: the state of a drop-list combo box, shared by
// the box (ComboBoxControl.cpp, ComboBoxItems.cpp) and its dropped list
// (ComboListPopup.cpp). Used on the combo box's thread only.
#pragma once

#include <string>
#include <vector>

#include "platform/user/UserTypes.h"

struct ComboItem {
    std::wstring text;
    LPARAM data = 0;
};

struct ComboState {
    std::vector<ComboItem> items;
    int selected = -1;
    int marked = -1;  // the item marked in the dropped list
    int top = 0;      // first item the dropped list shows
    int listHeight = 100;
    HFONT font = nullptr;
    HWND list = nullptr;  // the dropped list's popup, made on first use
    bool dropped = false;
    bool focused = false;
};

ComboState& ComboStateOf(HWND combo);
int ComboItemHeight(HWND combo);
void OpenComboList(HWND combo);
// Closes the dropped list; `choose` makes the marked item the selection.
void CloseComboList(HWND combo, bool choose);
// The dropped list shows `items` rows; marking keeps the marked one in sight.
int ComboVisibleRows(HWND combo);
void MarkComboItem(HWND combo, int index);

// The item messages (CB_ADDSTRING ... CB_FINDSTRINGEXACT); false for others.
bool HandleComboItemMessage(HWND combo, UINT message, WPARAM wParam, LPARAM lParam,
                            LRESULT* result);

// The popup class of dropped lists.
inline const wchar_t* const kComboListClass = L"ComboLBox";
LRESULT ComboListWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
