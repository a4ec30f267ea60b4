#include "platform/afx/WindowDC.h"

#include "platform/afx/Wnd.h"

CWindowDC::CWindowDC(CWnd* wnd) : m_hWnd(wnd != nullptr ? wnd->m_hWnd : nullptr) {
    m_bOwned = false;
    Attach(::GetWindowDC(m_hWnd));
}

CWindowDC::~CWindowDC() {
    if (m_hDC != nullptr)
        ::ReleaseDC(m_hWnd, Detach());
}
