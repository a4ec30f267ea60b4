// Throughput of the GDI layer's hot paths: the blits a video pane and the
// export overlay use, and text as the display threads draw it. Prints
// megapixels per second (destination pixels, or glyph cells for text).
#include <chrono>
#include <cstdio>
#include <cwchar>
#include <functional>
#include <thread>
#include <vector>

#include "platform/gdi/Gdi.h"

namespace {

// A memory context with a DIB section of the given format.
struct Target {
    Target(int w, int h, int bits) : width(w), height(h) {
        BITMAPINFO info{};
        info.bmiHeader = {sizeof(BITMAPINFOHEADER), w, -h, 1, WORD(bits), BI_RGB, 0, 0, 0, 0, 0};
        dc = CreateCompatibleDC(nullptr);
        void* pixels = nullptr;
        bitmap = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &pixels, nullptr, 0);
        old = SelectObject(dc, bitmap);
        RECT all{0, 0, w, h};
        HBRUSH brush = CreateSolidBrush(RGB(40, 80, 120));
        FillRect(dc, &all, brush);
        DeleteObject(brush);
    }
    ~Target() {
        SelectObject(dc, old);
        DeleteObject(bitmap);
        DeleteDC(dc);
    }
    int width, height;
    HDC dc;
    HBITMAP bitmap;
    HGDIOBJ old;
};

// Runs `work` (which touches `pixels` pixels) for about half a second.
void Measure(const char* name, double pixels, const std::function<void()>& work) {
    using Clock = std::chrono::steady_clock;
    work();  // warm up: fonts realised, caches filled
    int runs = 0;
    auto start = Clock::now();
    double seconds = 0;
    while (seconds < 0.5) {
        work();
        ++runs;
        seconds = std::chrono::duration<double>(Clock::now() - start).count();
    }
    std::printf("%-44s %10.1f Mpixel/s  %9.3f ms/call\n", name, pixels * runs / seconds / 1e6,
                seconds * 1e3 / runs);
}

HFONT Arial(int height) {
    return CreateFontW(height, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, L"Arial");
}

void TextBench(const char* name, int threads) {
    const wchar_t* text = L"CH1 960H-P @25 fps 2026-12-10 10:25:00 \x2103";
    int length = int(std::wcslen(text));
    std::vector<std::unique_ptr<Target>> targets;
    for (int i = 0; i < threads; ++i)
        targets.push_back(std::make_unique<Target>(480, 40, 32));
    HFONT font = Arial(-20);
    SIZE extent{};
    SelectObject(targets[0]->dc, font);
    GetTextExtentPoint32(targets[0]->dc, text, length, &extent);
    for (auto& t : targets) {
        SelectObject(t->dc, font);
        SetBkMode(t->dc, TRANSPARENT);
    }
    constexpr int kPerThread = 50;
    Measure(name, double(extent.cx) * extent.cy * kPerThread * threads, [&] {
        std::vector<std::thread> pool;
        for (auto& t : targets) {
            pool.emplace_back([&t, text, length] {
                RECT rect{0, 20, 480, 40};
                for (int i = 0; i < kPerThread; ++i) {
                    DrawShadowText(t->dc, text, UINT(length), &rect, 0, RGB(255, 255, 255), 0, 1,
                                   1);
                }
            });
        }
        for (std::thread& th : pool)
            th.join();
    });
    for (auto& t : targets)
        SelectObject(t->dc, GetStockObject(SYSTEM_FONT));
    DeleteObject(font);
}

}  // namespace

int main() {
    Target frame(1920, 1080, 32), other(1920, 1080, 32);
    Target pane(960, 540, 32), picture(704, 576, 32);
    Target overlay(1280, 720, 24);
    Measure("BitBlt SRCCOPY 1920x1080 32->32", 1920.0 * 1080,
            [&] { BitBlt(frame.dc, 0, 0, 1920, 1080, other.dc, 0, 0, SRCCOPY); });
    Measure("BitBlt SRCCOPY 960x540 into 1920x1080", 960.0 * 540,
            [&] { BitBlt(frame.dc, 480, 270, 960, 540, pane.dc, 0, 0, SRCCOPY); });
    Measure("BitBlt SRCAND 960x540", 960.0 * 540,
            [&] { BitBlt(frame.dc, 0, 0, 960, 540, pane.dc, 0, 0, SRCAND); });
    Measure("BitBlt SRCCOPY 1280x720 24-bit -> 32", 1280.0 * 720,
            [&] { BitBlt(frame.dc, 0, 0, 1280, 720, overlay.dc, 0, 0, SRCCOPY); });
    Measure("StretchBlt 704x576 -> 960x540", 960.0 * 540,
            [&] { StretchBlt(pane.dc, 0, 0, 960, 540, picture.dc, 0, 0, 704, 576, SRCCOPY); });
    Target full(1920, 1080, 32);
    SetStretchBltMode(pane.dc, HALFTONE);
    Measure("StretchBlt HALFTONE 1920x1080 -> 960x540", 960.0 * 540,
            [&] { StretchBlt(pane.dc, 0, 0, 960, 540, full.dc, 0, 0, 1920, 1080, SRCCOPY); });
    SetStretchBltMode(pane.dc, COLORONCOLOR);
    Measure("StretchBlt mirrored 960x540", 960.0 * 540,
            [&] { StretchBlt(frame.dc, 959, 0, -960, 540, pane.dc, 0, 0, 960, 540, SRCCOPY); });
    Measure("TransparentBlt 704x576 -> 960x540", 960.0 * 540, [&] {
        TransparentBlt(pane.dc, 0, 0, 960, 540, picture.dc, 0, 0, 704, 576, RGB(0, 0, 255));
    });
    BLENDFUNCTION blend{AC_SRC_OVER, 0, 128, 0};
    Measure("AlphaBlend constant 960x540", 960.0 * 540,
            [&] { AlphaBlend(frame.dc, 0, 0, 960, 540, pane.dc, 0, 0, 960, 540, blend); });
    HBRUSH brush = CreateSolidBrush(RGB(1, 2, 3));
    RECT all{0, 0, 1920, 1080};
    Measure("FillRect 1920x1080", 1920.0 * 1080, [&] { FillRect(frame.dc, &all, brush); });
    HRGN round = CreateRoundRectRgn(0, 0, 1920, 1080, 200, 200);
    SelectClipRgn(frame.dc, round);
    Measure("FillRect 1920x1080 clipped to a round rect", 1920.0 * 1080,
            [&] { FillRect(frame.dc, &all, brush); });
    SelectClipRgn(frame.dc, nullptr);
    DeleteObject(round);
    DeleteObject(brush);
    TextBench("DrawShadowText Arial 20, 1 thread", 1);
    TextBench("DrawShadowText Arial 20, 16 threads", 16);
    return 0;
}
