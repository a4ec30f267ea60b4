#include "app/controls/draw/BitmapFile.h"

#include <filesystem>
#include <fstream>
#include <system_error>

namespace bitmap_file {

namespace {

constexpr size_t kFileHeaderBytes = 14;
constexpr uint32_t kInfoHeaderBytes = 40;

uint32_t U16(const uint8_t* p) {
    return uint32_t(p[0]) | uint32_t(p[1]) << 8;
}
uint32_t U32(const uint8_t* p) {
    return U16(p) | U16(p + 2) << 16;
}
int32_t S32(const uint8_t* p) {
    return int32_t(U32(p));
}

uint32_t Rgb(uint8_t r, uint8_t g, uint8_t b) {
    return uint32_t(r) << 16 | uint32_t(g) << 8 | b;
}

struct Layout {
    int width = 0, height = 0;
    bool topDown = false;
    uint32_t bits = 0;
    size_t pixelsAt = 0, stride = 0;
    std::vector<uint32_t> palette;
};

bool ReadPalette(const uint8_t* data, size_t size, size_t at, uint32_t used, Layout& l) {
    const uint32_t most = 1u << l.bits;
    const uint32_t entries = used == 0 ? most : used;
    if (entries > most || at + size_t(entries) * 4 > size)
        return false;
    for (uint32_t i = 0; i < entries; ++i) {
        const uint8_t* q = data + at + size_t(i) * 4;
        l.palette.push_back(Rgb(q[2], q[1], q[0]));
    }
    return true;
}

bool ReadLayout(const uint8_t* data, size_t size, Layout& l) {
    if (size < kFileHeaderBytes + kInfoHeaderBytes || data[0] != 'B' || data[1] != 'M')
        return false;
    const uint8_t* info = data + kFileHeaderBytes;
    const uint32_t infoBytes = U32(info);
    const int32_t width = S32(info + 4), height = S32(info + 8);
    l.bits = U16(info + 14);
    const bool bitsKnown =
        l.bits == 1 || l.bits == 4 || l.bits == 8 || l.bits == 24 || l.bits == 32;
    if (infoBytes < kInfoHeaderBytes || infoBytes > size - kFileHeaderBytes ||
        U16(info + 12) != 1 || !bitsKnown || U32(info + 16) != 0 /* BI_RGB only */)
        return false;
    if (width <= 0 || width > kMaxDimension || height == 0 || height < -kMaxDimension ||
        height > kMaxDimension)
        return false;
    l.width = width;
    l.height = height < 0 ? -height : height;
    l.topDown = height < 0;
    l.stride = (size_t(l.width) * l.bits + 31) / 32 * 4;
    l.pixelsAt = U32(data + 10);
    const size_t headers = kFileHeaderBytes + infoBytes;
    if (l.pixelsAt < headers || l.pixelsAt > size ||
        size - l.pixelsAt < l.stride * size_t(l.height))
        return false;
    return l.bits > 8 || ReadPalette(data, size, headers, U32(info + 32), l);
}

uint32_t Pixel(const Layout& l, const uint8_t* row, int x) {
    if (l.bits >= 24) {
        const uint8_t* p = row + size_t(x) * (l.bits / 8);
        return Rgb(p[2], p[1], p[0]);
    }
    const size_t bit = size_t(x) * l.bits;
    const uint32_t index = (row[bit / 8] >> (8 - l.bits - bit % 8)) & ((1u << l.bits) - 1);
    return index < l.palette.size() ? l.palette[index] : 0;  // an entry the file lacks: black
}

}  // namespace

bool Decode(const uint8_t* data, size_t size, Image* out) {
    Layout l;
    if (data == nullptr || size > kMaxFileBytes || !ReadLayout(data, size, l))
        return false;
    out->width = l.width;
    out->height = l.height;
    out->pixels.assign(size_t(l.width) * size_t(l.height), 0);
    for (int y = 0; y < l.height; ++y) {
        const int stored = l.topDown ? y : l.height - 1 - y;
        const uint8_t* row = data + l.pixelsAt + size_t(stored) * l.stride;
        for (int x = 0; x < l.width; ++x)
            out->pixels[size_t(y) * size_t(l.width) + size_t(x)] = Pixel(l, row, x);
    }
    return true;
}

}  // namespace bitmap_file

namespace {

// The file's bytes when it is a regular file within the size limit.
bool ReadBounded(const wchar_t* path, std::vector<uint8_t>* bytes) {
    std::error_code error;
    const std::filesystem::path file(path);
    if (!std::filesystem::is_regular_file(file, error))
        return false;
    const uintmax_t size = std::filesystem::file_size(file, error);
    if (error || size == 0 || size > bitmap_file::kMaxFileBytes)
        return false;
    std::ifstream in(file, std::ios::binary);
    bytes->resize(size_t(size));
    in.read(reinterpret_cast<char*>(bytes->data()), std::streamsize(size));
    return in.gcount() == std::streamsize(size);
}

}  // namespace

HBITMAP LoadBitmapFile(const wchar_t* path) {
    std::vector<uint8_t> bytes;
    bitmap_file::Image image;
    if (path == nullptr || *path == 0 || !ReadBounded(path, &bytes) ||
        !bitmap_file::Decode(bytes.data(), bytes.size(), &image))
        return nullptr;
    return CreateBitmap(image.width, image.height, 1, 32, image.pixels.data());
}
