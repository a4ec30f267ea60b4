#include <gtest/gtest.h>

#include "Canvas.h"

namespace {

const Legend kColours = {
    {'.', RGB(255, 255, 255)}, {'k', RGB(0, 0, 0)}, {'r', RGB(255, 0, 0)}, {'b', RGB(0, 0, 255)}};

// A canvas with a pen and a brush selected; both released with it.
class ShapeCanvas : public Canvas {
public:
    ShapeCanvas(int w, int h, HPEN pen, HBRUSH brush) : Canvas(w, h), pen_(pen), brush_(brush) {
        oldPen_ = SelectObject(dc(), pen_);
        oldBrush_ = SelectObject(dc(), brush_);
    }
    ~ShapeCanvas() {
        SelectObject(dc(), oldPen_);
        SelectObject(dc(), oldBrush_);
        DeleteObject(pen_);
        DeleteObject(brush_);
    }

private:
    HPEN pen_;
    HBRUSH brush_;
    HGDIOBJ oldPen_, oldBrush_;
};

struct LineCase {
    const char* name;
    int style, width;
    int bkMode;
    POINT from, to;
    int canvasWidth, canvasHeight;
    Picture expected;
};

TEST(Lines, EndPointExcludedStylesAndWidths) {
    const LineCase cases[] = {
        {"horizontal", PS_SOLID, 1, OPAQUE, {0, 0}, {4, 0}, 5, 1, {"kkkk."}},
        {"leftward", PS_SOLID, 1, OPAQUE, {4, 0}, {0, 0}, 5, 1, {".kkkk"}},
        {"vertical", PS_SOLID, 1, OPAQUE, {1, 0}, {1, 2}, 3, 3, {".k.", ".k.", "..."}},
        {"diagonal", PS_SOLID, 1, OPAQUE, {0, 0}, {3, 3}, 4, 4, {"k...", ".k..", "..k.", "...."}},
        {"dot-opaque", PS_DOT, 1, OPAQUE, {0, 0}, {12, 0}, 13, 1, {"kkkbbbkkkbbb."}},
        {"dot-transparent", PS_DOT, 1, TRANSPARENT, {0, 0}, {12, 0}, 13, 1, {"kkk...kkk...."}},
        {"dash", PS_DASH, 1, TRANSPARENT, {0, 0}, {28, 0}, 28, 1, {"kkkkkkkkkkkkkkkkkk......kkkk"}},
        {"dash-dot",
         PS_DASHDOT,
         1,
         TRANSPARENT,
         {0, 0},
         {26, 0},
         26,
         1,
         {"kkkkkkkkk......kkk......kk"}},
        {"dash-dot-dot",
         PS_DASHDOTDOT,
         1,
         TRANSPARENT,
         {0, 0},
         {26, 0},
         26,
         1,
         {"kkkkkkkkk...kkk...kkk...kk"}},
        {"wide",
         PS_SOLID,
         3,
         OPAQUE,
         {1, 2},
         {5, 2},
         7,
         5,
         {".......", "kkkkkkk", "kkkkkkk", "kkkkkkk", "......."}},
        {"wide-dash-is-solid",
         PS_DASH,
         2,
         OPAQUE,
         {0, 1},
         {8, 1},
         10,
         2,
         {"kkkkkkkkk.", "kkkkkkkkk."}},
        {"null", PS_NULL, 1, OPAQUE, {0, 0}, {4, 0}, 5, 1, {"....."}},
    };
    for (const LineCase& c : cases) {
        ShapeCanvas canvas(c.canvasWidth, c.canvasHeight, CreatePen(c.style, c.width, 0),
                           CreateSolidBrush(0));
        SetBkMode(canvas.dc(), c.bkMode);
        SetBkColor(canvas.dc(), RGB(0, 0, 255));
        MoveToEx(canvas.dc(), c.from.x, c.from.y, nullptr);
        EXPECT_TRUE(LineTo(canvas.dc(), c.to.x, c.to.y));
        POINT at{};
        GetCurrentPositionEx(canvas.dc(), &at);
        EXPECT_EQ(at.x, c.to.x);
        EXPECT_EQ(at.y, c.to.y);
        EXPECT_TRUE(canvas.Matches(c.expected, kColours, std::string("line-") + c.name));
    }
}

TEST(Lines, PolylineContinuesTheStyleAcrossCorners) {
    ShapeCanvas canvas(4, 7, CreatePen(PS_DOT, 1, 0), CreateSolidBrush(0));
    SetBkMode(canvas.dc(), TRANSPARENT);
    const POINT points[] = {{0, 0}, {2, 0}, {2, 6}};
    EXPECT_TRUE(Polyline(canvas.dc(), points, 3));
    EXPECT_TRUE(canvas.Matches({"kkk.", "....", "....", "....", "..k.", "..k.", "...."}, kColours,
                               "polyline-dot"));
}

struct ShapeCase {
    const char* name;
    HGDIOBJ (*pen)();
    HGDIOBJ (*brush)();
    BOOL (*draw)(HDC);
    int width, height;
    Picture expected;
};

HGDIOBJ BlackPen() {
    return CreatePen(PS_SOLID, 1, 0);
}
HGDIOBJ WidePen() {
    return CreatePen(PS_SOLID, 2, 0);
}
HGDIOBJ NoPen() {
    return CreatePen(PS_NULL, 1, 0);
}
HGDIOBJ RedBrush() {
    return CreateSolidBrush(RGB(255, 0, 0));
}
HGDIOBJ NoBrush() {
    LOGBRUSH hollow{BS_NULL, 0, 0};
    return CreateBrushIndirect(&hollow);
}

TEST(Shapes, OutlineAndFillInsideTheBox) {
    const ShapeCase cases[] = {
        {"rectangle",
         BlackPen,
         RedBrush,
         [](HDC dc) { return Rectangle(dc, 0, 0, 5, 4); },
         6,
         5,
         {"kkkkk.", "krrrk.", "krrrk.", "kkkkk.", "......"}},
        {"rectangle-null-pen",
         NoPen,
         RedBrush,
         [](HDC dc) { return Rectangle(dc, 0, 0, 5, 4); },
         6,
         5,
         {"rrrr..", "rrrr..", "rrrr..", "......", "......"}},
        {"rectangle-hollow",
         BlackPen,
         NoBrush,
         [](HDC dc) { return Rectangle(dc, 1, 1, 4, 4); },
         5,
         5,
         {".....", ".kkk.", ".k.k.", ".kkk.", "....."}},
        {"rectangle-wide-pen",
         WidePen,
         RedBrush,
         [](HDC dc) { return Rectangle(dc, 0, 0, 6, 6); },
         6,
         6,
         {"kkkkkk", "kkkkkk", "kkrrkk", "kkrrkk", "kkkkkk", "kkkkkk"}},
        {"rectangle-swapped",
         BlackPen,
         RedBrush,
         [](HDC dc) { return Rectangle(dc, 3, 3, 0, 0); },
         4,
         4,
         {"kkk.", "krk.", "kkk.", "...."}},
        {"ellipse",
         BlackPen,
         RedBrush,
         [](HDC dc) { return Ellipse(dc, 0, 0, 7, 7); },
         7,
         7,
         {"..kkk..", ".krrrk.", "krrrrrk", "krrrrrk", "krrrrrk", ".krrrk.", "..kkk.."}},
        {"round-rect",
         BlackPen,
         RedBrush,
         [](HDC dc) { return RoundRect(dc, 0, 0, 8, 5, 4, 4); },
         8,
         5,
         {".kkkkkk.", "krrrrrrk", "krrrrrrk", "krrrrrrk", ".kkkkkk."}},
        {"triangle",
         NoPen,
         RedBrush,
         [](HDC dc) {
             const POINT p[] = {{0, 0}, {4, 0}, {0, 4}};
             return Polygon(dc, p, 3);
         },
         5,
         5,
         {"rrr..", "rr...", "r....", ".....", "....."}},
        {"square-polygon",
         BlackPen,
         RedBrush,
         [](HDC dc) {
             const POINT p[] = {{0, 0}, {3, 0}, {3, 3}, {0, 3}};
             return Polygon(dc, p, 4);
         },
         5,
         5,
         {"kkkk.", "krrk.", "krrk.", "kkkk.", "....."}},
    };
    for (const ShapeCase& c : cases) {
        ShapeCanvas canvas(c.width, c.height, static_cast<HPEN>(c.pen()),
                           static_cast<HBRUSH>(c.brush()));
        EXPECT_TRUE(c.draw(canvas.dc()));
        EXPECT_TRUE(canvas.Matches(c.expected, kColours, std::string("shape-") + c.name));
    }
}

TEST(Shapes, StyledRectangleOutline) {
    ShapeCanvas canvas(8, 4, CreatePen(PS_DOT, 1, 0), CreateSolidBrush(RGB(255, 0, 0)));
    SetBkMode(canvas.dc(), TRANSPARENT);
    Rectangle(canvas.dc(), 0, 0, 8, 4);
    EXPECT_TRUE(canvas.Matches({"kkk...kk", "krrrrrrk", "krrrrrr.", "...kkk.."}, kColours,
                               "rectangle-dotted"));
}

TEST(Fills, RectFrameSolidAndInvert) {
    Canvas canvas(5, 4);
    HBRUSH red = CreateSolidBrush(RGB(255, 0, 0));
    RECT all{0, 0, 5, 4}, inner{1, 1, 4, 3}, cell{0, 0, 1, 1};
    EXPECT_TRUE(FillRect(canvas.dc(), &all, red));
    EXPECT_TRUE(FrameRect(canvas.dc(), &all, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH))));
    FillSolidRect(canvas.dc(), &inner, RGB(0, 0, 255));
    EXPECT_EQ(GetBkColor(canvas.dc()), RGB(0, 0, 255));
    EXPECT_TRUE(canvas.Matches({"kkkkk", "kbbbk", "kbbbk", "kkkkk"}, kColours, "fills"));
    EXPECT_TRUE(InvertRect(canvas.dc(), &cell));
    EXPECT_EQ(canvas.At(0, 0), RGB(255, 255, 255));
    // A system colour index + 1 stands for its brush.
    EXPECT_TRUE(FillRect(canvas.dc(), &inner, reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1)));
    EXPECT_EQ(canvas.At(2, 2), GetSysColor(COLOR_WINDOW));
    DeleteObject(red);
}

}  // namespace
