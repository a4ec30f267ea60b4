#include "app/controls/draw/MemoryDc.h"
#include "app/controls/skin/SkinBitmap.h"

namespace {

struct Piece {
    int x, y, width, height;  // in the target
    int sx, sy, sw, sh;       // in the bitmap
};

// A band of non-positive extent (a target smaller than the bitmap) is left
// out: the blocks drawn after it cover its place anyway, and a negative
// extent would mirror.
void Stretch(HDC to, HDC from, const Piece& p) {
    if (p.width > 0 && p.height > 0)
        StretchBlt(to, p.x, p.y, p.width, p.height, from, p.sx, p.sy, p.sw, p.sh, SRCCOPY);
}

void Copy(HDC to, HDC from, const Piece& p) {
    BitBlt(to, p.x, p.y, p.width, p.height, from, p.sx, p.sy, SRCCOPY);
}

void NineSlices(HDC to, HDC from, int w, int h, int rw, int rh, int cw, int ch) {
    const int bandW = rw - w;
    const int bandH = rh - h;
    const int rightX = rw - (w - cw);
    const int bottomY = rh - (h - ch);
    const Piece pieces[] = {
        {0, 0, cw, ch, 0, 0, cw, ch},
        {cw, 0, bandW, ch, cw, 0, 1, ch},
        {rightX, 0, w - cw, ch, cw, 0, w - cw, ch},
        {0, ch, cw, bandH, 0, ch, cw, 1},
        {cw, ch, bandW, bandH, cw, ch, 1, 1},
        {rightX, ch, w - cw, bandH, cw, ch, w - cw, 1},
        {0, bottomY, cw, h - ch, 0, ch, cw, h - ch},
        {cw, bottomY, bandW, h - ch, cw, ch, 1, h - ch},
        {rightX, bottomY, w - cw, h - ch, cw, ch, w - cw, h - ch},
    };
    for (const Piece& p : pieces)
        Stretch(to, from, p);
}

void HorizontalSlices(HDC to, HDC from, int w, int h, int rw, int rh, int cw) {
    Copy(to, from, {0, 0, cw, rh, 0, 0, 0, 0});
    Stretch(to, from, {cw, 0, rw - w, rh, cw, 0, 1, h});
    Copy(to, from, {rw - (w - cw), 0, w - cw, rh, cw, 0, 0, 0});
}

void VerticalSlices(HDC to, HDC from, int w, int h, int rw, int rh, int ch) {
    Copy(to, from, {0, 0, rw, ch, 0, 0, 0, 0});
    Stretch(to, from, {0, ch, rw, rh - h, 0, ch, w, 1});
    Copy(to, from, {0, rh - (h - ch), rw, h - ch, 0, ch, 0, 0});
}

}  // namespace

BOOL CSkinBitmap::MakeNineSlice(CSkinBitmap* out, CRect rect, int cornerWidth,
                                int cornerHeight) const {
    const int rw = rect.Width();
    const int rh = rect.Height();
    out->DeleteObject();
    // Without a bitmap there is nothing to scale: no black block in its place.
    if (m_hObject == nullptr || rw <= 0 || rh <= 0 ||
        !out->Attach(::CreateCompatibleBitmap(nullptr, rw, rh)))
        return FALSE;
    MemoryDc target(*out);
    if (cornerWidth == 0 && cornerHeight == 0) {
        const CRect all(0, 0, rw, rh);
        return StretchPart(CDC::FromHandle(target.Dc()), &all, nullptr);
    }
    MemoryDc source(*this);
    const int w = GetWidth();
    const int h = GetHeight();
    if (cornerHeight == 0)
        HorizontalSlices(target.Dc(), source.Dc(), w, h, rw, rh, cornerWidth);
    else if (cornerWidth == 0)
        VerticalSlices(target.Dc(), source.Dc(), w, h, rw, rh, cornerHeight);
    else
        NineSlices(target.Dc(), source.Dc(), w, h, rw, rh, cornerWidth, cornerHeight);
    return TRUE;
}

BOOL CSkinBitmap::DrawNineSlice(CDC* target, CRect rect, int cornerWidth, int cornerHeight) const {
    CSkinBitmap scaled;
    if (!MakeNineSlice(&scaled, rect, cornerWidth, cornerHeight))
        return FALSE;
    return scaled.Draw(target, &rect);
}
