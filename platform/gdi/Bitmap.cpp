#include "platform/gdi/Bitmap.h"

#include <algorithm>
#include <cstring>

#include "platform/gdi/BitmapObject.h"
#include "platform/gdi/DcObject.h"

namespace {

HBITMAP Register(std::shared_ptr<BitmapObject> bitmap) {
    return bitmap ? static_cast<HBITMAP>(RegisterGdiObject(std::move(bitmap))) : nullptr;
}

std::shared_ptr<BitmapObject> Find(HBITMAP bitmap) {
    return LookUpGdiObjectAs<BitmapObject>(bitmap);
}

// Copies rows between two surfaces of the same size through pixel words:
// destination rows [first, first + count) from the same source rows.
void CopyRows(const Surface& from, const Surface& to, int first, int count) {
    std::vector<uint32_t> row(size_t(std::min(from.width, to.width)));
    for (int y = first; y < first + count; ++y) {
        from.Read(y, 0, int(row.size()), row.data());
        to.Write(y, 0, int(row.size()), row.data());
    }
}

// The image rows that DIB scan lines [start, start + lines) are, given that
// scan lines count from the bottom of a bottom-up image.
bool ScanRows(const BITMAPINFOHEADER& h, int height, UINT start, UINT lines, int* first,
              int* count) {
    if (start >= UINT(height))
        return false;
    *count = int(std::min<UINT>(lines, UINT(height) - start));
    *first = h.biHeight > 0 ? height - int(start) - *count : int(start);
    return *count > 0;
}

void FillHeader(const BitmapObject& bitmap, BITMAPINFO* info) {
    const BitmapObject::Format& f = bitmap.format();
    BITMAPINFOHEADER& h = info->bmiHeader;
    h.biWidth = f.width;
    h.biHeight = f.height;
    h.biPlanes = 1;
    h.biBitCount = WORD(f.bitsPerPixel);
    h.biCompression = BI_RGB;
    h.biSizeImage = DWORD(DibRowBytes(f.width, f.bitsPerPixel) * f.height);
}

// BI_BITFIELDS with the masks of our own pixel words, which follow the
// header where the colour table would be.
bool StandardMasks(const BITMAPINFO* info) {
    if (info->bmiHeader.biCompression != BI_BITFIELDS || info->bmiHeader.biBitCount != 32) {
        return false;
    }
    DWORD masks[3];
    std::memcpy(masks, info->bmiColors, sizeof masks);
    return masks[0] == 0xFF0000 && masks[1] == 0xFF00 && masks[2] == 0xFF;
}

}  // namespace

HBITMAP CreateBitmap(int width, int height, UINT planes, UINT bitsPerPixel, const void* bits) {
    if (planes != 1 || bitsPerPixel == 0 || bitsPerPixel > 32)
        return nullptr;
    // Colour device bitmaps all take the screen's format; initial bits must
    // then already be in it.
    int bpp = bitsPerPixel == 1 ? 1 : 32;
    if (bits && int(bitsPerPixel) != bpp)
        return nullptr;
    auto bitmap = BitmapObject::Create({width, height, bpp, true, false});
    if (!bitmap)
        return nullptr;
    if (bits) {
        std::memcpy(bitmap->Bits(), bits, size_t(bitmap->RowBytes()) * size_t(height));
    }
    return Register(std::move(bitmap));
}

HBITMAP CreateCompatibleBitmap(HDC dc, int width, int height) {
    std::shared_ptr<DcObject> object = LookUpDc(dc);
    if (dc && !object)
        return nullptr;
    int bpp = 32;
    if (object && object->Memory() && object->state().bitmap &&
        object->state().bitmap->format().bitsPerPixel == 1) {
        bpp = 1;
    }
    return Register(BitmapObject::Create({width, height, bpp, true, false}));
}

HBITMAP CreateDIBSection(HDC, const BITMAPINFO* info, UINT usage, void** bits, HANDLE section,
                         DWORD) {
    if (bits)
        *bits = nullptr;
    if (!info || usage != DIB_RGB_COLORS || section)
        return nullptr;
    const BITMAPINFOHEADER& h = info->bmiHeader;
    if (h.biCompression != BI_RGB && !StandardMasks(info))
        return nullptr;
    int height = h.biHeight < 0 ? -h.biHeight : h.biHeight;
    auto bitmap = BitmapObject::Create({h.biWidth, height, h.biBitCount, h.biHeight < 0, true});
    if (!bitmap)
        return nullptr;
    std::vector<uint32_t>& palette = bitmap->Palette();
    int entries =
        h.biClrUsed ? std::min<int>(int(h.biClrUsed), int(palette.size())) : int(palette.size());
    for (int i = 0; i < entries; ++i) {
        const RGBQUAD& q = info->bmiColors[i];
        palette[size_t(i)] = (uint32_t(q.rgbRed) << 16) | (uint32_t(q.rgbGreen) << 8) | q.rgbBlue;
    }
    if (bits)
        *bits = bitmap->Bits();
    return Register(std::move(bitmap));
}

int GetDIBits(HDC, HBITMAP handle, UINT start, UINT lines, void* bits, BITMAPINFO* info,
              UINT usage) {
    std::shared_ptr<BitmapObject> bitmap = Find(handle);
    if (!bitmap || !info || usage != DIB_RGB_COLORS)
        return 0;
    if (!bits) {
        if (info->bmiHeader.biBitCount == 0)
            FillHeader(*bitmap, info);
        return bitmap->format().height;
    }
    std::vector<uint32_t> palette;
    if (info->bmiHeader.biBitCount <= 8) {
        // The caller's table is written from the bitmap's colours.
        const std::vector<uint32_t>& own = bitmap->Palette();
        int entries = 1 << info->bmiHeader.biBitCount;
        for (int i = 0; i < entries; ++i) {
            uint32_t word = i < int(own.size()) ? own[size_t(i)] : (i ? 0xFFFFFF : 0);
            info->bmiColors[i] = {BYTE(word), BYTE(word >> 8), BYTE(word >> 16), 0};
        }
        info->bmiHeader.biClrUsed = 0;
    }
    Surface to = SurfaceOfDib(info, bits, palette);
    Surface from = bitmap->GetSurface();
    int first = 0, count = 0;
    if (!to.Valid() || to.width != from.width || to.height != from.height)
        return 0;
    if (!ScanRows(info->bmiHeader, from.height, start, lines, &first, &count))
        return 0;
    CopyRows(from, to, first, count);
    return count;
}

int SetDIBits(HDC, HBITMAP handle, UINT start, UINT lines, const void* bits, const BITMAPINFO* info,
              UINT usage) {
    std::shared_ptr<BitmapObject> bitmap = Find(handle);
    if (!bitmap || !info || !bits || usage != DIB_RGB_COLORS)
        return 0;
    std::vector<uint32_t> palette;
    Surface from = SurfaceOfDib(info, bits, palette);
    Surface to = bitmap->GetSurface();
    int first = 0, count = 0;
    if (!from.Valid() || from.width != to.width || from.height != to.height)
        return 0;
    if (!ScanRows(info->bmiHeader, to.height, start, lines, &first, &count))
        return 0;
    CopyRows(from, to, first, count);
    return count;
}

UINT SetDIBColorTable(HDC dc, UINT start, UINT count, const RGBQUAD* colours) {
    std::shared_ptr<DcObject> object = LookUpDc(dc);
    if (!object || !object->state().bitmap || !colours)
        return 0;
    std::vector<uint32_t>& palette = object->state().bitmap->Palette();
    UINT n = 0;
    for (; n < count && start + n < palette.size(); ++n) {
        const RGBQUAD& q = colours[n];
        palette[start + n] = (uint32_t(q.rgbRed) << 16) | (uint32_t(q.rgbGreen) << 8) | q.rgbBlue;
    }
    return n;
}

UINT GetDIBColorTable(HDC dc, UINT start, UINT count, RGBQUAD* colours) {
    std::shared_ptr<DcObject> object = LookUpDc(dc);
    if (!object || !object->state().bitmap || !colours)
        return 0;
    const std::vector<uint32_t>& palette = object->state().bitmap->Palette();
    UINT n = 0;
    for (; n < count && start + n < palette.size(); ++n) {
        uint32_t word = palette[start + n];
        colours[n] = {BYTE(word), BYTE(word >> 8), BYTE(word >> 16), 0};
    }
    return n;
}
