// A packed device-independent bitmap with its own palette: header, palette
// and pixel rows in one block, rows bottom-up. The draw manager renders its
// textured backgrounds into an 8-bit one. The first Draw makes a DIB section
// and a memory context, kept until the next Reset, so later draws only copy
// the pixels. User-interface thread only; the object owns everything it holds.
#pragma once

#include <cstdint>
#include <memory>

#include "platform/gdi/Gdi.h"

class CDibImage {
public:
    CDibImage() = default;
    virtual ~CDibImage();
    CDibImage(const CDibImage&) = delete;
    CDibImage& operator=(const CDibImage&) = delete;

    // Resets, then allocates the block; null when it cannot be allocated or
    // is larger than the limits below.
    BYTE* Create(DWORD width, DWORD height, WORD bitsPerPixel);
    static constexpr DWORD kMaxDimension = 0x7FFFFFFF;
    static constexpr uint64_t kMaxBytes = 256u << 20;
    void Reset();

    DWORD GetTotalSize() const;
    DWORD GetPaletteBytes() const { return DWORD(m_wColors) * 4; }
    BYTE* GetPixels() const;
    DWORD GetRowBytes() const { return m_lineWidth; }
    LONG GetWidth() const { return m_bi.biWidth; }
    LONG GetHeight() const { return m_bi.biHeight; }

    void SetPaletteIndex(BYTE index, BYTE r, BYTE g, BYTE b);
    // Moves every palette entry `percent` (capped at 100) of the way to `colour`.
    void BlendPalette(COLORREF colour, DWORD percent);
    void FillPixels(BYTE value);
    // y counts from the top; one byte a pixel, so 8-bit images only: other
    // depths and points outside change nothing.
    void SetPixelIndex(long x, long y, BYTE index);
    void Draw(HDC dc, long x, long y);

private:
    RGBQUAD* Palette() const;
    bool MakeSection();

    std::unique_ptr<BYTE[]> m_pDib;
    BITMAPINFOHEADER m_bi{};
    DWORD m_lineWidth = 0;
    WORD m_wColors = 0;
    HBITMAP m_hBitmap = nullptr;
    HDC m_hDC = nullptr;
    HGDIOBJ m_hOldBitmap = nullptr;
    void* m_pBits = nullptr;
};
