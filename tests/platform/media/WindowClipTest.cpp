// Drawing into a child window stays inside its visible region: an overlapping
// sibling above it keeps its pixels on the composed screen, whether the
// drawing comes as a picture through a clipper bound to the child or through
// the child's window DC. Which sibling is above decides it, not which was
// drawn last.
#include <gtest/gtest.h>

#include "platform/gdi/Gdi.h"
#include "platform/media/DirectDraw.h"
#include "tests/platform/media/TestHostWindow.h"

namespace {

constexpr COLORREF kSibling = RGB(250, 200, 0);
constexpr COLORREF kDrawn = RGB(255, 255, 255);
constexpr RECT kHost{20, 10, 180, 130};  // screen coordinates
// Child rectangles in the host's client area: B overlaps A's right edge.
constexpr RECT kPane{10, 10, 110, 90};
constexpr RECT kButton{90, 30, 130, 60};
// Screen points: inside the overlap, inside A only, inside B only.
constexpr POINT kOverlap{kHost.left + 100, kHost.top + 45};
constexpr POINT kPaneOnly{kHost.left + 40, kHost.top + 45};
constexpr POINT kButtonOnly{kHost.left + 120, kHost.top + 45};

LRESULT SiblingPaintProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_PAINT) {
        PAINTSTRUCT ps{};
        HDC dc = BeginPaint(hwnd, &ps);
        RECT r{};
        GetClientRect(hwnd, &r);
        FillSolidRect(dc, &r, kSibling);
        EndPaint(hwnd, &ps);
        return 0;
    }
    return DefWindowProc(hwnd, message, wParam, lParam);
}

HWND MakeChild(HWND parent, const wchar_t* className, RECT r) {
    return CreateWindowEx(0, className, L"", WS_CHILD | WS_VISIBLE, r.left, r.top, r.right - r.left,
                          r.bottom - r.top, parent, nullptr, nullptr, nullptr);
}

// A white picture over the whole client area of `pane`, through a primary
// surface whose clipper is bound to it.
void BltWhite(HWND pane) {
    IDirectDraw* draw = nullptr;
    ASSERT_EQ(DirectDrawCreate(nullptr, &draw, nullptr), DD_OK);
    ASSERT_EQ(draw->SetCooperativeLevel(pane, DDSCL_NORMAL), DD_OK);
    DDSURFACEDESC desc{sizeof(DDSURFACEDESC), DDSD_CAPS};
    desc.ddsCaps.dwCaps = DDSCAPS_PRIMARYSURFACE;
    IDirectDrawSurface* primary = nullptr;
    ASSERT_EQ(draw->CreateSurface(&desc, &primary, nullptr), DD_OK);
    IDirectDrawClipper* clipper = nullptr;
    ASSERT_EQ(draw->CreateClipper(0, &clipper, nullptr), DD_OK);
    ASSERT_EQ(clipper->SetHWnd(0, pane), DD_OK);
    ASSERT_EQ(primary->SetClipper(clipper), DD_OK);
    clipper->Release();
    DDSURFACEDESC rgb{sizeof(DDSURFACEDESC), DDSD_CAPS | DDSD_WIDTH | DDSD_HEIGHT};
    rgb.dwWidth = 8;
    rgb.dwHeight = 8;
    rgb.ddsCaps.dwCaps = DDSCAPS_OFFSCREENPLAIN;
    IDirectDrawSurface* picture = nullptr;
    ASSERT_EQ(draw->CreateSurface(&rgb, &picture, nullptr), DD_OK);
    HDC pictureDc = nullptr;
    ASSERT_EQ(picture->GetDC(&pictureDc), DD_OK);
    const RECT all{0, 0, 8, 8};
    FillSolidRect(pictureDc, &all, kDrawn);
    ASSERT_EQ(picture->ReleaseDC(pictureDc), DD_OK);
    EXPECT_EQ(primary->Blt(nullptr, picture, nullptr, 0, nullptr), DD_OK);
    picture->Release();
    primary->Release();
    draw->Release();
}

void FillWhiteThroughDc(HWND pane) {
    HDC dc = GetDC(pane);
    ASSERT_NE(dc, nullptr);
    RECT r{};
    GetClientRect(pane, &r);
    FillSolidRect(dc, &r, kDrawn);
    ReleaseDC(pane, dc);
}

struct DrawCase {
    const char* name;
    void (*draw)(HWND pane);
};

const DrawCase kDrawCases[] = {
    {"Blt through a clipper", BltWhite},
    {"window DC", FillWhiteThroughDc},
};

class WindowClipTest : public ::testing::Test {
protected:
    void SetUp() override {
        static const ATOM atom = [] {
            WNDCLASSEXW c{};
            c.cbSize = sizeof(WNDCLASSEXW);
            c.lpfnWndProc = SiblingPaintProc;
            c.lpszClassName = L"TestClipSibling";
            return RegisterClassEx(&c);
        }();
        ASSERT_NE(atom, 0);
        pane_ = MakeChild(host_.Handle(), L"TestVideoHost", kPane);
        button_ = MakeChild(host_.Handle(), L"TestClipSibling", kButton);
        ASSERT_NE(pane_, nullptr);
        ASSERT_NE(button_, nullptr);
    }

    // Puts `top` above the other child and lets everything paint.
    void Raise(HWND top) {
        SetWindowPos(top, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
        RedrawWindow(host_.Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN);
        UpdateWindow(host_.Handle());
        PumpMessages();
    }

    COLORREF At(POINT p) const { return host_.PixelAt(p.x, p.y); }

    TestHostWindow host_{200, 150, kHost};
    HWND pane_ = nullptr;
    HWND button_ = nullptr;
};

TEST_F(WindowClipTest, DrawingIntoAWindowLeavesTheSiblingAboveItUntouched) {
    for (const DrawCase& c : kDrawCases) {
        SCOPED_TRACE(c.name);
        Raise(button_);
        ASSERT_EQ(At(kOverlap), kSibling);
        ASSERT_EQ(At(kPaneOnly), RGB(0, 0, 0));
        c.draw(pane_);
        EXPECT_EQ(At(kPaneOnly), kDrawn);
        EXPECT_EQ(At(kOverlap), kSibling);
        EXPECT_EQ(At(kButtonOnly), kSibling);
    }
}

TEST_F(WindowClipTest, DrawingIntoTheUpperWindowCoversTheSiblingBelow) {
    for (const DrawCase& c : kDrawCases) {
        SCOPED_TRACE(c.name);
        Raise(pane_);
        ASSERT_EQ(At(kOverlap), RGB(0, 0, 0));
        c.draw(pane_);
        EXPECT_EQ(At(kPaneOnly), kDrawn);
        EXPECT_EQ(At(kOverlap), kDrawn);
        EXPECT_EQ(At(kButtonOnly), kSibling);
    }
}

}  // namespace
