// Compares a picture with its expected image, with room for the small
// differences of text rendering: a pixel differs only when one of its
// channels is further off than a limit, a small share of the pixels may
// differ, but never many of them close together, as a missing, moved or
// recoloured control makes them.
#pragma once

#include <cstddef>
#include <string>

#include "tools/skingallery/RgbImage.h"

struct Tolerance {
    int channel = 40;         // largest difference of a channel that still matches
    double fraction = 0.001;  // share of the pixels that may differ
    int tile = 16;            // side of the squares counted on their own
    size_t perTile = 32;      // differing pixels one square may hold
};

struct ImageDifference {
    bool sizesMatch = false;
    size_t pixels = 0;
    size_t differing = 0;
    size_t densestTile = 0;  // differing pixels in the worst square
    int tileX = 0;           // its top-left corner
    int tileY = 0;
    // The expected image dimmed, with the differing pixels in pure red.
    RgbImage picture;

    bool Within(const Tolerance& tolerance) const;
    std::string Describe() const;
};

ImageDifference Compare(const RgbImage& expected, const RgbImage& actual,
                        const Tolerance& tolerance);
