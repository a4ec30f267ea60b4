#include "platform/gdi/Surface.h"

#include <cstring>

namespace {

int Distance(uint32_t a, uint32_t b) {
    int dr = int((a >> 16) & 0xFF) - int((b >> 16) & 0xFF);
    int dg = int((a >> 8) & 0xFF) - int((b >> 8) & 0xFF);
    int db = int(a & 0xFF) - int(b & 0xFF);
    return dr * dr + dg * dg + db * db;
}

}  // namespace

int Surface::NearestIndex(uint32_t word) const {
    int best = 0;
    int bestDistance = 1 << 30;
    for (int i = 0; i < paletteSize; ++i) {
        int d = Distance(word, palette[i]);
        if (d < bestDistance) {
            best = i;
            bestDistance = d;
            if (d == 0)
                break;
        }
    }
    return best;
}

void Surface::Read(int y, int x, int count, uint32_t* out) const {
    const uint8_t* row = RowBytes(y);
    switch (bitsPerPixel) {
        case 32:
            std::memcpy(out, row + 4 * x, 4 * size_t(count));
            break;
        case 24:
            for (int i = 0; i < count; ++i) {
                const uint8_t* p = row + 3 * (x + i);
                out[i] = p[0] | (uint32_t(p[1]) << 8) | (uint32_t(p[2]) << 16);
            }
            break;
        case 8:
            for (int i = 0; i < count; ++i) {
                int index = row[x + i];
                out[i] = index < paletteSize ? palette[index] : 0;
            }
            break;
        case 1:
            for (int i = 0; i < count; ++i) {
                int bit = (row[(x + i) >> 3] >> (7 - ((x + i) & 7))) & 1;
                out[i] = bit < paletteSize ? palette[bit] : 0;
            }
            break;
    }
}

void Surface::Write(int y, int x, int count, const uint32_t* in) const {
    uint8_t* row = RowBytes(y);
    switch (bitsPerPixel) {
        case 32:
            std::memcpy(row + 4 * x, in, 4 * size_t(count));
            break;
        case 24:
            for (int i = 0; i < count; ++i) {
                uint8_t* p = row + 3 * (x + i);
                p[0] = uint8_t(in[i]);
                p[1] = uint8_t(in[i] >> 8);
                p[2] = uint8_t(in[i] >> 16);
            }
            break;
        case 8: {
            // Runs of one colour are common (fills, text): look each up once.
            uint32_t last = ~in[0];
            uint8_t index = 0;
            for (int i = 0; i < count; ++i) {
                if (in[i] != last)
                    index = uint8_t(NearestIndex(last = in[i]));
                row[x + i] = index;
            }
            break;
        }
        case 1:
            for (int i = 0; i < count; ++i) {
                uint8_t mask = uint8_t(0x80 >> ((x + i) & 7));
                uint8_t& byte = row[(x + i) >> 3];
                byte = NearestIndex(in[i]) ? (byte | mask) : (byte & ~mask);
            }
            break;
    }
}
