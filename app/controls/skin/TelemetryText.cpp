#include "app/controls/skin/TelemetryText.h"

namespace telemetry {

PaintFont::PaintFont(HDC dc, int height, int width)
    : dc_(dc),
      font_(::CreateFont(height, width, 0, 0, 400, 0, 0, 0, ANSI_CHARSET, OUT_DEFAULT_PRECIS,
                         CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_SWISS,
                         L"Arial")) {
    if (font_ != nullptr)
        old_ = ::SelectObject(dc_, font_);
}

PaintFont::~PaintFont() {
    if (old_ != nullptr)
        ::SelectObject(dc_, old_);
    if (font_ != nullptr)
        ::DeleteObject(font_);
}

DoubleBuffer::DoubleBuffer(HDC target, int width, int height)
    : target_(target),
      width_(width),
      height_(height),
      bitmap_(::CreateCompatibleBitmap(target, width, height)),
      dc_(bitmap_, target) {}

DoubleBuffer::~DoubleBuffer() {
    dc_.Deselect();
    if (bitmap_ != nullptr)
        ::DeleteObject(bitmap_);
}

void DoubleBuffer::Present() const {
    if (dc_.Selected())
        ::BitBlt(target_, 0, 0, width_, height_, dc_.Dc(), 0, 0, SRCCOPY);
}

void DrawValueText(HDC dc, int width, int height, int value, const CString& unit) {
    CString text;
    text.Format(L"%d %s", value, static_cast<const wchar_t*>(unit));
    ::SetBkMode(dc, TRANSPARENT);
    ::SetTextColor(dc, RGB(255, 255, 255));
    const PaintFont font(dc, height - 2, (width - 4) / 10);
    RECT r{2, 0, width - 2, height};
    ::DrawTextW(dc, text, text.GetLength(), &r, DT_VCENTER | DT_SINGLELINE);
}

}  // namespace telemetry
