// The window classes the window system provides itself: the dialog class
// ("#32770"), "Button" (push and owner-draw buttons) and "Static". The other
// standard controls join here as they are built.
#pragma once

#include <vector>

#include "platform/user/UserTypes.h"

inline const wchar_t* const kDialogClassName = L"#32770";

std::vector<WNDCLASSEXW> SystemClassDescriptions();

LRESULT DefDlgProcW(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT ButtonWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT StaticWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT EditWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT ProgressWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT TrackbarWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT ComboBoxWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT ListViewWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT DateTimeWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT ToolTipWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
