// The bitmap file reader: whole images read exactly, anything malformed or
// too large refused.
#include "app/controls/draw/BitmapFile.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <functional>
#include <string>

#include "tests/app/controls/draw/BmpBytes.h"

namespace {

using bmp_bytes::Put16;
using bmp_bytes::Put32;

const std::vector<uint32_t> kTwoByTwo = {0xFF0000, 0x00FF00, 0x0000FF, 0x123456};

TEST(BitmapFile, TrueColourRowsComeOutTopFirstWhicheverWayTheyAreStored) {
    for (const bool topDown : {false, true}) {
        const std::vector<uint8_t> file = bmp_bytes::TrueColour(2, 2, kTwoByTwo, topDown);
        bitmap_file::Image image;
        ASSERT_TRUE(bitmap_file::Decode(file.data(), file.size(), &image)) << topDown;
        EXPECT_EQ(image.width, 2);
        EXPECT_EQ(image.height, 2);
        EXPECT_EQ(image.pixels, kTwoByTwo) << topDown;
    }
}

TEST(BitmapFile, PaletteImagesTakeTheirColoursFromThePalette) {
    const std::vector<uint8_t> file =
        bmp_bytes::TwoColour(3, {0b10100000, 0b01000000}, 0x000000, 0xFFFFFF);
    bitmap_file::Image image;
    ASSERT_TRUE(bitmap_file::Decode(file.data(), file.size(), &image));
    EXPECT_EQ(image.pixels, (std::vector<uint32_t>{0xFFFFFF, 0, 0xFFFFFF, 0, 0xFFFFFF, 0}));
}

TEST(BitmapFile, MalformedOrOversizedFilesAreRefused) {
    using Break = std::function<void(std::vector<uint8_t>&)>;
    const struct {
        const char* what;
        Break change;
    } cases[] = {
        {"no magic", [](auto& b) { b[0] = 'X'; }},
        {"cut in the header", [](auto& b) { b.resize(40); }},
        {"cut in the pixels", [](auto& b) { b.resize(b.size() - 1); }},
        {"zero width", [](auto& b) { Put32(b, bmp_bytes::kWidth, 0); }},
        {"negative width", [](auto& b) { Put32(b, bmp_bytes::kWidth, uint32_t(-2)); }},
        {"zero height", [](auto& b) { Put32(b, bmp_bytes::kHeight, 0); }},
        {"too wide", [](auto& b) { Put32(b, bmp_bytes::kWidth, bitmap_file::kMaxDimension + 1); }},
        {"too high",
         [](auto& b) { Put32(b, bmp_bytes::kHeight, uint32_t(-bitmap_file::kMaxDimension - 1)); }},
        {"huge", [](auto& b) { Put32(b, bmp_bytes::kWidth, 0x40000000); }},
        {"two planes", [](auto& b) { Put16(b, bmp_bytes::kPlanes, 2); }},
        {"16 bits", [](auto& b) { Put16(b, bmp_bytes::kBits, 16); }},
        {"compressed", [](auto& b) { Put32(b, bmp_bytes::kCompression, 1); }},
        {"pixels beyond the file", [](auto& b) { Put32(b, bmp_bytes::kPixelOffset, 0xFFFFFFF0); }},
        {"pixels inside the header", [](auto& b) { Put32(b, bmp_bytes::kPixelOffset, 20); }},
        {"header larger than the file", [](auto& b) { Put32(b, 14, 0x7FFFFFFF); }},
        {"short info header", [](auto& b) { Put32(b, 14, 12); }},
    };
    for (const auto& c : cases) {
        std::vector<uint8_t> file = bmp_bytes::TrueColour(2, 2, kTwoByTwo);
        c.change(file);
        bitmap_file::Image image;
        EXPECT_FALSE(bitmap_file::Decode(file.data(), file.size(), &image)) << c.what;
    }
    std::vector<uint8_t> palette = bmp_bytes::TwoColour(3, {0, 0}, 0, 0xFFFFFF);
    Put32(palette, bmp_bytes::kColorsUsed, 3);  // more entries than 1 bit can index
    bitmap_file::Image image;
    EXPECT_FALSE(bitmap_file::Decode(palette.data(), palette.size(), &image));
}

TEST(BitmapFile, LoadingReadsOnlyRegularFilesWithinTheLimit) {
    char pattern[] = "/tmp/bitmap file-XXXXXX";
    ASSERT_NE(mkdtemp(pattern), nullptr);
    const std::string dir = pattern;
    const std::wstring good = std::filesystem::path(dir + "/good.bmp").wstring();
    bmp_bytes::Write(dir + "/good.bmp", bmp_bytes::TrueColour(2, 2, kTwoByTwo));
    HBITMAP bitmap = LoadBitmapFile(good.c_str());
    ASSERT_NE(bitmap, nullptr);
    BITMAP info{};
    ASSERT_NE(GetObject(bitmap, sizeof(info), &info), 0);
    EXPECT_EQ(info.bmWidth, 2);
    EXPECT_EQ(info.bmHeight, 2);
    DeleteObject(bitmap);
    std::filesystem::resize_file(dir + "/good.bmp", bitmap_file::kMaxFileBytes + 1);
    EXPECT_EQ(LoadBitmapFile(good.c_str()), nullptr) << "larger than the limit";
    for (const std::wstring& path :
         {std::filesystem::path(dir).wstring(), std::filesystem::path(dir + "/none").wstring(),
          std::wstring(L"/dev/zero"), std::wstring()})
        EXPECT_EQ(LoadBitmapFile(path.c_str()), nullptr);
    EXPECT_EQ(LoadBitmapFile(nullptr), nullptr);
    std::filesystem::remove_all(dir);
}

}  // namespace
