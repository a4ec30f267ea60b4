// Inside the framework: which object is attached to which window. Permanent
// entries are the objects attached by Attach/Create/Subclass; temporary ones
// are made by FromHandle for windows without an object, kept per thread and
// dropped once their window is gone. The permanent map is guarded by a lock
// of its own.
#pragma once

#include "platform/user/UserTypes.h"

class CWnd;

void AfxMapWindow(HWND hwnd, CWnd* wnd);
void AfxUnmapWindow(HWND hwnd);
CWnd* AfxPermanentWindow(HWND hwnd);
CWnd* AfxTemporaryWindow(HWND hwnd);
