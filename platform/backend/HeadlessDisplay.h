// The headless display: a virtual screen of a given size and desktop colour
// that nothing shows. Tests (and programs run without a display) inject input
// through it and read the screen's pixels back. It installs itself as the
// window system's display on construction and removes itself on destruction;
// one at a time.
//
// Any thread may use it. It never calls window procedures: presentation
// requests are counted, and the screen is composed only when read.
#pragma once

#include <atomic>
#include <mutex>
#include <string>
#include <vector>

#include "platform/user/DisplayBackend.h"
#include "platform/user/RawInput.h"

class HeadlessDisplay final : public DisplayBackend {
public:
    HeadlessDisplay(int width, int height, COLORREF desktop);
    ~HeadlessDisplay() override;
    HeadlessDisplay(const HeadlessDisplay&) = delete;
    HeadlessDisplay& operator=(const HeadlessDisplay&) = delete;

    void PresentationRequested(HWND topLevel) override;
    void CursorChanged(HCURSOR cursor) override;
    // The clipboard lives in memory, for the display's lifetime.
    void SetClipboardText(const std::wstring& text) override;
    std::wstring ClipboardText() const override;

    int Width() const { return width_; }
    int Height() const { return height_; }
    // Presentation requests so far.
    int Presentations() const { return presentations_.load(); }
    HCURSOR Cursor() const { return cursor_.load(); }

    // The screen as it is now: 0x00RRGGBB pixels, top row first.
    std::vector<uint32_t> ReadScreen() const;
    // One pixel of the screen now; CLR_INVALID outside it. Each call composes
    // the whole screen: to look at many pixels, read it once.
    COLORREF PixelAt(int x, int y) const;
    // How many pixels of `area` (cut to the screen) are `colour` now.
    int CountPixels(const RECT& area, COLORREF colour) const;

    // Input, delivered as the window system's raw input.
    void MoveMouse(POINT screen);
    void Press(POINT screen, MouseButton button = MouseButton::Left);
    void Release(POINT screen, MouseButton button = MouseButton::Left);
    void Click(POINT screen, MouseButton button = MouseButton::Left);
    void Wheel(POINT screen, int delta);
    void Key(UINT vk);  // down and up
    void SetApplicationActive(bool active);

private:
    int width_;
    int height_;
    COLORREF desktop_;
    std::atomic<int> presentations_{0};
    std::atomic<HCURSOR> cursor_{nullptr};
    mutable std::mutex clipboardMutex_;
    std::wstring clipboard_;  // guarded by clipboardMutex_
};
