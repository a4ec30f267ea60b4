#include "app/controls/skin/SlideButton.h"

#include <algorithm>

#include "app/controls/PrivateMessage.h"
#include "app/controls/skin/SliderParts.h"

BEGIN_MESSAGE_MAP(CSlideButton, CSkinSlider)
ON_WM_LBUTTONDOWN()
ON_WM_MOUSEMOVE()
ON_WM_LBUTTONUP()
END_MESSAGE_MAP()

void CSlideButton::Init(UINT trackBitmapId, UINT thumbBitmapId, CString) {
    m_nTrackBmp = trackBitmapId;
    m_nThumbBmp = thumbBitmapId;
    m_nMin = 1;
    m_nMax = 100;
    m_nPos = 1;
}

void CSlideButton::DrawParts(HDC dc, int width, int height) {
    slider::StretchResource(dc, m_nTrackBmp, RECT{0, 0, width, height});
    ::SetStretchBltMode(dc, COLORONCOLOR);
    slider::DrawThumb(dc, m_nThumbBmp, slider::ThumbOffset(width, height, m_nMin, m_nMax, m_nPos),
                      height);
    m_nSpan = width - height;
}

void CSlideButton::OnLButtonDown(UINT, CPoint) {
    m_bDragging = TRUE;
    m_nPos = std::min(m_nPos, 100);
    PostToMain(UM_SLIDER_BEGIN_DRAG, m_nPos);
    Default();
}

void CSlideButton::OnMouseMove(UINT, CPoint point) {
    if (m_bDragging) {
        m_nPos = PositionAt(point);
        RedrawNow();
        m_nPos = std::clamp(m_nPos, 0, 100);
        PostToMain(UM_SLIDER_DRAGGING, m_nPos);
    } else {
        PostToMain(UM_SLIDER_MOUSEMOVE, std::min(PositionAt(point), 100));
    }
    Default();
}

void CSlideButton::OnLButtonUp(UINT, CPoint point) {
    m_bDragging = FALSE;
    ::ReleaseCapture();
    m_nPos = PositionAt(point);
    RedrawNow();
    m_nPos = std::clamp(m_nPos, 0, 100);
    PostToMain(UM_SLIDER_RELEASED, m_nPos);
    Default();
}

void CSlideButton::DragInterrupted() {
    PostToMain(UM_SLIDER_RELEASED, std::clamp(m_nPos, 0, 100));
}
