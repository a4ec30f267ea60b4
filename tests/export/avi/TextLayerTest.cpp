#include "export/avi/TextLayer.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <vector>

#include "platform/gdi/Gdi.h"

namespace {

constexpr int kW = 352, kH = 288;

// A picture with detail everywhere, so that any sample the texts should not
// have touched but did shows; its colours lie well inside what pixels can
// hold, so that a round trip through pixels changes them only by rounding.
std::vector<uint8_t> Textured() {
    std::vector<uint8_t> p(std::size_t(kW * kH * 3 / 2));
    for (std::size_t i = 0; i < p.size(); ++i)
        p[i] = i < std::size_t(kW * kH) ? uint8_t(40 + (i * 7919 % 151))
                                        : uint8_t(118 + (i * 7919 % 21));
    return p;
}

// The texts as a writer drew them on every picture before the layer: the
// rows a line reaches to pixels, the line drawn, and the rows back.
void DrawDirectly(oskulo::CTextOverlay& overlay, const oskulo::CColorConvert& convert,
                  uint8_t* picture, const oskulo::CTextLayer::Line& line) {
    const int begin = line.y & ~1;
    const int end = std::min(kH, (line.y + overlay.FontHeight() + 4 + 1) & ~1);
    convert.PictureToPixels(picture, kW, kH, overlay.Pixels(), overlay.Pitch(), begin, end, 0, kW);
    overlay.Draw(line.text, line.x, line.y, end);
    convert.PixelsToPicture(overlay.Pixels(), overlay.Pitch(), kW, kH, picture, begin, end, 0, kW);
}

class TextLayerTest : public testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(overlay_.Create(kW, kH)); }

    oskulo::CTextOverlay overlay_;
    oskulo::CColorConvert convert_;
    oskulo::CTextLayer layer_;
};

TEST_F(TextLayerTest, LooksAsTheTextsDrawnOnThePictureAndLeavesTheRestExact) {
    const oskulo::CTextLayer::Line lines[] = {{L"2023-11-14 22:13:20", 2, 2},
                                              {L"GEN-0001  61.0km/h  N22.5 E113.9", 2, kH - 20}};
    const std::vector<uint8_t> original = Textured();
    std::vector<uint8_t> direct = original;
    for (const auto& line : lines)
        DrawDirectly(overlay_, convert_, direct.data(), line);
    std::vector<uint8_t> laid = original;
    layer_.Prepare(overlay_, lines, 2);
    layer_.Apply(overlay_, convert_, laid.data(), kW, kH);

    int changed = 0, exact = 0;
    for (std::size_t i = 0; i < laid.size(); ++i) {
        ASSERT_LE(std::abs(laid[i] - direct[i]), 2) << "sample " << i;
        changed += laid[i] != original[i] ? 1 : 0;
        exact += laid[i] == original[i] && direct[i] != original[i] ? 1 : 0;
    }
    EXPECT_GT(changed, 500) << "the texts are there";
    EXPECT_GT(exact, 1000) << "samples of blocks no text touches are kept";
}

// The writer keeps its text buffers and rewrites them every GOP: the same
// pointers with new contents draw the new texts.
TEST_F(TextLayerTest, NewContentsAtTheSamePlaceAreDrawnAnew) {
    wchar_t text[32] = L"2023-11-14 22:13:20";
    const oskulo::CTextLayer::Line line{text, 2, 2};
    const std::vector<uint8_t> original = Textured();
    std::vector<uint8_t> first = original;
    layer_.Prepare(overlay_, &line, 1);
    layer_.Apply(overlay_, convert_, first.data(), kW, kH);

    std::wcscpy(text, L"2023-11-14 22:13:21");
    std::vector<uint8_t> second = original;
    layer_.Prepare(overlay_, &line, 1);
    layer_.Apply(overlay_, convert_, second.data(), kW, kH);

    oskulo::CTextLayer fresh;
    std::vector<uint8_t> want = original;
    fresh.Prepare(overlay_, &line, 1);
    fresh.Apply(overlay_, convert_, want.data(), kW, kH);
    EXPECT_NE(second, first);
    EXPECT_EQ(second, want);
}

TEST_F(TextLayerTest, NoLinesLeaveThePictureUntouched) {
    const std::vector<uint8_t> original = Textured();
    std::vector<uint8_t> p = original;
    const oskulo::CTextLayer::Line line{L"drawn, then gone", 2, 2};
    layer_.Prepare(overlay_, &line, 1);
    layer_.Prepare(overlay_, nullptr, 0);
    layer_.Apply(overlay_, convert_, p.data(), kW, kH);
    EXPECT_EQ(p, original);
}

}  // namespace
