#include "tools/recgen/ChannelColour.h"

#include <array>
#include <cmath>

namespace recgen {
namespace {

constexpr std::array<Rgb, 16> kColours{{{200, 40, 40},
                                        {40, 200, 40},
                                        {40, 40, 200},
                                        {200, 200, 40},
                                        {200, 40, 200},
                                        {40, 200, 200},
                                        {220, 130, 30},
                                        {120, 40, 180},
                                        {128, 128, 128},
                                        {30, 100, 30},
                                        {30, 30, 110},
                                        {230, 150, 170},
                                        {120, 120, 30},
                                        {30, 120, 120},
                                        {120, 70, 30},
                                        {220, 220, 220}}};

uint8_t Clamp(double v) {
    return uint8_t(std::lround(std::fmin(255.0, std::fmax(0.0, v))));
}

}  // namespace

Rgb ChannelColour(int channel) {
    return kColours[std::size_t(((channel % 16) + 16) % 16)];
}

Yuv RgbToYuv(Rgb c) {
    const double r = c.r, g = c.g, b = c.b;
    return {Clamp(16.0 + (65.481 * r + 128.553 * g + 24.966 * b) / 255.0),
            Clamp(128.0 + (-37.797 * r - 74.203 * g + 112.0 * b) / 255.0),
            Clamp(128.0 + (112.0 * r - 93.786 * g - 18.214 * b) / 255.0)};
}

}  // namespace recgen
