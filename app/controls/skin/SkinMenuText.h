// A menu-bar label: a framed text box that lights up orange under the cursor
// (capturing the mouse while it does) and sends WM_COMMAND (id, notification
// 0; lParam its window) to its parent on button-down. Like the other skinned
// statics it passes its children's commands on to its parent.
// User-interface thread only.
#pragma once

#include "app/controls/skin/CommandForwardingStatic.h"
#include "platform/afx/Afx.h"

class CSkinMenuText : public CCommandForwardingStatic {
public:
    // The third argument is accepted and not used; no redraw.
    void SetText(CString text, COLORREF textColour, COLORREF unused);

protected:
    void OnPaint();
    void OnMouseMove(UINT flags, CPoint point);
    void OnLButtonDown(UINT flags, CPoint point);
    void OnCaptureChanged(CWnd* newHolder);
    HBRUSH OnCtlColor(CDC* dc, CWnd* child, UINT kind);

    DECLARE_MESSAGE_MAP()

private:
    CString m_text;
    COLORREF m_textColour = RGB(255, 255, 255);
    BOOL m_bHover = FALSE;
};
