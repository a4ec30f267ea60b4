#include <gtest/gtest.h>

#include <string>

#include "app/controls/draw/QoDrawManager.h"
#include "tests/app/controls/draw/Canvas.h"

namespace {

constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kA = RGB(255, 0, 0);
constexpr COLORREF kB = RGB(0, 0, 255);

// The canvas as text: '.' white, 'a' and 'b' the two colours, '?' anything else.
std::vector<std::string> Picture(const Canvas& canvas, int width, int height) {
    std::vector<std::string> rows;
    for (int y = 0; y < height; ++y) {
        std::string row;
        for (int x = 0; x < width; ++x) {
            const COLORREF c = canvas.At(x, y);
            row += c == kWhite ? '.' : c == kA ? 'a' : c == kB ? 'b' : '?';
        }
        rows.push_back(row);
    }
    return rows;
}

}  // namespace

TEST(DrawRectangle, TwoColouredOutline) {
    Canvas canvas(5, 4, kWhite);
    CQoDrawManager manager;
    manager.DrawRectangle(canvas.Dc(), 0, 0, 4, 3, kA, kB, PEN_SOLID, 1);
    EXPECT_EQ(Picture(canvas, 5, 4),
              (std::vector<std::string>{"aaaab", "a...b", "a...b", "abbbb"}));
}

TEST(DrawRectangle, DoublePenDrawsTwoOutlinesTwoPixelsApart) {
    Canvas canvas(8, 8, kWhite);
    CQoDrawManager manager;
    const RECT r{0, 0, 7, 7};
    manager.DrawRectangle(canvas.Dc(), &r, kA, kB, PEN_DOUBLE, 1);
    EXPECT_EQ(Picture(canvas, 8, 8), (std::vector<std::string>{
                                         "aaaaaaab",
                                         "a......b",
                                         "a.aaab.b",
                                         "a.a..b.b",
                                         "a.a..b.b",
                                         "a.abbb.b",
                                         "a......b",
                                         "abbbbbbb",
                                     }));
}

TEST(DrawRectangle, NoPenOrNoWidthDrawsNothing) {
    Canvas canvas(4, 4, kWhite);
    CQoDrawManager manager;
    manager.DrawRectangle(canvas.Dc(), 0, 0, 3, 3, kA, kB, PEN_NONE, 1);
    manager.DrawRectangle(canvas.Dc(), 0, 0, 3, 3, kA, kB, PEN_SOLID, 0);
    manager.DrawLine(canvas.Dc(), 0, 0, 3, 0, kA, PEN_NONE, 1);
    manager.DrawLine(canvas.Dc(), 0, 0, 3, 0, kA, PEN_SOLID, 0);
    EXPECT_EQ(Picture(canvas, 4, 4), (std::vector<std::string>(4, "....")));
}

TEST(DrawLine, DoubleLinesGetACopyBelowOrRight) {
    Canvas canvas(5, 4, kWhite);
    CQoDrawManager manager;
    manager.DrawLine(canvas.Dc(), 0, 0, 4, 0, kA, PEN_DOUBLE, 1);
    manager.DrawLine(canvas.Dc(), 0, 1, 0, 4, kB, PEN_DOUBLE, 1);
    EXPECT_EQ(Picture(canvas, 5, 4),
              (std::vector<std::string>{"aaaa.", "b.b..", "baba.", "b.b.."}));
}
