// Bitmap files made byte by byte for the reader's tests: an uncompressed
// image whose header fields a test may then break.
#pragma once

#include <cstdint>
#include <fstream>
#include <string>
#include <vector>

namespace bmp_bytes {

inline void Put16(std::vector<uint8_t>& b, size_t at, uint32_t v) {
    b[at] = uint8_t(v);
    b[at + 1] = uint8_t(v >> 8);
}
inline void Put32(std::vector<uint8_t>& b, size_t at, uint32_t v) {
    Put16(b, at, v & 0xFFFF);
    Put16(b, at + 2, v >> 16);
}

// Offsets of the fields the tests change.
inline constexpr size_t kPixelOffset = 10, kWidth = 18, kHeight = 22, kPlanes = 26, kBits = 28,
                        kCompression = 30, kColorsUsed = 46;

// The 54 bytes of file and info headers of an image of `bits` per pixel whose
// pixels start at `pixelsAt`, followed by `more` zero bytes.
inline std::vector<uint8_t> Headers(size_t more, uint32_t pixelsAt, int width, int height,
                                    uint32_t bits) {
    std::vector<uint8_t> b(54, 0);
    b[0] = 'B';
    b[1] = 'M';
    Put32(b, 2, uint32_t(54 + more));
    Put32(b, kPixelOffset, pixelsAt);
    Put32(b, 14, 40);
    Put32(b, kWidth, uint32_t(width));
    Put32(b, kHeight, uint32_t(height));
    Put16(b, kPlanes, 1);
    Put16(b, kBits, bits);
    b.resize(54 + more, 0);
    return b;
}

// A 24-bit image of `pixels` (0x00RRGGBB, top row first), stored bottom-up,
// or top-down with `topDown`.
inline std::vector<uint8_t> TrueColour(int width, int height, const std::vector<uint32_t>& pixels,
                                       bool topDown = false) {
    const size_t stride = (size_t(width) * 3 + 3) / 4 * 4;
    std::vector<uint8_t> b =
        Headers(stride * size_t(height), 54, width, topDown ? -height : height, 24);
    for (int y = 0; y < height; ++y) {
        const size_t row = 54 + size_t(topDown ? y : height - 1 - y) * stride;
        for (int x = 0; x < width; ++x) {
            const uint32_t p = pixels[size_t(y * width + x)];
            b[row + size_t(x) * 3] = uint8_t(p);
            b[row + size_t(x) * 3 + 1] = uint8_t(p >> 8);
            b[row + size_t(x) * 3 + 2] = uint8_t(p >> 16);
        }
    }
    return b;
}

// A 1-bit image of two palette colours; `rows` holds one byte each
// (width at most 8), top row first, stored bottom-up.
inline std::vector<uint8_t> TwoColour(int width, const std::vector<uint8_t>& rows, uint32_t zero,
                                      uint32_t one) {
    const int height = int(rows.size());
    std::vector<uint8_t> b = Headers(8 + 4 * size_t(height), 62, width, height, 1);
    Put32(b, 54, zero);  // palette entries are BGRx, the same bytes as 0x00RRGGBB
    Put32(b, 58, one);
    for (int y = 0; y < height; ++y)
        b[62 + size_t(height - 1 - y) * 4] = rows[size_t(y)];
    return b;
}

inline void Write(const std::string& path, const std::vector<uint8_t>& bytes) {
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
}

}  // namespace bmp_bytes
