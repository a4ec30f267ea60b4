// Hot areas, the hover style and clicks on links.
#include <gtest/gtest.h>

#include "app/controls/markup/QoHtmlDrawer.h"
#include "tests/platform/gdi/Canvas.h"

namespace {

class HtmlLinks : public ::testing::Test {
protected:
    HtmlLinks() : canvas_(64, 20) {
        drawer_.SetStyleSheet(
            L"body {font-family:Box; font-size:16px}\r\n"
            L"a:link {color:blue}\r\na:hover {color:red}\r\n");
        SIZE size;
        drawer_.Measure(canvas_.dc(), L"<a href=x>ab</a> <a href=''>cd</a>", &size);
        Draw();
    }
    void Draw() {
        RECT area{0, 0, 64, 20};
        drawer_.Draw(canvas_.dc(), &area);
    }

    Canvas canvas_;
    CQoHtmlDrawer drawer_;
};

TEST_F(HtmlLinks, EveryLinkedPieceLeavesAHotArea) {
    ASSERT_EQ(drawer_.HotAreas().size(), 2u);
    const HotArea& first = drawer_.HotAreas()[0];
    EXPECT_EQ(first.rect.left, 0);
    EXPECT_EQ(first.rect.right, 16);
    EXPECT_EQ(first.rect.top, 0);
    EXPECT_EQ(first.rect.bottom, 16);
    EXPECT_EQ(first.linkType, 1);
    EXPECT_EQ(first.linkIndex, 0);
    EXPECT_EQ(first.param, CString(L"x"));
    EXPECT_EQ(drawer_.HotAreas()[1].rect.left, 24);
    EXPECT_EQ(drawer_.HotAreas()[1].linkIndex, 1);
    EXPECT_EQ(canvas_.At(2, 2), RGB(0, 0, 255));
}

TEST_F(HtmlLinks, HoverRestylesOnlyTheLinkUnderTheCursor) {
    POINT over{4, 4};
    EXPECT_TRUE(drawer_.OnSetCursor(&over));
    Draw();
    EXPECT_EQ(canvas_.At(2, 2), RGB(255, 0, 0));
    EXPECT_EQ(canvas_.At(26, 2), RGB(0, 0, 255));
    POINT off{60, 4};
    EXPECT_FALSE(drawer_.OnSetCursor(&off));
    Draw();
    EXPECT_EQ(canvas_.At(2, 2), RGB(0, 0, 255));
}

TEST_F(HtmlLinks, EmptyTargetShowsNoHandAndDoesNothing) {
    POINT over{26, 4};
    EXPECT_FALSE(drawer_.OnSetCursor(&over));
    drawer_.OnLButtonDown(&over);  // an empty parameter is never followed
    Draw();
    EXPECT_EQ(canvas_.At(26, 2), RGB(255, 0, 0));  // but it is the hot link
}

TEST_F(HtmlLinks, ANewMeasureForgetsTheAreas) {
    SIZE size;
    drawer_.Measure(canvas_.dc(), L"plain", &size);
    EXPECT_TRUE(drawer_.HotAreas().empty());
}

}  // namespace
