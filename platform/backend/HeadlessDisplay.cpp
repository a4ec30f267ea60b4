#include "platform/backend/HeadlessDisplay.h"

#include <algorithm>

#include "platform/gdi/SystemMetrics.h"
#include "platform/user/Input.h"
#include "platform/user/Screen.h"

HeadlessDisplay::HeadlessDisplay(int width, int height, COLORREF desktop)
    : width_(width), height_(height), desktop_(desktop) {
    SetScreenSize(width, height);
    SetDisplayBackend(this);
}

HeadlessDisplay::~HeadlessDisplay() {
    if (CurrentDisplayBackend() == this)
        SetDisplayBackend(nullptr);
}

void HeadlessDisplay::PresentationRequested(HWND) {
    ++presentations_;
}

void HeadlessDisplay::CursorChanged(HCURSOR cursor) {
    cursor_.store(cursor);
}

void HeadlessDisplay::SetClipboardText(const std::wstring& text) {
    std::lock_guard lock(clipboardMutex_);
    clipboard_ = text;
}

std::wstring HeadlessDisplay::ClipboardText() const {
    std::lock_guard lock(clipboardMutex_);
    return clipboard_;
}

std::vector<uint32_t> HeadlessDisplay::ReadScreen() const {
    std::vector<uint32_t> pixels(size_t(width_) * size_t(height_));
    ComposeScreen(PixelBuffer{pixels.data(), width_, width_, height_}, desktop_);
    return pixels;
}

COLORREF HeadlessDisplay::PixelAt(int x, int y) const {
    if (x < 0 || y < 0 || x >= width_ || y >= height_)
        return CLR_INVALID;
    const uint32_t p = ReadScreen()[size_t(y) * size_t(width_) + size_t(x)];
    return RGB(BYTE(p >> 16), BYTE(p >> 8), BYTE(p));
}

int HeadlessDisplay::CountPixels(const RECT& area, COLORREF colour) const {
    const std::vector<uint32_t> screen = ReadScreen();
    const uint32_t wanted =
        uint32_t(GetRValue(colour)) << 16 | uint32_t(GetGValue(colour)) << 8 | GetBValue(colour);
    int count = 0;
    for (LONG y = std::max<LONG>(area.top, 0); y < std::min<LONG>(area.bottom, height_); ++y)
        for (LONG x = std::max<LONG>(area.left, 0); x < std::min<LONG>(area.right, width_); ++x)
            count += screen[size_t(y) * size_t(width_) + size_t(x)] == wanted;
    return count;
}

void HeadlessDisplay::MoveMouse(POINT screen) {
    InjectMouseMove(screen);
}

void HeadlessDisplay::Press(POINT screen, MouseButton button) {
    InjectMouseMove(screen);
    InjectMouseButton(button, true, screen);
}

void HeadlessDisplay::Release(POINT screen, MouseButton button) {
    InjectMouseMove(screen);
    InjectMouseButton(button, false, screen);
}

void HeadlessDisplay::Click(POINT screen, MouseButton button) {
    Press(screen, button);
    InjectMouseButton(button, false, screen);
}

void HeadlessDisplay::Wheel(POINT screen, int delta) {
    InjectMouseWheel(delta, screen);
}

void HeadlessDisplay::Key(UINT vk) {
    InjectKey(vk, true);
    InjectKey(vk, false);
}

void HeadlessDisplay::SetApplicationActive(bool active) {
    InjectAppActivation(active);
}
