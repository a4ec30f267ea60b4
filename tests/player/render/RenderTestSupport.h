// Helpers of the display tests: solid YV12 pictures in a channel's colour
// and the check that a screen pixel shows that colour.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "tests/platform/media/TestHostWindow.h"
#include "tools/recgen/ChannelColour.h"

// A YV12 picture (pitch = width, chroma rounded up) of one colour.
inline std::vector<uint8_t> SolidPicture(int width, int height, recgen::Yuv colour) {
    const size_t luma = size_t(width) * height;
    const size_t chroma = size_t((width + 1) / 2) * ((height + 1) / 2);
    std::vector<uint8_t> picture(luma + 2 * chroma);
    std::fill_n(picture.begin(), luma, colour.y);
    std::fill_n(picture.begin() + std::ptrdiff_t(luma), chroma, colour.v);
    std::fill_n(picture.begin() + std::ptrdiff_t(luma + chroma), chroma, colour.u);
    return picture;
}

inline std::vector<uint8_t> ChannelPicture(int width, int height, int channel) {
    return SolidPicture(width, height, recgen::RgbToYuv(recgen::ChannelColour(channel)));
}

// Within what YUV rounding and the codec leave of the channel's colour.
inline ::testing::AssertionResult ShowsChannel(COLORREF pixel, int channel) {
    const recgen::Rgb want = recgen::ChannelColour(channel);
    return NearColour(pixel, want.r, want.g, want.b, 12) << " (channel " << channel << ")";
}

inline POINT CentreOf(const RECT& r) {
    return POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
}
