// The picture every generated channel shows: a solid colour that tells the
// channels apart, with a small block moving along the top edge (away from
// the centre, so that the centre pixel always shows the channel's colour).
#pragma once

#include <cstdint>

namespace recgen {

struct Rgb {
    uint8_t r, g, b;
};

struct Yuv {
    uint8_t y, u, v;
};

// Channel c (0 to 15) shows colour c of a fixed table of 16 mutually distinct,
// moderately saturated colours (so they survive a YUV round trip):
//  0 (200,40,40) red      1 (40,200,40) green     2 (40,40,200) blue
//  3 (200,200,40) yellow  4 (200,40,200) magenta  5 (40,200,200) cyan
//  6 (220,130,30) orange  7 (120,40,180) purple   8 (128,128,128) grey
//  9 (30,100,30)          10 (30,30,110)          11 (230,150,170)
// 12 (120,120,30)         13 (30,120,120)         14 (120,70,30)
// 15 (220,220,220)
// Channels outside 0 to 15 take colour (c mod 16).
Rgb ChannelColour(int channel);

// BT.601 limited range, as the encoder is fed and a decoder gives back.
Yuv RgbToYuv(Rgb colour);

}  // namespace recgen
