// The base of the program's tool dialogs: it replaces the system frame with
// its own skin, a dark caption band with a bitmap close box and thin bitmap
// borders drawn by three-slice scaling, over a dark grey body on which
// statics and buttons show white text (edits and list boxes keep the system
// colours). A press on the close box sends WM_CLOSE, so the derived dialog
// sees its ordinary close path; a double click on the caption does nothing.
// The frame is drawn on the window's context after WM_PAINT, WM_NCACTIVATE,
// WM_MOVE, WM_NCPAINT and unhandled WM_NOTIFY. User-interface thread only.
#pragma once

#include "app/controls/skin/SkinBitmap.h"

class CSubDialog : public CDialog {
public:
    CSubDialog(UINT templateId, CWnd* parent);

    BOOL OnInitDialog() override;
    LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    // Draws the whole frame on the window's context (origin at the window's
    // top-left corner); nothing without a window.
    void DrawFrame(CDC* windowDC);

    DECLARE_DYNAMIC(CSubDialog)

protected:
    void OnNcMouseMove(UINT hitTest, CPoint point);
    void OnNcLButtonDblClk(UINT, CPoint) {}
    void OnNcLButtonDown(UINT hitTest, CPoint point);
    BOOL OnNcActivate(BOOL active);
    void OnNcPaint() {}
    HBRUSH OnCtlColor(CDC* dc, CWnd* wnd, UINT kind);
    void OnPaint();

    DECLARE_MESSAGE_MAP()

private:
    void DrawFrameOnWindow();
    void DrawTitle(CDC* windowDC, const CRect& band);
    // The close box at `box` (window coordinates), normal or hovered.
    static void DrawCloseBox(CDC* windowDC, const CRect& box, bool hovered);

    CBrush m_brushBack;
    CRect m_rcClose;  // screen coordinates, rewritten at every frame drawing
    CSkinBitmap m_bmpBottom;
    CSkinBitmap m_bmpTop;
    CSkinBitmap m_bmpLeft;
    CSkinBitmap m_bmpRight;
};
