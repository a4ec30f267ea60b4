// Inside platform/gdi: the pixels a context draws into, in one of the formats
// bitmaps have (1, 8, 24 or 32 bits per pixel). Drawing works on 32-bit
// pixel words (0x00RRGGBB) a row segment at a time: 32-bit surfaces are
// reached in place, the others through Read and Write. Not owned; the
// surface describes memory of a bitmap or a caller's buffer.
#pragma once

#include <cstddef>
#include <cstdint>

struct Surface {
    uint8_t* top = nullptr;     // the image's top row
    std::ptrdiff_t stride = 0;  // bytes from one image row to the next (negative: bottom-up)
    int width = 0;
    int height = 0;
    int bitsPerPixel = 32;
    const uint32_t* palette = nullptr;  // pixel words of a 1- or 8-bit format
    int paletteSize = 0;
    bool monochromeDevice = false;  // a device bitmap of 1 bit: blits map it through the colours

    bool Valid() const { return top != nullptr && width > 0 && height > 0; }
    uint8_t* RowBytes(int y) const { return top + std::ptrdiff_t(y) * stride; }
    // Only for 32-bit surfaces.
    uint32_t* Row32(int y) const { return reinterpret_cast<uint32_t*>(RowBytes(y)); }

    // Pixels x..x+count-1 of row y, all inside the surface, as pixel words.
    void Read(int y, int x, int count, uint32_t* out) const;
    // Stores pixel words; palette formats take the nearest entry.
    void Write(int y, int x, int count, const uint32_t* in) const;
    // The palette index nearest to a pixel word.
    int NearestIndex(uint32_t word) const;
};

inline uint32_t WordOfColorRef(uint32_t colour) {
    return ((colour & 0xFF) << 16) | (colour & 0xFF00) | ((colour >> 16) & 0xFF);
}
inline uint32_t ColorRefOfWord(uint32_t word) {
    return WordOfColorRef(word & 0xFFFFFF);
}
