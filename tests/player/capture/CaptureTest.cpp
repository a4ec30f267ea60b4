#include "player/capture/PictureCapture.h"

#include <gtest/gtest.h>
#include <turbojpeg.h>

#include <climits>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "platform/user/Screen.h"
#include "player/capture/EncoderClsid.h"
#include "tests/platform/media/TestHostWindow.h"
#include "tests/tools/recgen/TempDir.h"

namespace {

constexpr RECT kClient{10, 10, 190, 140};
constexpr RECT kCaptured{20, 20, 180, 130};  // 160 x 110, inside the window

struct Picture {
    int width = 0, height = 0;
    std::vector<uint8_t> rgb;
    COLORREF At(int x, int y) const {
        const uint8_t* p = &rgb[(size_t(y) * width + x) * 3];
        return RGB(p[0], p[1], p[2]);
    }
};

Picture DecodeJpeg(const std::string& path) {
    const std::vector<uint8_t> file = ReadWholeFile(path);
    Picture picture;
    tjhandle tj = tjInitDecompress();
    int subsampling = 0, colourspace = 0;
    if (file.empty() || tjDecompressHeader3(tj, file.data(), file.size(), &picture.width,
                                            &picture.height, &subsampling, &colourspace) != 0) {
        tjDestroy(tj);
        return Picture{};
    }
    picture.rgb.resize(size_t(picture.width) * picture.height * 3);
    tjDecompress2(tj, file.data(), file.size(), picture.rgb.data(), picture.width, 0,
                  picture.height, TJPF_RGB, 0);
    tjDestroy(tj);
    return picture;
}

class CaptureTest : public ::testing::Test {
protected:
    void SetUp() override {
        // Four coloured quarters over the client area.
        HDC dc = GetDC(host_.Handle());
        const int w = kClient.right - kClient.left, h = kClient.bottom - kClient.top;
        const RECT quarters[4] = {
            {0, 0, w / 2, h / 2}, {w / 2, 0, w, h / 2}, {0, h / 2, w / 2, h}, {w / 2, h / 2, w, h}};
        const COLORREF colours[4] = {RGB(200, 40, 40), RGB(40, 200, 40), RGB(40, 40, 200),
                                     RGB(200, 200, 40)};
        for (int i = 0; i < 4; ++i)
            FillSolidRect(dc, &quarters[i], colours[i]);
        ReleaseDC(host_.Handle(), dc);
        screen_ = host_.Display().ReadScreen();
    }

    COLORREF Screen(int x, int y) const {
        const uint32_t p = screen_[size_t(y) * 200 + x];
        return RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF);
    }

    bool Capture(const std::string& path, uint32_t stamp, int quality = 200) {
        return capture_.Capture(GetDesktopWindow(), kCaptured.left, kCaptured.top, kCaptured.right,
                                kCaptured.bottom, path.c_str(), kCaptured.right - kCaptured.left,
                                kCaptured.bottom - kCaptured.top, quality, stamp);
    }

    TestHostWindow host_{200, 150, kClient};
    CPictureCapture capture_;
    std::vector<uint32_t> screen_;
    TempDir dir_;
};

TEST_F(CaptureTest, TheJpegShowsTheScreenRectangle) {
    const std::string path = dir_.File("shot.jpg");
    ASSERT_TRUE(Capture(path, 0));
    const Picture picture = DecodeJpeg(path);
    ASSERT_EQ(picture.width, 160);
    ASSERT_EQ(picture.height, 110);
    long total = 0;
    int worst = 0;
    for (int y = 0; y < picture.height; ++y) {
        for (int x = 0; x < picture.width; ++x) {
            const COLORREF got = picture.At(x, y),
                           want = Screen(kCaptured.left + x, kCaptured.top + y);
            const int d = std::abs(GetRValue(got) - GetRValue(want)) +
                          std::abs(GetGValue(got) - GetGValue(want)) +
                          std::abs(GetBValue(got) - GetBValue(want));
            total += d;
            worst = std::max(worst, d);
        }
    }
    EXPECT_LT(double(total) / (160 * 110), 6.0);  // JPEG's loss, mostly at the quarter edges
    // Away from the edges each quarter keeps its colour.
    EXPECT_TRUE(NearColour(picture.At(20, 20), 200, 40, 40, 8));
    EXPECT_TRUE(NearColour(picture.At(140, 90), 200, 200, 40, 8));
}

TEST_F(CaptureTest, TheStampStandsAsWhiteTextOnBlackInTheCorner) {
    EXPECT_EQ(FormatCaptureStamp(1000000000), "2001-09-09 01:46:40");
    const std::string stamped = dir_.File("stamped.jpg"), plain = dir_.File("plain.jpg");
    ASSERT_TRUE(Capture(stamped, 1000000000));
    ASSERT_TRUE(Capture(plain, 0));
    const Picture withStamp = DecodeJpeg(stamped), without = DecodeJpeg(plain);
    int white = 0, black = 0;
    for (int y = 0; y < CPictureCapture::kStampHeight; ++y) {
        for (int x = 0; x < 80; ++x) {
            white += NearColour(withStamp.At(x, y), 255, 255, 255, 40) ? 1 : 0;
            black += NearColour(withStamp.At(x, y), 0, 0, 0, 40) ? 1 : 0;
            EXPECT_TRUE(NearColour(without.At(x, y), 200, 40, 40, 60)) << x << "," << y;
        }
    }
    EXPECT_GT(white, 80);
    EXPECT_GT(black, 400);
    // Below the text the picture is the screen.
    EXPECT_TRUE(NearColour(withStamp.At(20, 45), 200, 40, 40, 8));
}

TEST_F(CaptureTest, QualityBeyondTheScaleIsTheBest) {
    const std::string best = dir_.File("q100.jpg"), asked = dir_.File("q200.jpg");
    ASSERT_TRUE(Capture(best, 0, 100));
    ASSERT_TRUE(Capture(asked, 0, 200));
    EXPECT_EQ(ReadWholeFile(best), ReadWholeFile(asked));
}

TEST_F(CaptureTest, APathItCannotWriteGivesNoFileAndFalse) {
    const std::string missing = dir_.File("no/such/dir/shot.jpg");
    EXPECT_FALSE(Capture(missing, 0));
    const std::string bad = dir_.File("bad\xff\xfe.jpg");
    EXPECT_FALSE(Capture(bad, 0));
    EXPECT_TRUE(ReadWholeFile(bad).empty());
    EXPECT_FALSE(capture_.Capture(GetDesktopWindow(), 50, 50, 50, 60,
                                  dir_.File("empty.jpg").c_str(), 0, 10, 100, 0));
}

// A rectangle reaching past the screen is cut to it, and the picture is
// what is left at the size asked for each pixel; one wholly off the screen
// gives no file. The screen is 200 x 150.
struct ClipCase {
    RECT asked;
    bool written;
    RECT kept;  // the screen part the picture shows, when written
};

class CaptureClipTest : public CaptureTest, public ::testing::WithParamInterface<ClipCase> {};

TEST_P(CaptureClipTest, OnlyWhatLiesOnTheScreenIsCaptured) {
    const ClipCase& c = GetParam();
    const std::string path = dir_.File("clipped.jpg");
    const RECT& r = c.asked;
    // The rectangle's own size, as the capture command reckons it.
    EXPECT_EQ(capture_.Capture(GetDesktopWindow(), r.left, r.top, r.right, r.bottom, path.c_str(),
                               int64_t(r.right) - r.left, int64_t(r.bottom) - r.top, 100, 0),
              c.written);
    if (!c.written) {
        EXPECT_TRUE(ReadWholeFile(path).empty());
        return;
    }
    const Picture picture = DecodeJpeg(path);
    ASSERT_EQ(picture.width, c.kept.right - c.kept.left);
    ASSERT_EQ(picture.height, c.kept.bottom - c.kept.top);
    // Inside the quarters, away from their edges.
    for (const POINT p : {POINT{30, 30}, POINT{160, 110}}) {
        if (!PtInRect(&c.kept, p))
            continue;
        const COLORREF want = Screen(p.x, p.y);
        EXPECT_TRUE(NearColour(picture.At(p.x - c.kept.left, p.y - c.kept.top), GetRValue(want),
                               GetGValue(want), GetBValue(want), 8))
            << p.x << "," << p.y;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Rectangles, CaptureClipTest,
    ::testing::Values(ClipCase{{0, 0, 60000, 60000}, true, {0, 0, 200, 150}},
                      ClipCase{{-100, -50, 60000, 60000}, true, {0, 0, 200, 150}},
                      ClipCase{{150, 100, 400, 300}, true, {150, 100, 200, 150}},
                      ClipCase{{-40, 20, 60, 130}, true, {0, 20, 60, 130}},
                      ClipCase{{300, 0, 400, 100}, false, {}},
                      ClipCase{{-500, -500, -10, -10}, false, {}},
                      ClipCase{{0, 150, 100, 60000}, false, {}},
                      // Wider and higher than an int holds.
                      ClipCase{{INT_MIN, INT_MIN, INT_MAX, INT_MAX}, true, {0, 0, 200, 150}}));

TEST(EncoderClsid, FindsTheJpegEncoderByMimeType) {
    CPictureCapture started;  // GDI+ runs while it lives
    Gdiplus::CLSID jpeg{}, none{};
    EXPECT_GE(GetEncoderClsid(L"image/jpeg", &jpeg), 0);
    EXPECT_FALSE(jpeg == none);
    Gdiplus::CLSID untouched{};
    EXPECT_EQ(GetEncoderClsid(L"image/x-none", &untouched), -1);
    EXPECT_TRUE(untouched == none);
}

}  // namespace
