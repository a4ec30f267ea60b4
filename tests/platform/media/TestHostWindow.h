// A headless screen with one shown pop-up window that paints its client
// area black, for tests that draw video into a host window and read the
// screen back. Header-only so that the renderer's tests share it.
#pragma once

#include <gtest/gtest.h>

#include "platform/backend/HeadlessDisplay.h"
#include "platform/user/User.h"

inline constexpr COLORREF kTestDesktop = RGB(0, 0, 90);

inline LRESULT BlackPaintProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_PAINT) {
        PAINTSTRUCT ps{};
        HDC dc = BeginPaint(hwnd, &ps);
        RECT r{};
        GetClientRect(hwnd, &r);
        FillSolidRect(dc, &r, RGB(0, 0, 0));
        EndPaint(hwnd, &ps);
        return 0;
    }
    return DefWindowProc(hwnd, message, wParam, lParam);
}

inline void PumpMessages() {
    MSG msg{};
    while (PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE))
        DispatchMessage(&msg);
}

class TestHostWindow {
public:
    // A window whose client area is `client` in screen coordinates.
    TestHostWindow(int screenWidth, int screenHeight, RECT client)
        : display_(screenWidth, screenHeight, kTestDesktop) {
        static const ATOM atom = [] {
            WNDCLASSEXW c{sizeof(WNDCLASSEXW),
                          0,
                          BlackPaintProc,
                          0,
                          0,
                          nullptr,
                          nullptr,
                          nullptr,
                          nullptr,
                          nullptr,
                          L"TestVideoHost",
                          nullptr};
            return RegisterClassEx(&c);
        }();
        EXPECT_NE(atom, 0);
        hwnd_ = CreateWindowEx(0, L"TestVideoHost", L"", WS_POPUP | WS_VISIBLE, client.left,
                               client.top, client.right - client.left, client.bottom - client.top,
                               nullptr, nullptr, nullptr, nullptr);
        EXPECT_NE(hwnd_, nullptr);
        UpdateWindow(hwnd_);
        PumpMessages();
    }
    ~TestHostWindow() { DestroyWindow(hwnd_); }
    TestHostWindow(const TestHostWindow&) = delete;
    TestHostWindow& operator=(const TestHostWindow&) = delete;

    HWND Handle() const { return hwnd_; }
    HeadlessDisplay& Display() { return display_; }
    COLORREF PixelAt(int x, int y) const { return display_.PixelAt(x, y); }
    int CountPixels(const RECT& r, COLORREF colour) const {
        return display_.CountPixels(r, colour);
    }

private:
    HeadlessDisplay display_;
    HWND hwnd_ = nullptr;
};

// Colours within `tolerance` per component.
inline ::testing::AssertionResult NearColour(COLORREF actual, int r, int g, int b, int tolerance) {
    const int dr = int(GetRValue(actual)) - r, dg = int(GetGValue(actual)) - g,
              db = int(GetBValue(actual)) - b;
    if (std::abs(dr) <= tolerance && std::abs(dg) <= tolerance && std::abs(db) <= tolerance)
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure()
           << "got (" << int(GetRValue(actual)) << "," << int(GetGValue(actual)) << ","
           << int(GetBValue(actual)) << ") want (" << r << "," << g << "," << b << ")";
}
