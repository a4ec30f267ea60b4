#include "platform/afx/PaintDC.h"

#include "platform/afx/Wnd.h"

CPaintDC::CPaintDC(CWnd* wnd) : m_hWnd(wnd != nullptr ? wnd->m_hWnd : nullptr) {
    m_bOwned = false;
    Attach(::BeginPaint(m_hWnd, &m_ps));
}

CPaintDC::~CPaintDC() {
    if (m_hDC != nullptr)
        ::EndPaint(m_hWnd, &m_ps);
    Detach();
}
