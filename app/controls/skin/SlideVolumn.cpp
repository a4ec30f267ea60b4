#include "app/controls/skin/SlideVolumn.h"

#include <algorithm>

#include "app/controls/PrivateMessage.h"
#include "app/controls/skin/SliderParts.h"

BEGIN_MESSAGE_MAP(CSlideVolumn, CSkinSlider)
ON_WM_LBUTTONDOWN()
ON_WM_MOUSEMOVE()
ON_WM_LBUTTONUP()
END_MESSAGE_MAP()

void CSlideVolumn::Init(UINT filledBitmapId, UINT emptyBitmapId, UINT thumbBitmapId, CString) {
    m_nTrackBmp = filledBitmapId;
    m_nEmptyBmp = emptyBitmapId;
    m_nThumbBmp = thumbBitmapId;
    m_nMin = 0;
    m_nMax = 100;
    m_nPos = 0;
}

void CSlideVolumn::DrawParts(HDC dc, int width, int height) {
    const int offset = slider::ThumbOffset(width, height, m_nMin, m_nMax, m_nPos);
    slider::StretchResource(dc, m_nTrackBmp, RECT{0, 0, offset, height});
    slider::StretchResource(dc, m_nEmptyBmp, RECT{offset, 0, width, height});
    slider::DrawThumb(dc, m_nThumbBmp, offset, height);
    m_nSpan = width - height;
}

void CSlideVolumn::Follow(CPoint point) {
    m_nPos = PositionAt(point);
    RedrawNow();
    m_nPos = std::clamp(m_nPos, 0, 100);
    PostToMain(UM_VOLUME_CHANGED, m_nPos);
}

void CSlideVolumn::OnLButtonDown(UINT, CPoint) {
    m_bDragging = TRUE;
    Default();
}

void CSlideVolumn::OnMouseMove(UINT, CPoint point) {
    if (m_bDragging)
        Follow(point);
    Default();
}

void CSlideVolumn::OnLButtonUp(UINT, CPoint point) {
    m_bDragging = FALSE;
    ::ReleaseCapture();
    Follow(point);
    Default();
}
