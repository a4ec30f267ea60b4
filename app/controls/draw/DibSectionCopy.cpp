#include "app/controls/draw/DibSectionCopy.h"

DibSectionCopy::DibSectionCopy(HDC like, int width, int height) : width_(width), height_(height) {
    if (width <= 0 || height <= 0)
        return;
    dc_ = CreateCompatibleDC(like);
    if (dc_ == nullptr)
        return;
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    bitmap_ = CreateDIBSection(dc_, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (bitmap_ == nullptr || bits == nullptr)
        return;
    old_ = SelectObject(dc_, bitmap_);
    bits_ = static_cast<uint32_t*>(bits);
}

DibSectionCopy::~DibSectionCopy() {
    if (dc_ != nullptr) {
        if (old_ != nullptr)
            SelectObject(dc_, old_);
        DeleteDC(dc_);
    }
    if (bitmap_ != nullptr)
        DeleteObject(bitmap_);
}

HBITMAP DibSectionCopy::Release() {
    if (dc_ != nullptr && old_ != nullptr)
        SelectObject(dc_, old_);
    old_ = nullptr;
    bits_ = nullptr;
    HBITMAP out = bitmap_;
    bitmap_ = nullptr;
    return out;
}
