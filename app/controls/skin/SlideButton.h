// The seek bar under the video: the track bitmap stretched over the control
// and the thumb over it. Posts UM_SLIDER_BEGIN_DRAG on button-down (the old
// position), UM_SLIDER_DRAGGING while dragging, UM_SLIDER_RELEASED on
// button-up (the position under the cursor, or the thumb's when the drag
// lost the capture) and UM_SLIDER_MOUSEMOVE for
// moves without a press (the position under the cursor, never stored); all
// posted positions lie within 0 .. 100.
#pragma once

#include "app/controls/skin/SkinSlider.h"

class CSlideButton : public CSkinSlider {
public:
    // Stores the ids; range 1..100, position 1. The slider shows no tooltip of
    // its own, so the tip text is not kept.
    void Init(UINT trackBitmapId, UINT thumbBitmapId, CString tipText);

protected:
    void DrawParts(HDC dc, int width, int height) override;
    // Reports the release at the thumb's position, so that the main window
    // stops treating the seek bar as dragged.
    void DragInterrupted() override;

    void OnLButtonDown(UINT flags, CPoint point);
    void OnMouseMove(UINT flags, CPoint point);
    void OnLButtonUp(UINT flags, CPoint point);

    DECLARE_MESSAGE_MAP()

private:
    UINT m_nTrackBmp = 0;
};
