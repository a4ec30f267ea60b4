// The framework's message boxes: AfxMessageBox and CWnd::MessageBox show the
// application's name as their caption unless given one. The name is the
// program file's name without its directory and extension until the
// application sets another. A box is owned by the main window when that
// belongs to the calling thread; a box of any other thread has no owner
// (platform/user/MessageBox.h says why).
#pragma once

#include "platform/user/MessageBox.h"

// Any thread.
const wchar_t* AfxGetAppName();
void AfxSetAppName(const wchar_t* name);

int AfxMessageBox(const wchar_t* text, UINT type = MB_OK, UINT helpId = 0);
// The text is the string resource `promptId`.
int AfxMessageBox(UINT promptId, UINT type = MB_OK, UINT helpId = UINT(-1));
