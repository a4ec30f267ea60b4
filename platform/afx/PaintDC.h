// The paint cycle of a window as a context object: BeginPaint when made,
// EndPaint when destroyed.
#pragma once

#include "platform/afx/DC.h"
#include "platform/user/UserTypes.h"

class CWnd;

class CPaintDC : public CDC {
public:
    explicit CPaintDC(CWnd* wnd);
    ~CPaintDC() override;

    PAINTSTRUCT m_ps{};

private:
    HWND m_hWnd;
};
