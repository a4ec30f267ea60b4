// The volume bar of the play bar: left of the thumb the filled-part bitmap,
// right of it the empty-part bitmap, each squeezed into its part. Posts
// UM_VOLUME_CHANGED (position 0..100) while dragging and on button-up;
// nothing on button-down or on moves without a press.
#pragma once

#include "app/controls/skin/SkinSlider.h"

class CSlideVolumn : public CSkinSlider {
public:
    // Stores the ids; range 0..100, position 0; the tip text is not kept.
    void Init(UINT filledBitmapId, UINT emptyBitmapId, UINT thumbBitmapId, CString tipText);

protected:
    void DrawParts(HDC dc, int width, int height) override;

    void OnLButtonDown(UINT flags, CPoint point);
    void OnMouseMove(UINT flags, CPoint point);
    void OnLButtonUp(UINT flags, CPoint point);

    DECLARE_MESSAGE_MAP()

private:
    void Follow(CPoint point);

    UINT m_nTrackBmp = 0;  // the filled part
    UINT m_nEmptyBmp = 0;
};
