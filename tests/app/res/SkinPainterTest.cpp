#include <gtest/gtest.h>

#include "app/res/render/SkinPainter.h"

namespace {

constexpr uint32_t kKey = 0x0A0A0A;
constexpr uint32_t kMatte = 0x1B1E23;

}  // namespace

TEST(SkinPainter, FlattensOntoTheMatteAndKeysOnlyClearPixels) {
    struct Case {
        const char* name;
        uint32_t argb;  // premultiplied
        uint32_t matte;
        bool keyed;
        uint32_t expected;
    } const cases[] = {
        {"clear pixel becomes the key", 0x00000000, kMatte, true, kKey},
        {"clear pixel without a key shows the matte", 0x00000000, kMatte, false, kMatte},
        {"opaque pixel keeps its colour", 0xFF336699, kMatte, true, 0x336699},
        {"opaque pixel of the key colour moves off it", 0xFF0A0A0A, kMatte, true, 0x0A0B0A},
        {"the same colour stays without a key", 0xFF0A0A0A, kMatte, false, 0x0A0A0A},
        {"half-covered pixel blends with the matte", 0x80808080, kMatte, true, 0x8D8F91},
        // The faintest fringe over a matte of the key colour rounds onto the key.
        {"fringe landing on the key moves off it", 0x01000000, kKey, true, 0x0A0B0A},
    };
    for (const Case& c : cases)
        EXPECT_EQ(FlattenPixel(c.argb, c.matte, c.keyed ? &kKey : nullptr), c.expected) << c.name;
}
