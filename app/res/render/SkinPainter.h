// Draws one manifest entry: each state's cell rendered from the SVG source
// with librsvg, side by side, then flattened to opaque 0x00RRGGBB pixels.
//
// Flattening blends every pixel onto the entry's matte. With a key colour,
// pixels the drawing leaves fully clear become exactly the key, and a drawn
// pixel that would land on the key is moved one step off it, so the key marks
// the outside of the shapes and nothing else.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "app/res/render/SkinManifest.h"

// Top row first. Throws std::runtime_error when a source or style sheet cannot
// be read or drawn.
std::vector<uint32_t> PaintSkin(const SkinEntry& entry, const std::string& sourceDir);

// One premultiplied ARGB pixel flattened as described above.
uint32_t FlattenPixel(uint32_t argb, uint32_t matte, const uint32_t* key);
