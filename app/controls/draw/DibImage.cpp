#include "app/controls/draw/DibImage.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <new>

namespace {

WORD PaletteEntries(WORD bitsPerPixel) {
    switch (bitsPerPixel) {
        case 1:
            return 2;
        case 4:
            return 16;
        case 8:
            return 256;
        default:
            return 0;
    }
}

}  // namespace

CDibImage::~CDibImage() {
    Reset();
}

BYTE* CDibImage::Create(DWORD width, DWORD height, WORD bitsPerPixel) {
    Reset();
    // Sizes in 64 bits: an image whose block, or whose dimensions as the
    // header's signed fields, do not fit is refused rather than wrapped.
    const uint64_t rowBytes = ((uint64_t(width) * bitsPerPixel + 31) / 32) * 4;
    const uint64_t total =
        sizeof(BITMAPINFOHEADER) + uint64_t(PaletteEntries(bitsPerPixel)) * 4 + rowBytes * height;
    if (width > kMaxDimension || height > kMaxDimension || total > kMaxBytes)
        return nullptr;
    m_lineWidth = DWORD(rowBytes);
    m_wColors = PaletteEntries(bitsPerPixel);
    m_bi.biSize = sizeof(BITMAPINFOHEADER);
    m_bi.biWidth = LONG(width);
    m_bi.biHeight = LONG(height);
    m_bi.biPlanes = 1;
    m_bi.biBitCount = bitsPerPixel;
    m_bi.biCompression = BI_RGB;
    m_bi.biSizeImage = height * m_lineWidth;
    m_pDib.reset(new (std::nothrow) BYTE[GetTotalSize()]());
    if (!m_pDib) {
        Reset();
        return nullptr;
    }
    std::memcpy(m_pDib.get(), &m_bi, sizeof(m_bi));
    return m_pDib.get();
}

void CDibImage::Reset() {
    if (m_hDC != nullptr) {
        SelectObject(m_hDC, m_hOldBitmap);
        DeleteDC(m_hDC);
    }
    if (m_hBitmap != nullptr)
        DeleteObject(m_hBitmap);
    m_hDC = nullptr;
    m_hOldBitmap = nullptr;
    m_hBitmap = nullptr;
    m_pBits = nullptr;
    m_pDib.reset();
    m_bi = {};
    m_lineWidth = 0;
    m_wColors = 0;
}

DWORD CDibImage::GetTotalSize() const {
    return m_bi.biSize + m_bi.biSizeImage + GetPaletteBytes();
}

RGBQUAD* CDibImage::Palette() const {
    return m_pDib ? reinterpret_cast<RGBQUAD*>(m_pDib.get() + m_bi.biSize) : nullptr;
}

BYTE* CDibImage::GetPixels() const {
    return m_pDib ? m_pDib.get() + m_bi.biSize + GetPaletteBytes() : nullptr;
}

void CDibImage::SetPaletteIndex(BYTE index, BYTE r, BYTE g, BYTE b) {
    if (m_pDib && index < m_wColors)
        Palette()[index] = RGBQUAD{b, g, r, 0};
}

void CDibImage::BlendPalette(COLORREF colour, DWORD percent) {
    if (!m_pDib || m_wColors == 0)
        return;
    percent = std::min<DWORD>(percent, 100);
    const auto mix = [percent](BYTE c, BYTE to) {
        return BYTE((c * (100 - percent) + to * percent) / 100);
    };
    for (RGBQUAD* e = Palette(); e != Palette() + m_wColors; ++e) {
        e->rgbRed = mix(e->rgbRed, GetRValue(colour));
        e->rgbGreen = mix(e->rgbGreen, GetGValue(colour));
        e->rgbBlue = mix(e->rgbBlue, GetBValue(colour));
    }
}

void CDibImage::FillPixels(BYTE value) {
    if (m_pDib)
        std::memset(GetPixels(), value, m_bi.biSizeImage);
}

void CDibImage::SetPixelIndex(long x, long y, BYTE index) {
    // One byte a pixel: for images of other depths x is no byte offset, and a
    // 1- or 4-bit row is shorter than its width.
    if (!m_pDib || m_bi.biBitCount != 8 || x < 0 || y < 0 || x >= m_bi.biWidth ||
        y >= m_bi.biHeight)
        return;
    GetPixels()[(m_bi.biHeight - y - 1) * long(m_lineWidth) + x] = index;
}

bool CDibImage::MakeSection() {
    if (m_hBitmap != nullptr)
        return true;
    m_hBitmap = CreateDIBSection(nullptr, reinterpret_cast<const BITMAPINFO*>(m_pDib.get()),
                                 DIB_RGB_COLORS, &m_pBits, nullptr, 0);
    if (m_hBitmap == nullptr || m_pBits == nullptr)
        return false;
    m_hDC = CreateCompatibleDC(nullptr);
    if (m_hDC == nullptr)
        return false;
    m_hOldBitmap = SelectObject(m_hDC, m_hBitmap);
    return true;
}

void CDibImage::Draw(HDC dc, long x, long y) {
    if (!m_pDib || !MakeSection())
        return;
    // The palette may have changed since the section was made.
    if (m_wColors != 0)
        SetDIBColorTable(m_hDC, 0, m_wColors, Palette());
    std::memcpy(m_pBits, GetPixels(), m_bi.biSizeImage);
    BitBlt(dc, int(x), int(y), int(m_bi.biWidth), int(m_bi.biHeight), m_hDC, 0, 0, SRCCOPY);
}
