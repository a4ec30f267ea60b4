#include "platform/media/DirectDraw.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <thread>
#include <vector>

#include "platform/gdi/Gdi.h"
#include "tests/platform/media/TestHostWindow.h"

namespace {

struct Yuv {
    uint8_t y, u, v;
};

// BT.601 limited range, the decoders' output.
COLORREF ExpectedRgb(Yuv c) {
    const double y = 1.164 * (c.y - 16), u = c.u - 128.0, v = c.v - 128.0;
    auto clamp = [](double x) { return int(std::clamp(x + 0.5, 0.0, 255.0)); };
    return RGB(clamp(y + 1.596 * v), clamp(y - 0.813 * v - 0.391 * u), clamp(y + 2.018 * u));
}

::testing::AssertionResult Near(COLORREF actual, COLORREF want) {
    return NearColour(actual, GetRValue(want), GetGValue(want), GetBValue(want), 4);
}

constexpr Yuv kRed{81, 90, 240};
constexpr Yuv kGreen{145, 54, 34};
constexpr RECT kClient{20, 10, 180, 130};  // screen coordinates

class DirectDrawTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_EQ(DirectDrawCreate(nullptr, &draw_, nullptr), DD_OK);
        ASSERT_EQ(draw_->SetCooperativeLevel(host_.Handle(), DDSCL_NORMAL), DD_OK);
        DDSURFACEDESC desc{sizeof(DDSURFACEDESC), DDSD_CAPS};
        desc.ddsCaps.dwCaps = DDSCAPS_PRIMARYSURFACE;
        ASSERT_EQ(draw_->CreateSurface(&desc, &primary_, nullptr), DD_OK);
        IDirectDrawClipper* clipper = nullptr;
        ASSERT_EQ(draw_->CreateClipper(0, &clipper, nullptr), DD_OK);
        ASSERT_EQ(clipper->SetHWnd(0, host_.Handle()), DD_OK);
        ASSERT_EQ(primary_->SetClipper(clipper), DD_OK);
        clipper->Release();  // the primary keeps it
    }
    void TearDown() override {
        if (primary_ != nullptr)
            primary_->Release();
        if (draw_ != nullptr)
            draw_->Release();
    }

    IDirectDrawSurface* MakeYv12(int width, int height) {
        DDSURFACEDESC desc{sizeof(DDSURFACEDESC),
                           DDSD_CAPS | DDSD_WIDTH | DDSD_HEIGHT | DDSD_PIXELFORMAT};
        desc.dwWidth = DWORD(width);
        desc.dwHeight = DWORD(height);
        desc.ddsCaps.dwCaps = DDSCAPS_OFFSCREENPLAIN;
        desc.ddpfPixelFormat =
            DDPIXELFORMAT{sizeof(DDPIXELFORMAT), DDPF_FOURCC, FOURCC_YV12, 8, 0, 0, 0, 0};
        IDirectDrawSurface* surface = nullptr;
        EXPECT_EQ(draw_->CreateSurface(&desc, &surface, nullptr), DD_OK);
        return surface;
    }

    // A YV12 surface over `memory` at `pitch`; its result, the surface or null.
    HRESULT MakeYv12Over(void* memory, int pitch, int width, int height,
                         IDirectDrawSurface** surface, bool yv12 = true) {
        DDSURFACEDESC desc{sizeof(DDSURFACEDESC),
                           DDSD_CAPS | DDSD_WIDTH | DDSD_HEIGHT | DDSD_LPSURFACE | DDSD_PITCH};
        desc.dwWidth = DWORD(width);
        desc.dwHeight = DWORD(height);
        desc.lPitch = pitch;
        desc.lpSurface = memory;
        desc.ddsCaps.dwCaps = DDSCAPS_OFFSCREENPLAIN;
        if (yv12) {
            desc.dwFlags |= DDSD_PIXELFORMAT;
            desc.ddpfPixelFormat =
                DDPIXELFORMAT{sizeof(DDPIXELFORMAT), DDPF_FOURCC, FOURCC_YV12, 8, 0, 0, 0, 0};
        }
        *surface = nullptr;
        return draw_->CreateSurface(&desc, surface, nullptr);
    }

    IDirectDrawSurface* MakePane(int width, int height) {
        DDSURFACEDESC desc{sizeof(DDSURFACEDESC), DDSD_CAPS | DDSD_WIDTH | DDSD_HEIGHT};
        desc.dwWidth = DWORD(width);
        desc.dwHeight = DWORD(height);
        desc.ddsCaps.dwCaps = DDSCAPS_OFFSCREENPLAIN;
        IDirectDrawSurface* surface = nullptr;
        EXPECT_EQ(draw_->CreateSurface(&desc, &surface, nullptr), DD_OK);
        return surface;
    }

    // Fills the left `split` columns with `left`, the rest with `right`,
    // through the surface's own pitch.
    static void Fill(IDirectDrawSurface* surface, Yuv left, Yuv right, int split) {
        DDSURFACEDESC desc{sizeof(DDSURFACEDESC)};
        ASSERT_EQ(surface->Lock(nullptr, &desc, DDLOCK_WAIT, nullptr), DD_OK);
        const int w = int(desc.dwWidth), h = int(desc.dwHeight), pitch = desc.lPitch;
        auto* y = static_cast<uint8_t*>(desc.lpSurface);
        uint8_t* v = y + size_t(pitch) * h;
        uint8_t* u = v + size_t(pitch / 2) * ((h + 1) / 2);
        for (int row = 0; row < h; ++row)
            for (int col = 0; col < w; ++col)
                y[row * pitch + col] = col < split ? left.y : right.y;
        for (int row = 0; row < (h + 1) / 2; ++row)
            for (int col = 0; col < (w + 1) / 2; ++col) {
                const Yuv& c = col * 2 < split ? left : right;
                v[row * (pitch / 2) + col] = c.v;
                u[row * (pitch / 2) + col] = c.u;
            }
        ASSERT_EQ(surface->Unlock(nullptr), DD_OK);
    }

    TestHostWindow host_{200, 150, kClient};
    IDirectDraw* draw_ = nullptr;
    IDirectDrawSurface* primary_ = nullptr;
};

TEST_F(DirectDrawTest, Yv12SurfaceHasAPitchBeyondItsWidthAndPlanesInYv12Order) {
    IDirectDrawSurface* picture = MakeYv12(40, 20);
    DDSURFACEDESC desc{sizeof(DDSURFACEDESC)};
    ASSERT_EQ(picture->Lock(nullptr, &desc, DDLOCK_WAIT, nullptr), DD_OK);
    EXPECT_EQ(desc.dwWidth, 40u);
    EXPECT_GT(desc.lPitch, 40);
    EXPECT_EQ(desc.ddpfPixelFormat.dwFourCC, 0x32315659u);
    DDSURFACEDESC again{sizeof(DDSURFACEDESC)};
    EXPECT_EQ(picture->Lock(nullptr, &again, DDLOCK_WAIT, nullptr), DDERR_SURFACEBUSY);
    EXPECT_EQ(primary_->Blt(nullptr, picture, nullptr, DDBLT_WAIT, nullptr), DDERR_SURFACEBUSY);
    ASSERT_EQ(picture->Unlock(nullptr), DD_OK);
    EXPECT_EQ(picture->Unlock(nullptr), DDERR_NOTLOCKED);
    picture->Release();
}

TEST_F(DirectDrawTest, BltConvertsAndStretchesIntoTheScreenRectangleOfTheClientArea) {
    IDirectDrawSurface* picture = MakeYv12(40, 20);
    Fill(picture, kRed, kGreen, 20);
    RECT target{40, 30, 120, 90};  // screen: 80 x 60, twice and three times the picture
    ASSERT_EQ(primary_->Blt(&target, picture, nullptr, 0, nullptr), DD_OK);
    EXPECT_TRUE(Near(host_.PixelAt(50, 60), ExpectedRgb(kRed)));
    EXPECT_TRUE(Near(host_.PixelAt(110, 60), ExpectedRgb(kGreen)));
    EXPECT_TRUE(Near(host_.PixelAt(41, 31), ExpectedRgb(kRed)));
    EXPECT_TRUE(Near(host_.PixelAt(118, 88), ExpectedRgb(kGreen)));
    EXPECT_EQ(host_.PixelAt(39, 60), RGB(0, 0, 0));  // the client area outside
    EXPECT_EQ(host_.PixelAt(80, 90), RGB(0, 0, 0));
    picture->Release();
}

// The surface never copies the caller's picture: what the caller writes
// there later is what the next Blt shows.
TEST_F(DirectDrawTest, AYv12SurfaceOverTheCallersMemoryIsDrawnFromItInPlace) {
    std::vector<uint8_t> memory(40 * 20 * 3 / 2, 0);
    IDirectDrawSurface* picture = nullptr;
    ASSERT_EQ(MakeYv12Over(memory.data(), 40, 40, 20, &picture), DD_OK);
    DDSURFACEDESC desc{sizeof(DDSURFACEDESC)};
    ASSERT_EQ(picture->Lock(nullptr, &desc, DDLOCK_WAIT, nullptr), DD_OK);
    EXPECT_EQ(desc.lpSurface, memory.data());
    EXPECT_EQ(desc.lPitch, 40);
    ASSERT_EQ(picture->Unlock(nullptr), DD_OK);
    Fill(picture, kRed, kGreen, 20);
    RECT target{40, 30, 120, 90};
    ASSERT_EQ(primary_->Blt(&target, picture, nullptr, 0, nullptr), DD_OK);
    EXPECT_TRUE(Near(host_.PixelAt(50, 60), ExpectedRgb(kRed)));
    EXPECT_TRUE(Near(host_.PixelAt(110, 60), ExpectedRgb(kGreen)));

    std::fill_n(memory.begin(), 40 * 20, kGreen.y);
    std::fill_n(memory.begin() + 40 * 20, 20 * 10, kGreen.v);
    std::fill_n(memory.begin() + 40 * 20 + 20 * 10, 20 * 10, kGreen.u);
    ASSERT_EQ(primary_->Blt(&target, picture, nullptr, 0, nullptr), DD_OK);
    EXPECT_TRUE(Near(host_.PixelAt(50, 60), ExpectedRgb(kGreen)));
    picture->Release();
    EXPECT_EQ(memory[0], kGreen.y);  // the memory stays the caller's
}

TEST_F(DirectDrawTest, ASurfaceOverTheCallersMemoryNeedsAUsablePitchAndYv12) {
    std::vector<uint8_t> memory(64 * 20 * 3 / 2);
    struct Refused {
        void* memory;
        int pitch;
        bool yv12;
    };
    for (const Refused& r : {Refused{nullptr, 40, true}, Refused{memory.data(), 39, true},
                             Refused{memory.data(), 41, true}, Refused{memory.data(), 64, false}}) {
        IDirectDrawSurface* surface = nullptr;
        EXPECT_EQ(MakeYv12Over(r.memory, r.pitch, 40, 20, &surface, r.yv12), DDERR_INVALIDPARAMS)
            << "pitch " << r.pitch;
        EXPECT_EQ(surface, nullptr);
    }
    IDirectDrawSurface* wide = nullptr;
    ASSERT_EQ(MakeYv12Over(memory.data(), 64, 40, 20, &wide), DD_OK);
    wide->Release();
}

TEST_F(DirectDrawTest, BltIsCutToTheClientArea) {
    IDirectDrawSurface* picture = MakeYv12(16, 16);
    Fill(picture, kRed, kRed, 16);
    RECT target{0, 0, 60, 60};  // starts on the desktop, left of and above the window
    ASSERT_EQ(primary_->Blt(&target, picture, nullptr, 0, nullptr), DD_OK);
    EXPECT_EQ(host_.PixelAt(10, 5), kTestDesktop);
    EXPECT_EQ(host_.PixelAt(25, 5), kTestDesktop);
    EXPECT_TRUE(Near(host_.PixelAt(25, 15), ExpectedRgb(kRed)));
    EXPECT_EQ(host_.PixelAt(61, 15), RGB(0, 0, 0));
    picture->Release();
}

TEST_F(DirectDrawTest, TextOnThePaneSurfaceReachesTheScreen) {
    IDirectDrawSurface* picture = MakeYv12(32, 32);
    Fill(picture, kGreen, kGreen, 32);
    IDirectDrawSurface* pane = MakePane(100, 60);
    ASSERT_EQ(pane->Blt(nullptr, picture, nullptr, DDBLT_WAIT, nullptr), DD_OK);
    HDC dc = nullptr;
    ASSERT_EQ(pane->GetDC(&dc), DD_OK);
    HDC second = nullptr;
    EXPECT_EQ(pane->GetDC(&second), DDERR_DCALREADYCREATED);
    RECT text{0, 0, 100, 60};
    DrawShadowText(dc, L"\u2588\u2588\u2588", 3, &text, DT_LEFT, RGB(255, 255, 255), 0, 1, 1);
    ASSERT_EQ(pane->ReleaseDC(dc), DD_OK);
    RECT target{kClient.left, kClient.top, kClient.left + 100, kClient.top + 60};
    ASSERT_EQ(primary_->Blt(&target, pane, nullptr, 0, nullptr), DD_OK);
    int white = 0;
    for (int y = 0; y < 20; ++y)
        for (int x = 0; x < 40; ++x)
            white += host_.PixelAt(kClient.left + x, kClient.top + y) == RGB(255, 255, 255);
    EXPECT_GT(white, 20);
    EXPECT_TRUE(Near(host_.PixelAt(kClient.left + 90, kClient.top + 50), ExpectedRgb(kGreen)));
    pane->Release();
    picture->Release();
}

TEST_F(DirectDrawTest, RefusesWhatItCannotDo) {
    IDirectDrawSurface* picture = MakeYv12(16, 16);
    RECT outside{0, 0, 17, 16};
    EXPECT_EQ(primary_->Blt(nullptr, picture, &outside, 0, nullptr), DDERR_INVALIDRECT);
    DDSURFACEDESC desc{sizeof(DDSURFACEDESC)};
    EXPECT_EQ(primary_->Lock(nullptr, &desc, DDLOCK_WAIT, nullptr), DDERR_UNSUPPORTED);
    HDC dc = nullptr;
    EXPECT_EQ(picture->GetDC(&dc), DDERR_UNSUPPORTED);
    EXPECT_EQ(picture->Blt(nullptr, picture, nullptr, 0, nullptr), DDERR_INVALIDPARAMS);
    DDSURFACEDESC huge{sizeof(DDSURFACEDESC), DDSD_CAPS | DDSD_WIDTH | DDSD_HEIGHT};
    huge.dwWidth = 9000;
    huge.dwHeight = 10;
    huge.ddsCaps.dwCaps = DDSCAPS_OFFSCREENPLAIN;
    IDirectDrawSurface* none = nullptr;
    EXPECT_EQ(draw_->CreateSurface(&huge, &none, nullptr), DDERR_INVALIDPARAMS);
    EXPECT_EQ(none, nullptr);

    DDSURFACEDESC primaryDesc{sizeof(DDSURFACEDESC), DDSD_CAPS};
    primaryDesc.ddsCaps.dwCaps = DDSCAPS_PRIMARYSURFACE;
    IDirectDrawSurface* unbound = nullptr;
    ASSERT_EQ(draw_->CreateSurface(&primaryDesc, &unbound, nullptr), DD_OK);
    EXPECT_EQ(unbound->Blt(nullptr, picture, nullptr, 0, nullptr), DDERR_NOCLIPPERATTACHED);
    unbound->Release();
    picture->Release();
}

// Sixteen threads, each with its own drawing object, picture and primary
// bound to the same window, draw a 4 x 4 grid at once.
TEST_F(DirectDrawTest, SixteenThreadsDrawTheirPanesAtOnce) {
    const int cell = 40;
    std::vector<std::thread> threads;
    for (int p = 0; p < 16; ++p) {
        threads.emplace_back([&, p] {
            IDirectDraw* draw = nullptr;
            ASSERT_EQ(DirectDrawCreate(nullptr, &draw, nullptr), DD_OK);
            DDSURFACEDESC desc{sizeof(DDSURFACEDESC), DDSD_CAPS};
            desc.ddsCaps.dwCaps = DDSCAPS_PRIMARYSURFACE;
            IDirectDrawSurface* primary = nullptr;
            ASSERT_EQ(draw->CreateSurface(&desc, &primary, nullptr), DD_OK);
            IDirectDrawClipper* clipper = nullptr;
            ASSERT_EQ(draw->CreateClipper(0, &clipper, nullptr), DD_OK);
            clipper->SetHWnd(0, host_.Handle());
            primary->SetClipper(clipper);
            clipper->Release();
            IDirectDrawSurface* picture = MakeYv12(32, 24);
            const Yuv colour = p % 2 == 0 ? kRed : kGreen;
            Fill(picture, colour, colour, 32);
            const RECT target{kClient.left + (p % 4) * cell, kClient.top + (p / 4) * 30,
                              kClient.left + (p % 4 + 1) * cell, kClient.top + (p / 4 + 1) * 30};
            for (int i = 0; i < 20; ++i)
                EXPECT_EQ(primary->Blt(const_cast<RECT*>(&target), picture, nullptr, 0, nullptr),
                          DD_OK);
            picture->Release();
            primary->Release();
            draw->Release();
        });
    }
    for (std::thread& t : threads)
        t.join();
    for (int p = 0; p < 16; ++p) {
        const COLORREF want = ExpectedRgb(p % 2 == 0 ? kRed : kGreen);
        EXPECT_TRUE(Near(host_.PixelAt(kClient.left + (p % 4) * cell + cell / 2,
                                       kClient.top + (p / 4) * 30 + 15),
                         want))
            << "pane " << p;
    }
}

}  // namespace
