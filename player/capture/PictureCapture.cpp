#include "player/capture/PictureCapture.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <limits>
#include <memory>
#include <string>
#include <vector>

#include "platform/gdi/Gdi.h"
#include "platform/gdi/GdiPlusBitmap.h"
#include "platform/gdi/GdiPlusGraphics.h"
#include "platform/gdi/SystemMetrics.h"
#include "platform/user/Rects.h"
#include "platform/user/Screen.h"
#include "player/capture/EncoderClsid.h"
#include "shared/RecordingCalendar.h"
#include "shared/TextConvert.h"

namespace {

constexpr int kStampWeight = 100;

// The path as wide text; null when it is not valid UTF-8 (the conversion
// would replace bad bytes and write a file of another name).
std::unique_ptr<wchar_t[]> WidePath(const char* path) {
    if (path == nullptr)
        return nullptr;
    std::unique_ptr<wchar_t[]> wide(Utf8ToWide(path));
    std::unique_ptr<char[]> back(WideToUtf8(wide.get()));
    if (wide == nullptr || back == nullptr || std::strcmp(back.get(), path) != 0)
        return nullptr;
    return wide;
}

// The screen from (0, 0) to (right, bottom), as the window system shows it.
std::vector<uint32_t> ComposeUpTo(int right, int bottom) {
    std::vector<uint32_t> pixels(size_t(right) * bottom);
    ComposeScreen(PixelBuffer{pixels.data(), right, right, bottom}, GetSysColor(COLOR_BACKGROUND));
    return pixels;
}

void WriteStamp(HDC dc, uint32_t stamp) {
    HFONT font = CreateFontA(CPictureCapture::kStampHeight, 0, 0, 0, kStampWeight, 0, 0, 0,
                             DEFAULT_CHARSET, 0, 0, 0, 0, "Arial");
    if (font == nullptr)
        return;
    HGDIOBJ oldFont = SelectObject(dc, font);
    SetBkColor(dc, RGB(0, 0, 0));
    const COLORREF oldColour = SetTextColor(dc, RGB(255, 255, 255));
    const std::string text = FormatCaptureStamp(stamp);
    TextOutA(dc, 0, 0, text.c_str(), int(text.size()));
    SetTextColor(dc, oldColour);
    SelectObject(dc, oldFont);
    DeleteObject(font);
}

// The screen rectangle in a bitmap of its own, the stamp written on it.
HBITMAP CopyScreen(int left, int top, int w, int h, uint32_t stamp) {
    const int right = std::max(left + w, 1), bottom = std::max(top + h, 1);
    std::vector<uint32_t> screen = ComposeUpTo(right, bottom);
    HDC screenDc =
        CreateBufferDC(PixelBuffer{screen.data(), right, right, bottom}, POINT{0, 0}, nullptr);
    HDC memory = CreateCompatibleDC(screenDc);
    HBITMAP bitmap = CreateCompatibleBitmap(screenDc, w, h);
    HGDIOBJ old = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, w, h, screenDc, left, top, SRCCOPY);
    if (stamp != 0)
        WriteStamp(memory, stamp);
    SelectObject(memory, old);
    DeleteDC(memory);
    DeleteDC(screenDc);
    return bitmap;
}

// size x part / whole, at least 1 and at most what an int holds. All three
// are positive, whole is at most 2^32 and part, a part of the screen, below
// 2^31: no product below overflows 64 bits.
int ProportionalSize(int64_t size, int64_t part, int64_t whole) {
    const int64_t most = std::numeric_limits<int>::max();
    const int64_t wholes = size / whole;
    if (wholes > most)
        return int(most);
    const int64_t scaled = wholes * part + size % whole * part / whole;
    return int(std::clamp<int64_t>(scaled, 1, most));
}

// Cuts the rectangle to the screen and the output size (width x height for
// the whole rectangle) to what is left of it, in proportion, at least 1 x 1:
// a rectangle far off the screen or larger than it would otherwise have the
// screen composed up to its far corner. False when the rectangle or the
// output size is empty, or nothing of the rectangle lies on the screen. The
// sizes are reckoned in 64 bits (a rectangle from one end of the int range to
// the other is 2^32 wide).
bool ClipToScreen(int* left, int* top, int* right, int* bottom, int64_t wide, int64_t high,
                  int* width, int* height) {
    const int64_t w = int64_t(*right) - *left, h = int64_t(*bottom) - *top;
    if (w <= 0 || h <= 0 || wide <= 0 || high <= 0)
        return false;
    const RECT screen{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    const RECT asked{*left, *top, *right, *bottom};
    RECT kept{};
    if (!IntersectRect(&kept, &asked, &screen))
        return false;
    const int64_t keptW = int64_t(kept.right) - kept.left, keptH = int64_t(kept.bottom) - kept.top;
    *width = ProportionalSize(wide, keptW, w);
    *height = ProportionalSize(high, keptH, h);
    *left = kept.left;
    *top = kept.top;
    *right = kept.right;
    *bottom = kept.bottom;
    return true;
}

}  // namespace

std::string FormatCaptureStamp(uint32_t stamp) {
    const std::tm calendar = RecordingCalendar(stamp);
    char text[64];  // 19 characters for any year of four digits
    std::snprintf(text, sizeof text, "%04d-%02d-%02d %02d:%02d:%02d", calendar.tm_year + 1900,
                  calendar.tm_mon + 1, calendar.tm_mday, calendar.tm_hour, calendar.tm_min,
                  calendar.tm_sec);
    return text;
}

CPictureCapture::CPictureCapture() {
    const Gdiplus::GdiplusStartupInput input;
    Gdiplus::GdiplusStartup(&m_token, &input, nullptr);
}

CPictureCapture::~CPictureCapture() {
    Gdiplus::GdiplusShutdown(m_token);
}

bool CPictureCapture::Capture(HWND, int left, int top, int right, int bottom, const char* path,
                              int64_t outputWidth, int64_t outputHeight, int quality,
                              uint32_t stamp) {
    std::unique_ptr<wchar_t[]> file = WidePath(path);
    int width = 0, height = 0;
    if (file == nullptr ||
        !ClipToScreen(&left, &top, &right, &bottom, outputWidth, outputHeight, &width, &height))
        return false;
    const int w = right - left, h = bottom - top;
    Gdiplus::CLSID jpeg{};
    if (GetEncoderClsid(L"image/jpeg", &jpeg) < 0)
        return false;
    HBITMAP captured = CopyScreen(left, top, w, h, stamp);
    if (captured == nullptr)
        return false;
    Gdiplus::Bitmap output(width, height, Gdiplus::PixelFormat32bppARGB);
    Gdiplus::Bitmap source(captured, nullptr);
    Gdiplus::Graphics graphics(&output);
    graphics.ScaleTransform(Gdiplus::REAL(width) / w, Gdiplus::REAL(height) / h);
    graphics.DrawImage(&source, 0, 0);
    DeleteObject(captured);

    // The command asks for 200; the encoder's scale ends at 100.
    ULONG value = ULONG(std::clamp(quality, 0, 100));
    Gdiplus::EncoderParameters parameters{
        1, {{Gdiplus::EncoderQuality, 1, Gdiplus::EncoderParameterValueTypeLong, &value}}};
    return output.Save(file.get(), &jpeg, &parameters) == Gdiplus::Ok;
}
