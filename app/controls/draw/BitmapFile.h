// Bitmap files (.bmp) read into 32-bit bitmaps, for the images and
// backgrounds a markup text names by file.
//
// The reader trusts nothing in the file: it takes uncompressed images of 1, 4,
// 8, 24 or 32 bits per pixel with an info header of 40 bytes or more, checks
// every size and offset against the file it read, and refuses files and
// images larger than the limits below. Any thread; nothing is kept.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "platform/gdi/Gdi.h"

namespace bitmap_file {

inline constexpr int kMaxDimension = 4096;
inline constexpr size_t kMaxFileBytes = size_t(64) << 20;

// The pixels of an image, 0x00RRGGBB, top row first.
struct Image {
    int width = 0;
    int height = 0;
    std::vector<uint32_t> pixels;
};

// False for anything that is not a whole, well-formed image within the limits.
bool Decode(const uint8_t* data, size_t size, Image* out);

}  // namespace bitmap_file

// A new bitmap (owned by the caller) holding the file's image; null when the
// path is no regular file, or the file cannot be read, is malformed or is
// larger than the limits.
HBITMAP LoadBitmapFile(const wchar_t* path);
