// Registers Marlowin's resources once for the whole test program, and reads a
// bitmap resource back as 0x00RRGGBB pixels, top row first.
#pragma once

#include <cstdint>
#include <vector>

#include <gtest/gtest.h>

#include "platform/user/UserTypes.h"

struct LoadedBitmap {
    int width = 0;
    int height = 0;
    std::vector<uint32_t> pixels;
    uint32_t At(int x, int y) const { return pixels[static_cast<size_t>(y) * width + x]; }
};

// Empty (width 0) when the id is unknown.
LoadedBitmap LoadSkin(UINT id);

class Resources : public ::testing::Test {
protected:
    static void SetUpTestSuite();
};
