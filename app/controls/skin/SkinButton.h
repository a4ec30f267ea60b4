// A push button drawn wholly from a two-cell skin (left: normal, right:
// under the cursor) whose window takes the shape of the cell's pixels that are
// not the transparent colour. Hovering captures the mouse; a release over the
// button sends WM_COMMAND (id, notification 0; lParam the button) to the
// parent; a release off it sends nothing and gives the capture up, as does
// losing the capture to another window. The owner subclasses the control and loads `m_bitmap`.
// User-interface thread only.
#pragma once

#include "app/controls/skin/SkinBitmap.h"

class CSkinButton : public CButton {
public:
    CSkinButton() = default;

    // The colour the window region leaves out (0 after construction); no redraw.
    void SetTransparentColor(COLORREF colour) { m_crTransparent = colour; }
    // Swaps the skin for bitmap resource `bitmap` and redraws.
    void ReplaceBitmap(UINT bitmap);

    CSkinBitmap m_bitmap;

protected:
    void OnPaint();
    void OnLButtonDown(UINT flags, CPoint point);
    void OnLButtonUp(UINT flags, CPoint point);
    void OnMouseMove(UINT flags, CPoint point);
    BOOL OnEraseBkgnd(CDC*) { return TRUE; }
    void OnSetFocus(CWnd*) {}
    void OnKillFocus(CWnd*) {}
    void OnCaptureChanged(CWnd* newHolder);

    DECLARE_MESSAGE_MAP()

private:
    bool PointInShape(CPoint point) const;
    // Clears the hover and gives up the capture when this button holds it.
    void ReleaseMouse();
    void DrawCaption(CDC& dc, const CRect& cell);

    COLORREF m_crTransparent = 0;
    BOOL m_bHover = FALSE;
    BOOL m_bPressed = FALSE;
    HWND m_hFocusBefore = nullptr;  // the focus the last press took over
};
