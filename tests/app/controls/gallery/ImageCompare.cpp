#include "tests/app/controls/gallery/ImageCompare.h"

#include <algorithm>
#include <cstdlib>
#include <sstream>
#include <vector>

namespace {

int ChannelDistance(uint32_t a, uint32_t b) {
    int worst = 0;
    for (int shift : {16, 8, 0})
        worst = std::max(worst, std::abs(int((a >> shift) & 0xFF) - int((b >> shift) & 0xFF)));
    return worst;
}

uint32_t Dimmed(uint32_t p) {
    return (p >> 2) & 0x3F3F3F;
}

constexpr uint32_t kMarked = 0xFF0000;

}  // namespace

ImageDifference Compare(const RgbImage& expected, const RgbImage& actual,
                        const Tolerance& tolerance) {
    ImageDifference d;
    d.sizesMatch =
        expected.width == actual.width && expected.height == actual.height && !expected.Empty();
    if (!d.sizesMatch)
        return d;
    d.pixels = expected.pixels.size();
    d.picture = RgbImage(expected.width, expected.height);
    const int columns = (expected.width + tolerance.tile - 1) / tolerance.tile;
    const int rows = (expected.height + tolerance.tile - 1) / tolerance.tile;
    std::vector<size_t> tiles(size_t(columns) * size_t(rows));
    for (int y = 0; y < expected.height; ++y)
        for (int x = 0; x < expected.width; ++x) {
            const bool off =
                ChannelDistance(expected.At(x, y), actual.At(x, y)) > tolerance.channel;
            d.picture.At(x, y) = off ? kMarked : Dimmed(expected.At(x, y));
            if (off) {
                ++d.differing;
                ++tiles[size_t(y / tolerance.tile) * size_t(columns) + size_t(x / tolerance.tile)];
            }
        }
    if (tiles.empty())
        return d;
    const auto densest = std::max_element(tiles.begin(), tiles.end());
    const int index = int(densest - tiles.begin());
    d.densestTile = *densest;
    d.tileX = index % columns * tolerance.tile;
    d.tileY = index / columns * tolerance.tile;
    return d;
}

bool ImageDifference::Within(const Tolerance& tolerance) const {
    return sizesMatch && double(differing) <= tolerance.fraction * double(pixels) &&
           densestTile <= tolerance.perTile;
}

std::string ImageDifference::Describe() const {
    std::ostringstream out;
    if (!sizesMatch)
        return "the sizes differ (or the expected image is empty)";
    out << differing << " of " << pixels << " pixels differ; the densest square at " << tileX << ","
        << tileY << " holds " << densestTile;
    return out.str();
}
