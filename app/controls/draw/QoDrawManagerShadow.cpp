#include <algorithm>
#include <vector>

#include "app/controls/draw/DibSectionCopy.h"
#include "app/controls/draw/PixelWords.h"
#include "app/controls/draw/QoDrawManager.h"

namespace {

// Box averages of the mask's blue bytes over depthX x depthY, the mask padded
// with white (255) by half a box on every side: running sums along the rows,
// then down the columns. Factors in 0..1, top row first.
std::vector<double> BlurredFactors(const DibSectionCopy& a, int depthX, int depthY) {
    const int w = a.Width();
    const int h = a.Height();
    const int hx = depthX / 2;
    const int hy = depthY / 2;
    const auto blue = [&a, w, h](int x, int y) {
        return x < 0 || y < 0 || x >= w || y >= h ? 255 : int(a.At(x, y) & 0xFF);
    };
    std::vector<long> rows(size_t(w) * size_t(h + 2 * hy));
    for (int y = -hy; y < h + hy; ++y) {
        long sum = 0;
        for (int x = -hx; x <= hx; ++x)
            sum += blue(x, y);
        for (int x = 0; x < w; ++x) {
            rows[size_t(y + hy) * size_t(w) + size_t(x)] = sum;
            sum += blue(x + hx + 1, y) - blue(x - hx, y);
        }
    }
    std::vector<double> factors(size_t(w) * size_t(h));
    const double whole = double(depthX) * depthY * 255;
    for (int x = 0; x < w; ++x) {
        long sum = 0;
        for (int k = 0; k < depthY; ++k)
            sum += rows[size_t(k) * size_t(w) + size_t(x)];
        for (int y = 0; y < h; ++y) {
            factors[size_t(y) * size_t(w) + size_t(x)] = sum / whole;
            if (y + 1 < h)
                sum += rows[size_t(y + depthY) * size_t(w) + size_t(x)] -
                       rows[size_t(y) * size_t(w) + size_t(x)];
        }
    }
    return factors;
}

void FillMask(const DibSectionCopy& a, HBITMAP mask, bool blurred, int depthX, int depthY) {
    HDC maskDc = CreateCompatibleDC(nullptr);
    if (maskDc == nullptr)
        return;
    HGDIOBJ old = SelectObject(maskDc, mask);
    if (!blurred) {
        BitBlt(a.Dc(), 0, 0, a.Width(), a.Height(), maskDc, 0, 0, SRCCOPY);
    } else {
        std::fill(a.Words(), a.Words() + a.Count(), 0x00FFFFFFu);
        BITMAP info{};
        GetObject(mask, sizeof(info), &info);
        // A box as large as the shadow leaves no room for the shape: no shadow.
        if (a.Width() > depthX && a.Height() > depthY)
            StretchBlt(a.Dc(), depthX / 2, depthY / 2, a.Width() - depthX, a.Height() - depthY,
                       maskDc, 0, 0, info.bmWidth, info.bmHeight, SRCCOPY);
    }
    SelectObject(maskDc, old);
    DeleteDC(maskDc);
}

}  // namespace

void CQoDrawManager::DrawShadow(HDC dc, int x, int y, DWORD cx, DWORD cy, HBITMAP mask,
                                BOOL blurred, DWORD depthX, DWORD depthY) {
    if (mask == nullptr)
        return;
    // The box is centred on its pixel, so its sides are odd.
    const int dx = int(depthX | 1);
    const int dy = int(depthY | 1);
    DibSectionCopy a(nullptr, int(cx), int(cy));
    DibSectionCopy d(dc, int(cx), int(cy));
    if (!a.Ok() || !d.Ok())
        return;
    FillMask(a, mask, blurred, dx, dy);
    BitBlt(d.Dc(), 0, 0, int(cx), int(cy), dc, x, y, SRCCOPY);
    if (blurred) {
        const std::vector<double> factors = BlurredFactors(a, dx, dy);
        for (int row = 0; row < d.Height(); ++row)
            for (int col = 0; col < d.Width(); ++col) {
                uint32_t& p = d.At(col, row);
                p = pixelwords::ScaleDown(p, factors[size_t(row) * size_t(cx) + size_t(col)]);
            }
    } else {
        for (int i = 0; i < d.Count(); ++i)
            d.Words()[i] = pixelwords::ScaleDown(d.Words()[i], (a.Words()[i] & 0xFF) / 255.0);
    }
    BitBlt(dc, x, y, int(cx), int(cy), d.Dc(), 0, 0, SRCCOPY);
}
