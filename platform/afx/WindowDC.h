// A whole window's context, frame included (GetWindowDC), given back when
// destroyed.
#pragma once

#include "platform/afx/DC.h"

class CWnd;

class CWindowDC : public CDC {
public:
    explicit CWindowDC(CWnd* wnd);
    ~CWindowDC() override;

private:
    HWND m_hWnd;
};
