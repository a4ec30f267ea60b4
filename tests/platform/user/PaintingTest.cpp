#include <gtest/gtest.h>

#include <future>

#include "Reaper.h"
#include "TestWindows.h"
#include "platform/user/Theme.h"

namespace {

constexpr COLORREF kGrey = RGB(128, 128, 128);
constexpr COLORREF kRed = RGB(255, 0, 0);
constexpr COLORREF kBlue = RGB(0, 0, 255);
constexpr COLORREF kGreen = RGB(0, 255, 0);

// 0x00RRGGBB, as the backing store holds it.
uint32_t Pixel(COLORREF c) {
    return (uint32_t(GetRValue(c)) << 16) | (uint32_t(GetGValue(c)) << 8) | GetBValue(c);
}

void PaintsWith(HWND hwnd, COLORREF colour) {
    TestWindows::On(hwnd, WM_PAINT, [colour](HWND h, WPARAM, LPARAM) {
        PAINTSTRUCT ps{};
        HDC dc = BeginPaint(h, &ps);
        RECT r{};
        GetClientRect(h, &r);
        FillSolidRect(dc, &r, colour);
        EndPaint(h, &ps);
        return LRESULT(0);
    });
}

class Painting : public ::testing::Test {
protected:
    // The pixel at (x, y) of `hwnd`'s top-level backing store.
    uint32_t At(HWND hwnd, int x, int y) {
        WindowPixels px(hwnd);
        EXPECT_TRUE(px.Valid());
        return px.Valid() ? px.Buffer().Row(y)[x] : 0xDEADBEEF;
    }

    TestWindows windows;
};

TEST_F(Painting, ParentsPaintBeforeChildrenAndSiblingsAboveAreNotPaintedOver) {
    HWND top = windows.Top(0, 0, 40, 30);
    HWND above = windows.Child(top, 1, 5, 5, 20, 10);   // first made: on top
    HWND below = windows.Child(top, 2, 15, 5, 20, 10);  // overlaps `above` on x 15..24
    PaintsWith(top, kGrey);
    PaintsWith(above, kRed);
    PaintsWith(below, kBlue);
    TestWindows::ClearLog();
    TestWindows::Pump();
    const std::vector<HWND> order = TestWindows::WindowsThatGot(WM_PAINT);
    ASSERT_EQ(order.size(), 3u);
    EXPECT_EQ(order[0], top);
    EXPECT_EQ(At(top, 1, 1), Pixel(kGrey));
    EXPECT_EQ(At(top, 6, 6), Pixel(kRed));
    EXPECT_EQ(At(top, 20, 6), Pixel(kRed)) << "the lower sibling must not paint over the upper";
    EXPECT_EQ(At(top, 30, 6), Pixel(kBlue));
    // Repainting the lower sibling alone still leaves the overlap to the upper one.
    InvalidateRect(below, nullptr, TRUE);
    TestWindows::Pump();
    EXPECT_EQ(At(top, 20, 6), Pixel(kRed));
}

TEST_F(Painting, WindowRegionsClipPaintingAndReopenWhatTheyLeave) {
    HWND top = windows.Top(0, 0, 40, 30);
    HWND shaped = windows.Child(top, 1, 10, 10, 20, 10);
    PaintsWith(top, kGrey);
    PaintsWith(shaped, kGreen);
    SetWindowRgn(shaped, CreateRectRgn(0, 0, 10, 10), TRUE);  // the left half only
    TestWindows::Pump();
    EXPECT_EQ(At(top, 12, 12), Pixel(kGreen));
    EXPECT_EQ(At(top, 25, 12), Pixel(kGrey));
    HRGN copy = CreateRectRgn(0, 0, 0, 0);
    EXPECT_EQ(GetWindowRgn(shaped, copy), SIMPLEREGION);
    RECT box{};
    GetRgnBox(copy, &box);
    EXPECT_EQ(box.right, 10);
    DeleteObject(copy);
    // Dropping the region lets the window paint its right half again.
    HRGN owned = CreateRectRgn(0, 0, 5, 5);
    SetWindowRgn(shaped, owned, TRUE);
    SetWindowRgn(shaped, nullptr, TRUE);
    EXPECT_EQ(GetObjectType(owned), 0u) << "the window deletes the region it replaces";
    TestWindows::Pump();
    EXPECT_EQ(At(top, 25, 12), Pixel(kGreen));
    owned = CreateRectRgn(0, 0, 5, 5);
    SetWindowRgn(shaped, owned, FALSE);
    DestroyWindow(shaped);
    EXPECT_EQ(GetObjectType(owned), 0u) << "and the one it has when it goes";
}

TEST_F(Painting, HidingAChildExposesItsParent) {
    HWND top = windows.Top(0, 0, 40, 30);
    HWND child = windows.Child(top, 1, 0, 0, 20, 20);
    PaintsWith(top, kGrey);
    PaintsWith(child, kRed);
    TestWindows::Pump();
    ASSERT_EQ(At(top, 5, 5), Pixel(kRed));
    ShowWindow(child, SW_HIDE);
    TestWindows::Pump();
    EXPECT_EQ(At(top, 5, 5), Pixel(kGrey));
    MoveWindow(child, 20, 10, 20, 20, TRUE);
    ShowWindow(child, SW_SHOW);
    TestWindows::Pump();
    EXPECT_EQ(At(top, 5, 5), Pixel(kGrey));
    EXPECT_EQ(At(top, 25, 15), Pixel(kRed));
}

TEST_F(Painting, ClipChildrenKeepsTheParentOffItsChildren) {
    HWND top = windows.Top(0, 0, 40, 30, WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN);
    HWND child = windows.Child(top, 1, 0, 0, 20, 20);
    PaintsWith(top, kGrey);
    PaintsWith(child, kRed);
    TestWindows::Pump();
    TestWindows::ClearLog();
    InvalidateRect(top, nullptr, TRUE);
    TestWindows::Pump();
    EXPECT_EQ(TestWindows::WindowsThatGot(WM_PAINT), std::vector<HWND>{top});
    EXPECT_EQ(At(top, 5, 5), Pixel(kRed));
    // Without the style the children are invalidated with their parent.
    SetWindowLongPtr(top, GWL_STYLE, GetWindowLongPtr(top, GWL_STYLE) & ~LONG_PTR(WS_CLIPCHILDREN));
    TestWindows::ClearLog();
    InvalidateRect(top, nullptr, TRUE);
    TestWindows::Pump();
    EXPECT_EQ(TestWindows::WindowsThatGot(WM_PAINT), (std::vector<HWND>{top, child}));
}

TEST_F(Painting, UpdateRegionsEraseAndValidation) {
    HWND top = windows.Top(0, 0, 40, 30);
    TestWindows::Pump();
    RECT part{10, 10, 20, 15};
    RECT seen{};
    TestWindows::On(top, WM_PAINT, [&](HWND h, WPARAM, LPARAM) {
        PAINTSTRUCT ps{};
        BeginPaint(h, &ps);
        seen = ps.rcPaint;
        EndPaint(h, &ps);
        return LRESULT(0);
    });
    TestWindows::ClearLog();
    InvalidateRect(top, &part, FALSE);
    RECT update{};
    EXPECT_TRUE(GetUpdateRect(top, &update, FALSE));
    EXPECT_TRUE(EqualRect(&update, &part));
    TestWindows::Pump();
    EXPECT_TRUE(EqualRect(&seen, &part));
    EXPECT_EQ(TestWindows::WindowsThatGot(WM_ERASEBKGND).size(), 0u);
    EXPECT_FALSE(GetUpdateRect(top, &update, FALSE));
    InvalidateRect(top, nullptr, TRUE);
    ValidateRect(top, nullptr);
    TestWindows::ClearLog();
    TestWindows::Pump();
    EXPECT_TRUE(TestWindows::WindowsThatGot(WM_PAINT).empty());
    InvalidateRect(top, nullptr, TRUE);
    UpdateWindow(top);
    EXPECT_EQ(TestWindows::WindowsThatGot(WM_ERASEBKGND), std::vector<HWND>{top});
}

TEST_F(Painting, InvalidateFromAnotherThreadDoesNotWaitForTheOwner) {
    Reaper reaper;
    HWND top = windows.Top(0, 0, 40, 30);
    PaintsWith(top, kBlue);
    TestWindows::Pump();
    // The owner (this thread) does not look at its queue while the other thread runs.
    std::async(std::launch::async, [top] {
        EXPECT_TRUE(InvalidateRect(top, nullptr, TRUE));
    }).get();
    TestWindows::ClearLog();
    MSG msg{};
    ASSERT_TRUE(GetMessage(&msg, nullptr, 0, 0));
    EXPECT_EQ(msg.message, UINT(WM_PAINT));
    EXPECT_EQ(msg.hwnd, top);
}

TEST_F(Painting, TheScreenBlendsLayeredAndShapedTopLevelWindows) {
    HWND back = windows.Top(0, 0, 4, 4);
    HWND front = windows.Top(2, 0, 4, 4, WS_POPUP | WS_VISIBLE, WS_EX_LAYERED);
    PaintsWith(back, kRed);
    PaintsWith(front, kBlue);
    TestWindows::Pump();
    SetLayeredWindowAttributes(front, 0, 128, LWA_ALPHA);
    std::vector<uint32_t> screen(8 * 4);
    const PixelBuffer target{screen.data(), 8, 8, 4};
    ComposeScreen(target, kGreen);
    EXPECT_EQ(screen[0], Pixel(kRed));
    EXPECT_EQ(screen[2], 0x7F0080u) << "half of blue over red";
    EXPECT_EQ(screen[7], Pixel(kGreen)) << "the desktop beside both";
    SetLayeredWindowAttributes(front, 0, 255, LWA_ALPHA);
    SetWindowRgn(front, CreateRectRgn(0, 0, 1, 4), FALSE);
    ComposeScreen(target, kGreen);
    EXPECT_EQ(screen[2], Pixel(kBlue));
    EXPECT_EQ(screen[3], Pixel(kRed)) << "cut away by the region";
    EXPECT_EQ(screen[6], Pixel(kGreen));
}

TEST_F(Painting, ARendererWritesAPaneFromItsOwnThread) {
    Reaper reaper;
    HWND top = windows.Top(0, 0, 40, 30, WS_POPUP | WS_VISIBLE | WS_BORDER);
    HWND pane = windows.Child(top, 1, 10, 5, 8, 6);
    TestWindows::Pump();
    std::thread([pane] {
        WindowPixels px(pane);
        ASSERT_TRUE(px.Valid());
        const RECT a = px.Area();
        EXPECT_EQ(a.left, 11) << "the pane's client area inside the frame";
        EXPECT_EQ(a.top, 6);
        EXPECT_EQ(a.right - a.left, 8);
        for (LONG y = a.top; y < a.bottom; ++y) {
            for (LONG x = a.left; x < a.right; ++x)
                px.Buffer().Row(y)[x] = Pixel(kGreen);
        }
        px.Unlock();
        RequestWindowPresentation(pane);
    }).join();
    EXPECT_EQ(At(top, 11, 6), Pixel(kGreen));
    EXPECT_EQ(At(top, 18, 11), Pixel(kGreen));
    EXPECT_NE(At(top, 19, 11), Pixel(kGreen));
    ShowWindow(top, SW_HIDE);
    EXPECT_FALSE(WindowPixels(pane).Valid()) << "nothing to write into while hidden";
}

TEST_F(Painting, TheDefaultProcedureDrawsFrameAndCaption) {
    const DWORD style = WS_POPUP | WS_VISIBLE | WS_CAPTION | WS_SYSMENU;
    HWND top = windows.Top(0, 0, 120, 60, style);
    PaintsWith(top, kBlue);
    SetActiveWindow(top);
    TestWindows::Pump();
    const NonClientLayout l = LayoutNonClient(style, 0, 120, 60);
    EXPECT_EQ(At(top, l.caption.left + 40, l.caption.top + 1), Pixel(kTheme.captionActive));
    EXPECT_EQ(At(top, l.client.left, l.client.top), Pixel(kBlue));
    EXPECT_EQ(At(top, 0, 30), Pixel(kTheme.frameActive)) << "the outline";
    EXPECT_EQ(At(top, 1, 30), Pixel(kTheme.captionActive))
        << "the frame, of a piece with the caption";
    HWND other = windows.Top(200, 0, 50, 50, style);
    SetActiveWindow(other);
    TestWindows::Pump();
    EXPECT_EQ(At(top, l.caption.left + 40, l.caption.top + 1), Pixel(kTheme.captionInactive));
}

}  // namespace
