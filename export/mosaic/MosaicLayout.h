// The mosaic picture: every channel of a recording tiled into one planar
// 4:2:0 picture, row-major (channel k+1 is tile k, rows from the top).
//
//   channels  grid   tile       picture
//   4         2 x 2  640 x 360  1280 x 720
//   8         3 x 3  640 x 360  1920 x 1080 (the ninth tile always black)
//   12        4 x 3  480 x 360  1920 x 1080
//   16        4 x 4  480 x 270  1920 x 1080
//
// Plain functions over caller buffers; no state, any thread.
#pragma once

#include <cstdint>

namespace oskulo {

struct MosaicLayout {
    int columns = 0;
    int rows = 0;
    int tileWidth = 0;
    int tileHeight = 0;
    int width = 0;
    int height = 0;
};

// False for a channel count other than 4, 8, 12 or 16.
bool MosaicLayoutFor(int channels, MosaicLayout* layout);

// Copies the tiles line by line into `out` (W x H x 3 / 2 bytes). A tile that
// is not valid, and every tile past `count`, is black (luma 0, chroma 128).
// Each tile is a tileWidth x tileHeight picture. False for a null output or
// tile table, or a count other than 4, 8, 12 or 16; else the picture's size
// and dimensions go to *size, *width, *height.
bool ComposeMosaic(const uint8_t* const tiles[16], const bool valid[16], int count, int tileWidth,
                   int tileHeight, uint8_t* out, int* size, int* width, int* height);

}  // namespace oskulo
