#include "platform/gdi/BitmapObject.h"

#include <cstring>
#include <new>

int DibRowBytes(int width, int bitsPerPixel) {
    return ((width * bitsPerPixel + 31) / 32) * 4;
}

int DeviceRowBytes(int width, int bitsPerPixel) {
    return ((width * bitsPerPixel + 15) / 16) * 2;
}

BitmapObject::BitmapObject(const Format& format)
    : format_(format),
      rowBytes_(format.dibSection ? DibRowBytes(format.width, format.bitsPerPixel)
                                  : DeviceRowBytes(format.width, format.bitsPerPixel)) {}

std::shared_ptr<BitmapObject> BitmapObject::Create(const Format& format) {
    int bpp = format.bitsPerPixel;
    if (bpp != 1 && bpp != 8 && bpp != 24 && bpp != 32)
        return nullptr;
    if (format.width <= 0 || format.height <= 0 || format.width > 0x8000 ||
        format.height > 0x8000) {
        return nullptr;
    }
    std::shared_ptr<BitmapObject> bitmap(new (std::nothrow) BitmapObject(format));
    if (!bitmap)
        return nullptr;
    try {
        bitmap->bits_.assign(size_t(bitmap->rowBytes_) * size_t(format.height), 0);
    } catch (const std::bad_alloc&) {
        return nullptr;
    }
    if (bpp == 1)
        bitmap->palette_ = {0x000000, 0xFFFFFF};
    if (bpp == 8)
        bitmap->palette_.assign(256, 0);
    return bitmap;
}

Surface BitmapObject::GetSurface() {
    Surface s;
    s.width = format_.width;
    s.height = format_.height;
    s.bitsPerPixel = format_.bitsPerPixel;
    s.palette = palette_.data();
    s.paletteSize = int(palette_.size());
    s.monochromeDevice = format_.bitsPerPixel == 1 && !format_.dibSection;
    if (format_.topDown) {
        s.top = bits_.data();
        s.stride = rowBytes_;
    } else {
        s.top = bits_.data() + size_t(rowBytes_) * size_t(format_.height - 1);
        s.stride = -std::ptrdiff_t(rowBytes_);
    }
    return s;
}

int BitmapObject::Describe(int size, void* out) const {
    BITMAP bm{};
    bm.bmWidth = format_.width;
    bm.bmHeight = format_.height;
    bm.bmWidthBytes = rowBytes_;
    bm.bmPlanes = 1;
    bm.bmBitsPixel = WORD(format_.bitsPerPixel);
    if (format_.dibSection)
        bm.bmBits = const_cast<uint8_t*>(bits_.data());
    if (!out)
        return format_.dibSection ? int(sizeof(DIBSECTION)) : int(sizeof(BITMAP));
    if (format_.dibSection && size >= int(sizeof(DIBSECTION))) {
        DIBSECTION ds{};
        ds.dsBm = bm;
        ds.dsBmih.biSize = sizeof(BITMAPINFOHEADER);
        ds.dsBmih.biWidth = format_.width;
        ds.dsBmih.biHeight = format_.topDown ? -format_.height : format_.height;
        ds.dsBmih.biPlanes = 1;
        ds.dsBmih.biBitCount = WORD(format_.bitsPerPixel);
        ds.dsBmih.biCompression = BI_RGB;
        ds.dsBmih.biSizeImage = DWORD(rowBytes_ * format_.height);
        std::memcpy(out, &ds, sizeof ds);
        return int(sizeof ds);
    }
    int n = std::min<int>(size, sizeof bm);
    std::memcpy(out, &bm, size_t(n));
    return n;
}

Surface SurfaceOfDib(const BITMAPINFO* info, const void* bits, std::vector<uint32_t>& palette) {
    const BITMAPINFOHEADER& h = info->bmiHeader;
    Surface s;
    int height = h.biHeight < 0 ? -h.biHeight : h.biHeight;
    int bpp = h.biBitCount;
    if (!bits || h.biWidth <= 0 || height == 0 || (bpp != 1 && bpp != 8 && bpp != 24 && bpp != 32))
        return s;
    int entries = bpp > 8 ? 0 : (h.biClrUsed ? int(h.biClrUsed) : 1 << bpp);
    palette.clear();
    for (int i = 0; i < entries; ++i) {
        const RGBQUAD& q = info->bmiColors[i];
        palette.push_back((uint32_t(q.rgbRed) << 16) | (uint32_t(q.rgbGreen) << 8) | q.rgbBlue);
    }
    int rowBytes = DibRowBytes(h.biWidth, bpp);
    auto* base = static_cast<uint8_t*>(const_cast<void*>(bits));
    s.width = h.biWidth;
    s.height = height;
    s.bitsPerPixel = bpp;
    s.palette = palette.data();
    s.paletteSize = int(palette.size());
    if (h.biHeight < 0) {
        s.top = base;
        s.stride = rowBytes;
    } else {
        s.top = base + size_t(rowBytes) * size_t(height - 1);
        s.stride = -std::ptrdiff_t(rowBytes);
    }
    return s;
}
