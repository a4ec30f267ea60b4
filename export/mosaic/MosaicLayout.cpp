#include "export/mosaic/MosaicLayout.h"

#include <cstring>

namespace oskulo {
namespace {

// One plane of the mosaic: `planeOffset` into each tile (0 for luma) with
// tiles of tw x th samples, filled with `blank` where no picture is.
void ComposePlane(const uint8_t* const tiles[16], const bool valid[16], int count,
                  const MosaicLayout& m, int tw, int th, int planeOffset, uint8_t blank,
                  uint8_t* out) {
    const int pitch = m.columns * tw;
    for (int row = 0; row < m.rows; ++row) {
        for (int col = 0; col < m.columns; ++col) {
            const int tile = row * m.columns + col;
            const bool shown = tile < count && valid[tile] && tiles[tile] != nullptr;
            for (int line = 0; line < th; ++line) {
                uint8_t* dst = out + (row * th + line) * pitch + col * tw;
                if (shown)
                    std::memcpy(dst, tiles[tile] + planeOffset + line * tw, std::size_t(tw));
                else
                    std::memset(dst, blank, std::size_t(tw));
            }
        }
    }
}

}  // namespace

bool MosaicLayoutFor(int channels, MosaicLayout* layout) {
    switch (channels) {
        case 4:
            *layout = {2, 2, 640, 360, 1280, 720};
            return true;
        case 8:
            *layout = {3, 3, 640, 360, 1920, 1080};
            return true;
        case 12:
            *layout = {4, 3, 480, 360, 1920, 1080};
            return true;
        case 16:
            *layout = {4, 4, 480, 270, 1920, 1080};
            return true;
        default:
            return false;
    }
}

bool ComposeMosaic(const uint8_t* const tiles[16], const bool valid[16], int count, int tileWidth,
                   int tileHeight, uint8_t* out, int* size, int* width, int* height) {
    MosaicLayout m;
    if (out == nullptr || tiles == nullptr || valid == nullptr || !MosaicLayoutFor(count, &m))
        return false;
    const int w = m.columns * tileWidth;
    const int h = m.rows * tileHeight;
    const int tileLuma = tileWidth * tileHeight;
    const int tileChroma = tileLuma / 4;
    ComposePlane(tiles, valid, count, m, tileWidth, tileHeight, 0, 0, out);
    ComposePlane(tiles, valid, count, m, tileWidth / 2, tileHeight / 2, tileLuma, 128, out + w * h);
    ComposePlane(tiles, valid, count, m, tileWidth / 2, tileHeight / 2, tileLuma + tileChroma, 128,
                 out + w * h * 5 / 4);
    *size = w * h * 3 / 2;
    *width = w;
    *height = h;
    return true;
}

}  // namespace oskulo
