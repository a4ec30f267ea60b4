// The common part of the seek and volume sliders: owner-drawn buttons (the
// template gives them BS_OWNERDRAW) showing a horizontal strip with a square
// thumb whose side is the control's height. They keep an integer position in
// a range, turn the cursor's x into a position while the user drags (the
// button's default processing captures the mouse on button-down), redraw at
// once during a drag, and post private messages to the application's main
// window (not their parent). The owner sets the position with SetPos.
// User-interface thread only.
#pragma once

#include "platform/afx/Afx.h"

class CSkinSlider : public CButton {
public:
    // Stores both and invalidates with erasing.
    void SetRange(int min, int max);
    // Maximum first, then minimum.
    void GetRange(int* max, int* min) const;
    // Stores the position and invalidates with erasing; nothing is posted.
    void SetPos(int pos);
    int GetPos() const { return m_nPos; }

    void DrawItem(DRAWITEMSTRUCT* dis) override;
    void PreSubclassWindow() override;

protected:
    // Draws the strip and the thumb, and takes the thumb's travel.
    virtual void DrawParts(HDC dc, int width, int height) = 0;
    // Ends a drag whose capture was taken away, at the position shown.
    virtual void DragInterrupted() {}
    // Draws on the control's own context at once (during a drag).
    void RedrawNow();
    int PositionAt(CPoint point) const;
    // Posts to the main window with wParam = the control id.
    void PostToMain(UINT message, int position) const;

    BOOL OnSetCursor(CWnd* wnd, UINT hitTest, UINT message);
    void OnCaptureChanged(CWnd* newHolder);

    int m_nSpan = 0;  // the thumb's travel: client width - client height
    int m_nPos = 0;
    int m_nMax = 100;
    int m_nMin = 0;
    HCURSOR m_hCursor = nullptr;
    UINT m_nThumbBmp = 0;
    BOOL m_bDragging = FALSE;

    DECLARE_MESSAGE_MAP()
};
