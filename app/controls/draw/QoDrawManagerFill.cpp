#include "app/controls/draw/QoDrawManager.h"

namespace {

void FillSolid(HDC dc, const RECT& r, COLORREF colour) {
    if (r.right <= r.left || r.bottom <= r.top)
        return;
    HBRUSH brush = CreateSolidBrush(colour);
    FillRect(dc, &r, brush);
    DeleteObject(brush);
}

BYTE BandComponent(BYTE from, BYTE to, int i) {
    return BYTE((from * (64 - i) + to * i) >> 6);
}

}  // namespace

void CQoDrawManager::FillGradient(HDC dc, LPCRECT rect, COLORREF from, COLORREF to,
                                  BOOL horizontal) {
    const int start = horizontal ? rect->left : rect->top;
    const int extent = horizontal ? rect->right - rect->left : rect->bottom - rect->top;
    for (int i = 0; i < 64; ++i) {
        const COLORREF colour = RGB(BandComponent(GetRValue(from), GetRValue(to), i),
                                    BandComponent(GetGValue(from), GetGValue(to), i),
                                    BandComponent(GetBValue(from), GetBValue(to), i));
        const int a = start + ((i * extent) >> 6);
        const int b = start + (((i + 1) * extent) >> 6);
        RECT band = *rect;
        if (horizontal) {
            band.left = a;
            band.right = b;
        } else {
            band.top = a;
            band.bottom = b;
        }
        FillSolid(dc, band, colour);
    }
}

void CQoDrawManager::FillBackground(HDC dc, int effect, LPCRECT rect, COLORREF begin, COLORREF mid,
                                    COLORREF end, BYTE granularity, BYTE colouring) {
    const bool horizontal = effect == EFFECT_HCGRADIENT || effect == EFFECT_3HGRADIENT;
    RECT first = *rect;
    RECT second = *rect;
    if (horizontal)
        first.right = second.left = rect->left + (rect->right - rect->left) / 2;
    else
        first.bottom = second.top = rect->top + (rect->bottom - rect->top) / 2;
    switch (effect) {
        case EFFECT_HGRADIENT:
        case EFFECT_VGRADIENT:
            FillGradient(dc, rect, begin, end, effect == EFFECT_HGRADIENT);
            return;
        case EFFECT_HCGRADIENT:
        case EFFECT_VCGRADIENT:
            FillGradient(dc, &first, begin, end, horizontal);
            FillGradient(dc, &second, end, begin, horizontal);
            return;
        case EFFECT_3HGRADIENT:
        case EFFECT_3VGRADIENT:
            FillGradient(dc, &first, begin, mid, horizontal);
            FillGradient(dc, &second, mid, end, horizontal);
            return;
        default:
            break;
    }
    if (effect >= EFFECT_NOISE && effect <= EFFECT_METAL) {
        FillPattern(effect, granularity, colouring, begin, mid, end, rect->right - rect->left,
                    rect->bottom - rect->top);
        m_dib.Draw(dc, rect->left, rect->top);
        return;
    }
    FillSolid(dc, *rect, begin);
}
