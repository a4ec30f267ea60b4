// A window's client-area context (GetDC), given back when destroyed.
#pragma once

#include "platform/afx/DC.h"

class CWnd;

class CClientDC : public CDC {
public:
    explicit CClientDC(CWnd* wnd);
    ~CClientDC() override;

private:
    HWND m_hWnd;
};
