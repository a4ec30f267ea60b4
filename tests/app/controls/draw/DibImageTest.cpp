#include <gtest/gtest.h>

#include <algorithm>

#include "app/controls/draw/DibImage.h"
#include "tests/app/controls/draw/Canvas.h"

TEST(DibImage, CreateLaysOutHeaderPaletteAndRows) {
    CDibImage dib;
    BYTE* block = dib.Create(5, 3, 8);
    ASSERT_NE(block, nullptr);
    EXPECT_EQ(dib.GetRowBytes(), 8u);
    EXPECT_EQ(dib.GetPaletteBytes(), 1024u);
    EXPECT_EQ(dib.GetTotalSize(), 40u + 1024u + 24u);
    EXPECT_EQ(dib.GetPixels(), block + 40 + 1024);
    const auto* header = reinterpret_cast<const BITMAPINFOHEADER*>(block);
    EXPECT_EQ(header->biSizeImage, 24u);
    EXPECT_EQ(header->biHeight, 3);
    CDibImage wide;
    ASSERT_NE(wide.Create(3, 2, 32), nullptr);
    EXPECT_EQ(wide.GetPaletteBytes(), 0u);
    EXPECT_EQ(wide.GetRowBytes(), 12u);
}

// Row and image sizes that wrap in 32 bits once allocated a tiny block and
// wrote past it; what does not fit the limits is refused and leaves nothing.
TEST(DibImage, CreateRefusesSizesBeyondItsLimits) {
    const struct {
        DWORD width, height;
        WORD bits;
    } refused[] = {{65536, 65536, 8},
                   {0x40000000, 1, 32},
                   {0xFFFFFFFF, 1, 1},
                   {1, 0x80000000, 1},
                   {16384, 16385, 8}};
    for (const auto& c : refused) {
        CDibImage dib;
        EXPECT_EQ(dib.Create(c.width, c.height, c.bits), nullptr) << c.width << "x" << c.height;
        EXPECT_EQ(dib.GetPixels(), nullptr);
        EXPECT_EQ(dib.GetTotalSize(), 0u);
    }
    CDibImage large;
    ASSERT_NE(large.Create(4096, 4096, 8), nullptr);
    EXPECT_EQ(large.GetTotalSize(), 40u + 1024u + 4096u * 4096u);
}

TEST(DibImage, EmptyImageDoesNothing) {
    CDibImage dib;
    EXPECT_EQ(dib.GetPixels(), nullptr);
    dib.SetPixelIndex(0, 0, 1);
    dib.FillPixels(3);
    dib.BlendPalette(RGB(1, 2, 3), 50);
    Canvas canvas(2, 2, RGB(9, 9, 9));
    dib.Draw(canvas.Dc(), 0, 0);
    EXPECT_EQ(canvas.At(0, 0), RGB(9, 9, 9));
}

TEST(DibImage, PixelIndexCountsFromTheTopAndDrawUsesThePalette) {
    CDibImage dib;
    ASSERT_NE(dib.Create(3, 2, 8), nullptr);
    dib.SetPaletteIndex(0, 10, 20, 30);
    dib.SetPaletteIndex(1, 200, 100, 50);
    dib.FillPixels(0);
    dib.SetPixelIndex(2, 0, 1);
    dib.SetPixelIndex(3, 0, 1);   // outside: nothing
    dib.SetPixelIndex(0, -1, 1);  // outside: nothing
    EXPECT_EQ(dib.GetPixels()[dib.GetRowBytes() + 2], 1) << "y 0 is the last stored row";
    Canvas canvas(5, 3, RGB(255, 255, 255));
    dib.Draw(canvas.Dc(), 1, 1);
    EXPECT_EQ(canvas.At(0, 0), RGB(255, 255, 255));
    EXPECT_EQ(canvas.At(1, 1), RGB(10, 20, 30));
    EXPECT_EQ(canvas.At(3, 1), RGB(200, 100, 50));
    EXPECT_EQ(canvas.At(3, 2), RGB(10, 20, 30));

    dib.BlendPalette(RGB(110, 120, 130), 150);  // capped at 100
    dib.Draw(canvas.Dc(), 1, 1);
    EXPECT_EQ(canvas.At(1, 1), RGB(110, 120, 130)) << "a second draw takes the new palette";
    dib.SetPaletteIndex(0, 0, 0, 0);
    dib.BlendPalette(RGB(200, 100, 50), 25);
    dib.Draw(canvas.Dc(), 1, 1);
    EXPECT_EQ(canvas.At(1, 1), RGB(50, 25, 12));
}

// For 1- and 4-bit images x ran past the row (and the block); a 32-bit image
// would take x as a byte offset inside the wrong pixel.
TEST(DibImage, PixelIndexChangesOnly8BitImages) {
    for (const WORD bits : {1, 4, 24, 32}) {
        CDibImage dib;
        ASSERT_NE(dib.Create(20, 2, bits), nullptr);
        dib.FillPixels(0x5A);
        for (const long x : {3L, 5L, 19L})
            for (const long y : {0L, 1L})
                dib.SetPixelIndex(x, y, 0xFF);
        const BYTE* pixels = dib.GetPixels();
        const DWORD size = dib.GetRowBytes() * 2;
        EXPECT_EQ(std::count(pixels, pixels + size, BYTE(0x5A)), long(size)) << bits << " bits";
    }
}
