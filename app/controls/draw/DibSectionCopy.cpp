#include "app/controls/draw/DibSectionCopy.h"

DibSectionCopy::DibSectionCopy(HDC like, int width, int height)
    : width_(width), height_(height), dc_(nullptr, like) {
    if (width <= 0 || height <= 0 || dc_.Dc() == nullptr)
        return;
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    bitmap_ = CreateDIBSection(dc_.Dc(), &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (bitmap_ == nullptr || bits == nullptr)
        return;
    dc_.Select(bitmap_);
    bits_ = static_cast<uint32_t*>(bits);
}

DibSectionCopy::~DibSectionCopy() {
    dc_.Deselect();
    if (bitmap_ != nullptr)
        DeleteObject(bitmap_);
}

HBITMAP DibSectionCopy::Release() {
    dc_.Deselect();
    bits_ = nullptr;
    HBITMAP out = bitmap_;
    bitmap_ = nullptr;
    return out;
}
