#include "platform/backend/HeadlessDisplay.h"

#include <gtest/gtest.h>

#include "platform/user/User.h"

namespace {

constexpr COLORREF kDesktop = RGB(0, 64, 128);
constexpr COLORREF kPaint = RGB(200, 10, 20);

LRESULT PaintingProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_PAINT) {
        PAINTSTRUCT ps{};
        HDC dc = BeginPaint(hwnd, &ps);
        RECT r{};
        GetClientRect(hwnd, &r);
        FillSolidRect(dc, &r, kPaint);
        EndPaint(hwnd, &ps);
        return 0;
    }
    if (message == WM_LBUTTONDOWN)
        SetWindowLongPtr(hwnd, GWLP_USERDATA, lParam);
    return DefWindowProc(hwnd, message, wParam, lParam);
}

void Pump() {
    MSG msg{};
    while (PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE))
        DispatchMessage(&msg);
}

class Headless : public ::testing::Test {
protected:
    void SetUp() override {
        static const ATOM atom = [] {
            WNDCLASSEXW c{sizeof(WNDCLASSEXW),
                          0,
                          PaintingProc,
                          0,
                          0,
                          nullptr,
                          nullptr,
                          nullptr,
                          nullptr,
                          nullptr,
                          L"HeadlessProbe",
                          nullptr};
            return RegisterClassEx(&c);
        }();
        ASSERT_NE(atom, 0);
    }

    HeadlessDisplay display{64, 48, kDesktop};
};

TEST_F(Headless, TheScreenShowsTheDesktopAndTheWindowsOnIt) {
    EXPECT_EQ(GetSystemMetrics(SM_CXSCREEN), 64);
    EXPECT_EQ(display.PixelAt(0, 0), kDesktop);
    HWND w = CreateWindowEx(0, L"HeadlessProbe", L"", WS_POPUP | WS_VISIBLE, 10, 20, 8, 4, nullptr,
                            nullptr, nullptr, nullptr);
    const int before = display.Presentations();
    Pump();
    EXPECT_GT(display.Presentations(), before);
    EXPECT_EQ(display.PixelAt(10, 20), kPaint);
    EXPECT_EQ(display.PixelAt(17, 23), kPaint);
    EXPECT_EQ(display.PixelAt(18, 23), kDesktop);
    EXPECT_EQ(display.PixelAt(64, 0), CLR_INVALID);
    MoveWindow(w, 0, 0, 8, 4, TRUE);
    Pump();
    EXPECT_EQ(display.PixelAt(10, 20), kDesktop);
    EXPECT_EQ(display.PixelAt(0, 0), kPaint);
    MoveWindow(w, -4, 46, 8, 4, TRUE);  // partly off the screen's left and bottom edges
    Pump();
    EXPECT_EQ(display.PixelAt(0, 46), kPaint);
    EXPECT_EQ(display.PixelAt(3, 47), kPaint);
    EXPECT_EQ(display.PixelAt(4, 47), kDesktop);
    ShowWindow(w, SW_HIDE);
    EXPECT_EQ(display.PixelAt(0, 46), kDesktop);
    DestroyWindow(w);
}

TEST_F(Headless, CountsThePixelsOfAColourInAnAreaCutToTheScreen) {
    HWND w = CreateWindowEx(0, L"HeadlessProbe", L"", WS_POPUP | WS_VISIBLE, 10, 20, 8, 4, nullptr,
                            nullptr, nullptr, nullptr);
    Pump();
    const struct {
        RECT area;
        COLORREF colour;
        int count;
    } cases[] = {
        {{10, 20, 18, 24}, kPaint, 32},  // the window
        {{0, 0, 64, 48}, kPaint, 32},    // the screen
        {{0, 0, 64, 48}, kDesktop, 64 * 48 - 32},
        {{14, 22, 40, 40}, kPaint, 8},     // overlapping the window's corner
        {{-5, -5, 100, 100}, kPaint, 32},  // beyond every edge
        {{60, 0, 70, 1}, kDesktop, 4},     // beyond the right edge
        {{20, 20, 10, 30}, kDesktop, 0},   // empty
        {{0, 0, 64, 48}, RGB(1, 2, 3), 0},
    };
    for (const auto& c : cases)
        EXPECT_EQ(display.CountPixels(c.area, c.colour), c.count)
            << c.area.left << "," << c.area.top << " " << c.area.right << "," << c.area.bottom;
    DestroyWindow(w);
}

TEST_F(Headless, InputReachesTheWindowUnderTheCursor) {
    HWND w = CreateWindowEx(0, L"HeadlessProbe", L"", WS_POPUP | WS_VISIBLE, 10, 20, 8, 4, nullptr,
                            nullptr, nullptr, nullptr);
    display.Click(POINT{13, 21});
    Pump();
    EXPECT_EQ(GetWindowLongPtr(w, GWLP_USERDATA), MAKELPARAM(3, 1));
    SetCursor(LoadCursor(nullptr, IDC_HAND));
    EXPECT_EQ(display.Cursor(), LoadCursor(nullptr, IDC_HAND));
    DestroyWindow(w);
}

}  // namespace
