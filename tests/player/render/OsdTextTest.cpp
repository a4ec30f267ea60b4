#include "player/render/OsdText.h"

#include <gtest/gtest.h>

namespace {

struct OsdCase {
    int channel, width, height, version, frames;
    const wchar_t* want;
};

class OsdTextTest : public ::testing::TestWithParam<OsdCase> {};

TEST_P(OsdTextTest, NamesTheSizeAndTheRate) {
    const OsdCase& c = GetParam();
    EXPECT_EQ(FormatOsdText(c.channel, c.width, c.height, c.version, c.frames),
              std::wstring(c.want));
}

INSTANTIATE_TEST_SUITE_P(Cases, OsdTextTest,
                         ::testing::Values(OsdCase{0, 960, 576, 4, 25, L"CH1 960H-P @25 fps"},
                                           OsdCase{0, 640, 480, 4, 25, L"CH1 640 x 480 @25 fps"},
                                           OsdCase{3, 1280, 720, 4, 30, L"CH4 720P @30 fps"},
                                           OsdCase{15, 1920, 1080, 4, 15, L"CH16 1080P @15 fps"},
                                           OsdCase{1, 352, 288, 3, 12, L"CH2 CIF-P @24 fps"},
                                           OsdCase{2, 704, 240, 2, 15, L"CH3 HD1-N @30 fps"},
                                           OsdCase{0, 1280, 960, 4, 10, L"CH1 SXGA @10 fps"}));

}  // namespace
