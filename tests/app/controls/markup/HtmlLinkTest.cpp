// Hot areas, the hover style and clicks on links.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>

#include "TestWindows.h"
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

TEST_F(HtmlLinks, EmptyTargetShowsNoHandButIsTheHotLink) {
    POINT over{26, 4};
    EXPECT_FALSE(drawer_.OnSetCursor(&over));
    Draw();
    EXPECT_EQ(canvas_.At(26, 2), RGB(255, 0, 0));
}

TEST_F(HtmlLinks, AnEmptyMessageLinkSendsNothing) {
    TestWindows windows;
    HWND target = windows.Top(0, 0, 10, 10);
    constexpr UINT kLink = WM_USER + 8;
    int sent = 0;
    TestWindows::On(target, kLink, [&](HWND, WPARAM, LPARAM) -> LRESULT {
        ++sent;
        return 0;
    });
    drawer_.SetLinkTarget(target, kLink, 0);
    SIZE size;
    drawer_.Measure(canvas_.dc(), L"<a msg=''>ab</a><a msg=go>cd</a>", &size);
    Draw();
    for (POINT point : {POINT{4, 4}, POINT{20, 4}})
        drawer_.OnLButtonDown(&point);
    EXPECT_EQ(sent, 1) << "only the link with a parameter";
}

TEST_F(HtmlLinks, RepaintsDoNotPileUpHotAreas) {
    Draw();
    Draw();
    EXPECT_EQ(drawer_.HotAreas().size(), 2u);
}

TEST_F(HtmlLinks, ANewMeasureForgetsTheAreas) {
    SIZE size;
    drawer_.Measure(canvas_.dc(), L"plain", &size);
    EXPECT_TRUE(drawer_.HotAreas().empty());
}

TEST_F(HtmlLinks, OneRepaintPerChangeOfTheLinkUnderTheCursor) {
    TestWindows windows;
    HWND target = windows.Top(0, 0, 10, 10);
    constexpr UINT kRepaint = WM_USER + 101;
    std::vector<WPARAM> repaints;
    TestWindows::On(target, kRepaint, [&](HWND, WPARAM index, LPARAM lParam) -> LRESULT {
        EXPECT_EQ(lParam, 5);
        repaints.push_back(index);
        return 1;
    });
    drawer_.SetRepaintTarget(target, kRepaint, 5);
    for (POINT point : {POINT{60, 4}, POINT{4, 4}, POINT{8, 8}, POINT{26, 4}, POINT{30, 4},
                        POINT{60, 4}, POINT{61, 4}})
        drawer_.OnSetCursor(&point);
    EXPECT_EQ(repaints, (std::vector<WPARAM>{0, 1, WPARAM(-2)}));
}

TEST_F(HtmlLinks, MessageLinkSendsItsParameterToTheLinkTarget) {
    TestWindows windows;
    HWND target = windows.Top(0, 0, 10, 10);
    constexpr UINT kLink = WM_USER + 7;
    CString received;
    TestWindows::On(target, kLink, [&](HWND, WPARAM text, LPARAM) -> LRESULT {
        received = *reinterpret_cast<const CString*>(text);
        return 0;
    });
    SIZE size;
    drawer_.Measure(canvas_.dc(), L"<a msg=\"show map\">ab</a>", &size);
    Draw();
    POINT over{4, 4};
    drawer_.OnLButtonDown(&over);
    EXPECT_TRUE(received.IsEmpty()) << "no target yet";
    drawer_.SetLinkTarget(target, kLink, 0);
    drawer_.OnLButtonDown(&over);
    EXPECT_EQ(received, CString(L"show map"));
}

// A repaint or a link message rebuilds the hot areas while the cursor or
// click is still being handled; a target that measures a text with many
// links moves the list's storage. What the handler needed was read before.
TEST_F(HtmlLinks, ARepaintThatRebuildsTheAreasLeavesTheCursorAndClickWhole) {
    TestWindows windows;
    HWND target = windows.Top(0, 0, 10, 10);
    constexpr UINT kRepaint = WM_USER + 102, kLink = WM_USER + 103;
    CString manyLinks;
    for (int i = 0; i < 40; ++i)
        manyLinks += L"<a href=y>e</a>";
    const auto rebuild = [&] {
        SIZE size;
        drawer_.Measure(canvas_.dc(), manyLinks, &size);
        Draw();
    };
    TestWindows::On(target, kRepaint, [&](HWND, WPARAM, LPARAM) -> LRESULT {
        rebuild();
        return 0;
    });
    CString received;
    TestWindows::On(target, kLink, [&](HWND, WPARAM text, LPARAM) -> LRESULT {
        rebuild();
        received = *reinterpret_cast<const CString*>(text);
        return 0;
    });
    drawer_.SetRepaintTarget(target, kRepaint, 0);
    POINT over{4, 4};
    EXPECT_TRUE(drawer_.OnSetCursor(&over)) << "the area under the cursor had a target";
    SIZE size;
    drawer_.Measure(canvas_.dc(), L"<a msg=\"show map\">ab</a>", &size);
    Draw();
    drawer_.SetLinkTarget(target, kLink, 0);
    drawer_.OnLButtonDown(&over);
    EXPECT_EQ(received, CString(L"show map"));
}

// The opener gets the target as its one argument, exactly as written: a
// trailing backslash once escaped the quote that closed it.
class HtmlLinkOpener : public HtmlLinks {
protected:
    void SetUp() override {
        char pattern[] = "/tmp/link opener-XXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        dir_ = pattern;
        const std::string script = dir_ + "/opener";
        std::ofstream(script) << "#!/bin/sh\nprintf '%s|%s\\n' \"$#\" \"$1\" >> \"$0.log\"\n";
        ASSERT_EQ(chmod(script.c_str(), 0755), 0);
        drawer_.SetLinkOpener(CString(std::wstring(script.begin(), script.end())));
    }
    void TearDown() override { std::filesystem::remove_all(dir_); }
    // The lines the opener's runs wrote, once there are `lines` of them or
    // five seconds have passed.
    std::string Opened(size_t lines) const {
        std::string log;
        for (int i = 0; i < 500; ++i) {
            std::ifstream in(dir_ + "/opener.log");
            std::stringstream s;
            s << in.rdbuf();
            log = s.str();
            if (size_t(std::count(log.begin(), log.end(), '\n')) >= lines)
                break;
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
        return log;
    }
    void Click(const wchar_t* text) {
        SIZE size;
        drawer_.Measure(canvas_.dc(), text, &size);
        Draw();
        POINT over{4, 4};
        drawer_.OnLButtonDown(&over);
    }

    std::string dir_;
};

TEST_F(HtmlLinkOpener, TheTargetReachesTheOpenerWhole) {
    struct Case {
        const wchar_t* text;
        std::string opened;
    } cases[] = {
        {L"<a href=\"C:\\My Files\\\">ab</a>", "1|C:\\My Files\\"},
        {L"<a href='say \"hi\" now'>ab</a>", "1|say \"hi\" now"},
    };
    for (const Case& c : cases) {
        std::filesystem::remove(dir_ + "/opener.log");
        Click(c.text);
        EXPECT_EQ(Opened(1), c.opened + "\n");
    }
}

// The fixture's text has "x" at 4 and an empty target at 26.
TEST_F(HtmlLinkOpener, AnEmptyTargetStartsNothing) {
    POINT empty{26, 4}, linked{4, 4};
    drawer_.OnLButtonDown(&empty);
    drawer_.OnLButtonDown(&linked);
    EXPECT_EQ(Opened(1), "1|x\n") << "only the second click started the opener";
}

TEST_F(HtmlLinkOpener, ATargetThatReadsAsAnOptionIsNotStarted) {
    Click(L"<a href=\"--help\">ab</a>");
    Click(L"<a href=\"next\">ab</a>");
    EXPECT_EQ(Opened(1), "1|next\n") << "only the second click started the opener";
}

}  // namespace
