#include "player/render/Renderer.h"

#include <gtest/gtest.h>

#include "platform/media/Desktop.h"
#include "player/render/PaneLayout.h"
#include "tests/player/render/RenderTestSupport.h"

namespace {

constexpr RECT kClient{8, 6, 328, 246};  // 320 x 240 on a 340 x 260 screen

class RendererTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(renderer_.Init(host_.Handle(), -1)); }
    void TearDown() override { SetDrawingPossible(true); }

    RECT Pane(int paneCount, int pane) const {
        RECT r{};
        EXPECT_TRUE(PaneRect(kClient, paneCount, pane, &r));
        return r;
    }
    COLORREF CentrePixel(int paneCount, int pane) {
        const POINT c = CentreOf(Pane(paneCount, pane));
        return host_.PixelAt(c.x, c.y);
    }
    int WhitePixels(const RECT& r) { return host_.CountPixels(r, RGB(255, 255, 255)); }

    TestHostWindow host_{340, 260, kClient};
    CRenderer renderer_;
};

class RendererLayoutTest : public RendererTest, public ::testing::WithParamInterface<int> {};

TEST_P(RendererLayoutTest, EveryPaneShowsItsChannel) {
    const int paneCount = GetParam();
    for (int p = 0; p < paneCount; ++p) {
        const std::vector<uint8_t> picture = ChannelPicture(48, 36, p);
        ASSERT_TRUE(renderer_.Draw(paneCount, p, p, picture.data(), 48, 36)) << "pane " << p;
    }
    for (int p = 0; p < paneCount; ++p)
        EXPECT_TRUE(ShowsChannel(CentrePixel(paneCount, p), p)) << "pane " << p;
}

INSTANTIATE_TEST_SUITE_P(PaneCounts, RendererLayoutTest, ::testing::Values(1, 4, 9, 12, 16));

TEST_F(RendererTest, OnScreenTextStandsInTheBottomStripOnlyWhenOn) {
    const std::vector<uint8_t> picture = ChannelPicture(64, 48, 2);
    const RECT pane = Pane(4, 1);
    const RECT strip{pane.left, pane.bottom - CRenderer::kOsdTextHeight, pane.right, pane.bottom};
    const RECT above{pane.left, pane.top, pane.right, pane.bottom - CRenderer::kOsdTextHeight};
    ASSERT_TRUE(renderer_.SetOsdText(2, L"CH3 64 x 48 @25 fps", 64, 48));
    ASSERT_TRUE(renderer_.Draw(4, 1, 2, picture.data(), 64, 48));
    EXPECT_EQ(WhitePixels(pane), 0);

    renderer_.SetOsdOn(true);
    ASSERT_TRUE(renderer_.Draw(4, 1, 2, picture.data(), 64, 48));
    EXPECT_GT(WhitePixels(strip), 30);
    EXPECT_EQ(WhitePixels(above), 0);
    EXPECT_TRUE(ShowsChannel(CentrePixel(4, 1), 2));

    ASSERT_TRUE(renderer_.SetOsdText(2, L"", 64, 48));  // an empty text draws none
    ASSERT_TRUE(renderer_.Draw(4, 1, 2, picture.data(), 64, 48));
    EXPECT_EQ(WhitePixels(pane), 0);
    EXPECT_FALSE(renderer_.SetOsdText(16, L"x", 1, 1));
}

TEST_F(RendererTest, APictureSizeChangeMakesANewSurface) {
    const std::vector<uint8_t> large = ChannelPicture(64, 48, 0);
    const std::vector<uint8_t> odd = ChannelPicture(35, 21, 5);
    ASSERT_TRUE(renderer_.Draw(1, 0, 0, large.data(), 64, 48));
    EXPECT_TRUE(ShowsChannel(CentrePixel(1, 0), 0));
    ASSERT_TRUE(renderer_.Draw(1, 0, 0, odd.data(), 35, 21));
    EXPECT_TRUE(ShowsChannel(CentrePixel(1, 0), 5));
    EXPECT_TRUE(ShowsChannel(host_.PixelAt(kClient.right - 2, kClient.bottom - 2), 5));
}

// A picture in the pane's decoding buffer is drawn from in place and that
// buffer is shown from then on, so the next decoding buffer is the other
// one; a picture elsewhere, or of an odd width, is copied first.
TEST_F(RendererTest, ThePanesBuffersTakeTurnsAndOtherPicturesDrawAlike) {
    struct Step {
        int width, height, colour;
        bool inBuffer;
    };
    const uint8_t* shown = nullptr;
    for (const Step& step :
         {Step{48, 36, 2, true}, Step{48, 36, 5, true}, Step{35, 21, 7, true},
          Step{48, 36, 3, false}, Step{64, 48, 9, true}, Step{64, 48, 4, true}}) {
        const std::vector<uint8_t> picture = ChannelPicture(step.width, step.height, step.colour);
        const uint8_t* drawn = picture.data();
        if (step.inBuffer) {
            uint8_t* buffer = renderer_.DecodeBuffer(1);
            ASSERT_NE(buffer, nullptr);
            EXPECT_NE(buffer, shown) << "the buffer shown is never decoded into";
            std::copy(picture.begin(), picture.end(), buffer);
            drawn = buffer;
            if (step.width % 2 == 0)
                shown = buffer;
        }
        ASSERT_TRUE(renderer_.Draw(4, 1, 2, drawn, step.width, step.height));
        EXPECT_TRUE(ShowsChannel(CentrePixel(4, 1), step.colour)) << "colour " << step.colour;
    }
    EXPECT_EQ(renderer_.DecodeBuffer(16), nullptr);
    EXPECT_EQ(renderer_.DecodeBuffer(-1), nullptr);
}

TEST_F(RendererTest, NoPictureDrawsBlack) {
    const std::vector<uint8_t> picture = ChannelPicture(16, 16, 1);
    ASSERT_TRUE(renderer_.Draw(4, 0, 0, picture.data(), 16, 16));
    ASSERT_TRUE(renderer_.Draw(4, 0, 0, nullptr, 16, 16));
    EXPECT_TRUE(NearColour(CentrePixel(4, 0), 0, 0, 0, 2));
}

TEST_F(RendererTest, ASecureDesktopFreesTheSlotUntilDrawingIsPossibleAgain) {
    const std::vector<uint8_t> first = ChannelPicture(16, 16, 1);
    const std::vector<uint8_t> second = ChannelPicture(16, 16, 3);
    ASSERT_TRUE(renderer_.Draw(4, 2, 0, first.data(), 16, 16));
    SetDrawingPossible(false);
    EXPECT_FALSE(renderer_.Draw(4, 2, 0, second.data(), 16, 16));
    EXPECT_TRUE(ShowsChannel(CentrePixel(4, 2), 1));
    SetDrawingPossible(true);
    EXPECT_TRUE(renderer_.Draw(4, 2, 0, second.data(), 16, 16));  // the slot is made again
    EXPECT_TRUE(ShowsChannel(CentrePixel(4, 2), 3));
}

TEST_F(RendererTest, RefusesBadSizesLayoutsAndPanes) {
    const std::vector<uint8_t> picture = ChannelPicture(16, 16, 1);
    EXPECT_FALSE(renderer_.Draw(4, 0, 0, picture.data(), 0, 16));
    EXPECT_FALSE(renderer_.Draw(4, 0, 0, picture.data(), 16, -1));
    EXPECT_FALSE(renderer_.Draw(2, 0, 0, picture.data(), 16, 16));
    EXPECT_FALSE(renderer_.Draw(4, 4, 0, picture.data(), 16, 16));
    EXPECT_FALSE(renderer_.Draw(9, -1, 0, picture.data(), 16, 16));
    EXPECT_FALSE(renderer_.Draw(16, 16, 0, picture.data(), 16, 16));
}

TEST_F(RendererTest, WithoutAWindowNothingIsDrawn) {
    renderer_.Free(-1);
    const std::vector<uint8_t> picture = ChannelPicture(16, 16, 1);
    EXPECT_FALSE(renderer_.Draw(1, 0, 0, picture.data(), 16, 16));
    EXPECT_FALSE(renderer_.Refresh());
    EXPECT_FALSE(renderer_.Init(nullptr, -1));
    EXPECT_EQ(renderer_.Window(), nullptr);
}

// A repaint of the host window (a move, a dialog closed over it, paused or
// not) shows each pane's last picture again, with its on-screen text.
TEST_F(RendererTest, ARepaintShowsTheLastPictures) {
    const std::vector<uint8_t> first = ChannelPicture(32, 24, 1);
    const std::vector<uint8_t> second = ChannelPicture(32, 24, 3);
    ASSERT_TRUE(renderer_.Draw(4, 0, 0, first.data(), 32, 24));
    renderer_.SetOsdOn(true);
    ASSERT_TRUE(renderer_.SetOsdText(3, L"CH4 32 x 24 @25 fps", 32, 24));
    ASSERT_TRUE(renderer_.Draw(4, 3, 3, second.data(), 32, 24));
    const RECT pane = Pane(4, 3);
    const RECT strip{pane.left, pane.bottom - CRenderer::kOsdTextHeight, pane.right, pane.bottom};
    const int textPixels = WhitePixels(strip);
    ASSERT_GT(textPixels, 30);

    InvalidateRect(host_.Handle(), nullptr, TRUE);
    PumpMessages();
    EXPECT_TRUE(ShowsChannel(CentrePixel(4, 0), 1));
    EXPECT_TRUE(ShowsChannel(CentrePixel(4, 3), 3));
    EXPECT_EQ(WhitePixels(strip), textPixels) << "the text it was drawn with";
    EXPECT_TRUE(NearColour(CentrePixel(4, 1), 0, 0, 0, 2)) << "a pane never drawn stays erased";
}

// What Refresh and a new layout erase stays erased: a repaint shows no
// picture of the layout before.
TEST_F(RendererTest, ARepaintShowsNothingOfAnErasedLayout) {
    const std::vector<uint8_t> picture = ChannelPicture(32, 24, 2);
    ASSERT_TRUE(renderer_.Draw(4, 0, 0, picture.data(), 32, 24));
    ASSERT_TRUE(renderer_.Draw(4, 1, 1, picture.data(), 32, 24));
    ASSERT_TRUE(renderer_.RefreshAround(4, {1}));
    PumpMessages();
    InvalidateRect(host_.Handle(), nullptr, TRUE);
    PumpMessages();
    EXPECT_TRUE(NearColour(CentrePixel(4, 0), 0, 0, 0, 2)) << "left out of the new layout";
    EXPECT_TRUE(ShowsChannel(CentrePixel(4, 1), 2)) << "kept in it";

    ASSERT_TRUE(renderer_.RefreshAround(1, {0}));
    InvalidateRect(host_.Handle(), nullptr, TRUE);
    PumpMessages();
    EXPECT_TRUE(NearColour(CentrePixel(4, 1), 0, 0, 0, 2)) << "a pane of four is not one of one";
}

TEST_F(RendererTest, RefreshRepaintsTheWindow) {
    const std::vector<uint8_t> picture = ChannelPicture(16, 16, 1);
    ASSERT_TRUE(renderer_.Draw(1, 0, 0, picture.data(), 16, 16));
    EXPECT_TRUE(renderer_.Refresh());
    PumpMessages();
    EXPECT_EQ(CentrePixel(1, 0), RGB(0, 0, 0));
}

}  // namespace
