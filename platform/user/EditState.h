// Inside the window system: the state of an edit control, shared by its
// window procedure (EditControl.cpp) and its keyboard and clipboard
// handling (EditKeys.cpp). Used on the control's thread.
#pragma once

#include <string>

#include "platform/user/ControlSupport.h"
#include "platform/user/EditText.h"

// Characters an edit takes until EM_LIMITTEXT says otherwise.
inline constexpr size_t kEditDefaultLimit = 30000;

struct EditState {
    EditText edit;
    size_t limit = kEditDefaultLimit;
    HFONT font = nullptr;
    int scroll = 0;  // pixels of text hidden at the left
    bool focused = false;
    bool caretOn = false;
};

EditState& EditStateOf(HWND hwnd);
bool EditIsReadOnly(HWND hwnd);
// Replaces the selection; EN_MAXTEXT to the parent when the limit refuses it.
void EditInsert(HWND hwnd, const std::wstring& text);
// Shows a caret or selection change; reports a change of the text (EN_CHANGE).
void EditChanged(HWND hwnd, bool textChanged);

LRESULT EditOnChar(HWND hwnd, WPARAM wParam, LPARAM lParam);
LRESULT EditOnKeyDown(HWND hwnd, WPARAM wParam, LPARAM lParam);
LRESULT EditOnCopy(HWND hwnd, WPARAM wParam, LPARAM lParam);
LRESULT EditOnCut(HWND hwnd, WPARAM wParam, LPARAM lParam);
LRESULT EditOnPaste(HWND hwnd, WPARAM wParam, LPARAM lParam);
LRESULT EditOnClear(HWND hwnd, WPARAM wParam, LPARAM lParam);
