#include <gtest/gtest.h>

#include "app/controls/tooltip/TipPlacement.h"

namespace {

TEST(TipPlacement, FitsTheTipOnTheScreen) {
    const RECT screen{0, 0, 1000, 800};
    const SIZE size{200, 60};
    struct Case {
        const char* what;
        int direction;
        POINT cursor;
        int placed;
        POINT anchor;
    } cases[] = {
        {"above, extending right", 16, {500, 400}, 16, {16, 60}},
        {"near the right edge it extends left", 16, {900, 400}, 17, {184, 60}},
        {"near the top edge it goes below", 16, {500, 30}, 0, {16, 0}},
        {"top right corner, anchor clamped", 16, {990, 30}, 1, {190, 0}},
        {"extending left near the left edge flips right", 17, {50, 400}, 16, {16, 60}},
        {"centred", 18, {500, 400}, 18, {100, 60}},
        {"centred near the right edge slides the anchor", 18, {950, 400}, 18, {150, 60}},
        {"centred at the left edge", 18, {10, 400}, 16, {10, 60}},
        {"right of the cursor flips left at the edge", 32, {900, 400}, 48, {200, 16}},
        {"left of the cursor flips right at the edge", 48, {100, 400}, 32, {0, 16}},
        {"right, near the bottom extends up", 32, {400, 780}, 33, {0, 44}},
        {"below, extending right, clamped at the left edge", 0, {5, 400}, 0, {5, 0}},
    };
    for (const Case& c : cases) {
        const TipPlacement placement = PlaceTip(c.direction, c.cursor, screen, size, 16);
        EXPECT_EQ(placement.direction, c.placed) << c.what;
        EXPECT_EQ(placement.anchor.x, c.anchor.x) << c.what;
        EXPECT_EQ(placement.anchor.y, c.anchor.y) << c.what;
    }
}

}  // namespace
