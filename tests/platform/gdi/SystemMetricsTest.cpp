#include "platform/gdi/SystemMetrics.h"

#include <gtest/gtest.h>

#include "platform/gdi/Gdi.h"

namespace {

struct MulDivCase {
    int number, numerator, denominator, expected;
};

TEST(MulDiv, RoundsHalfAwayFromZero) {
    const MulDivCase cases[] = {
        {5, 1, 2, 3},
        {-5, 1, 2, -3},
        {5, -1, 2, -3},
        {-5, -1, 2, 3},
        {7, 1, 3, 2},
        {8, 1, 3, 3},
        {-8, 1, 3, -3},
        {255, 50, 100, 128},
        {1, 1, 0, -1},
        {0x40000000, 4, 1, -1},
        {0x40000000, 4, 8, 0x20000000},
    };
    for (const MulDivCase& c : cases) {
        EXPECT_EQ(MulDiv(c.number, c.numerator, c.denominator), c.expected)
            << c.number << " * " << c.numerator << " / " << c.denominator;
    }
}

TEST(SysColor, DefaultsAndUnknownIndices) {
    EXPECT_EQ(GetSysColor(COLOR_WINDOW), RGB(255, 255, 255));
    EXPECT_EQ(GetSysColor(COLOR_BTNFACE), RGB(240, 240, 240));
    EXPECT_EQ(GetSysColor(COLOR_WINDOWTEXT), RGB(0, 0, 0));
    EXPECT_EQ(GetSysColor(-1), 0u);
    EXPECT_EQ(GetSysColor(1000), 0u);
}

TEST(SystemMetrics, ScreenFollowsTheBackend) {
    EXPECT_EQ(GetSystemMetrics(SM_CXICON), 32);
    EXPECT_EQ(GetSystemMetrics(12345), 0);
    SetScreenSize(800, 600);
    EXPECT_EQ(GetSystemMetrics(SM_CXSCREEN), 800);
    EXPECT_EQ(GetSystemMetrics(SM_CYSCREEN), 600);
    SetScreenSize(1920, 1080);
}

TEST(GdiObjectTable, StaleHandlesFailHarmlessly) {
    int notAnObject = 0;
    EXPECT_EQ(GetObjectType(&notAnObject), 0u);
    EXPECT_EQ(GetObjectW(&notAnObject, 4, &notAnObject), 0);
    EXPECT_EQ(GetObjectType(nullptr), 0u);
}

}  // namespace
