// The tooltip's tools, its timers on the fake clock and its notification.
#include <gtest/gtest.h>

#include "TestWindows.h"
#include "app/controls/tooltip/QoToolTip.h"
#include "platform/base/FakeClock.h"
#include "platform/user/Screen.h"

namespace {

class ToolTip : public ::testing::Test {
protected:
    ToolTip() {
        top_ = windows_.Top(100, 100, 300, 200);
        button_ = windows_.Child(top_, 1, 10, 10, 80, 30);
        other_ = windows_.Child(top_, 2, 10, 100, 80, 30);
        EXPECT_TRUE(tip_.Create(CWnd::FromHandle(top_), TRUE));
        tip_.SetDefaultBehaviour(TOOLTIP_BEHAVIOUR_RESHOW);
        tip_.AddTool(CWnd::FromHandle(button_), L"Play");
        tip_.AddTool(CWnd::FromHandle(other_), L"Stop");
    }
    ~ToolTip() override { tip_.DestroyWindow(); }

    // A relayed mouse move with the cursor really there.
    void MoveTo(int x, int y) {
        SetCursorPos(x, y);
        MSG msg{top_, WM_MOUSEMOVE, 0, 0, 0, POINT{x, y}};
        tip_.RelayEvent(&msg);
    }
    void Advance(uint64_t ms) {
        clock_->Advance(ms);
        TestWindows::Pump();
    }
    bool Visible() const { return IsWindowVisible(tip_.GetSafeHwnd()) != FALSE; }

    ScopedFakeClock clock_;
    TestWindows windows_;
    HWND top_, button_, other_;
    CQoToolTip tip_;
};

TEST_F(ToolTip, ShowsAfterTheInitialDelayAndHidesOnAutopop) {
    MoveTo(120, 120);
    Advance(499);
    EXPECT_EQ(tip_.GetState(), CQoToolTip::kHidden);
    EXPECT_FALSE(Visible());
    Advance(1);
    EXPECT_EQ(tip_.GetState(), CQoToolTip::kShown);
    EXPECT_TRUE(Visible());
    EXPECT_EQ(tip_.CurrentTool().text, CString(L"Play"));
    // Direction 16: above the cursor, the anchor's apex on it.
    RECT window;
    GetWindowRect(tip_.GetSafeHwnd(), &window);
    EXPECT_EQ(window.bottom - window.top - 6, 120 - window.top) << "apex at the cursor's row";
    EXPECT_EQ(window.left, 120 - 16);
    Advance(4999);
    EXPECT_TRUE(Visible());
    Advance(1);
    EXPECT_EQ(tip_.GetState(), CQoToolTip::kHidden);
    EXPECT_FALSE(Visible());
}

TEST_F(ToolTip, CursorThatMovedDuringTheDelayShowsNothing) {
    MoveTo(120, 120);
    SetCursorPos(130, 125);  // not relayed yet
    Advance(500);
    EXPECT_EQ(tip_.GetState(), CQoToolTip::kHidden);
    EXPECT_FALSE(Visible());
}

TEST_F(ToolTip, ReshowBehaviourHidesAndStartsTheDelayAgain) {
    MoveTo(120, 120);
    Advance(500);
    ASSERT_TRUE(Visible());
    MoveTo(125, 120);  // still over the button
    EXPECT_FALSE(Visible());
    Advance(499);
    EXPECT_FALSE(Visible());
    Advance(1);
    EXPECT_TRUE(Visible());
    MoveTo(125, 120);  // the same point again: nothing
    EXPECT_TRUE(Visible());
}

TEST_F(ToolTip, WithoutReshowAMoveHidesUntilTheToolIsLeft) {
    tip_.SetDefaultBehaviour(0);
    MoveTo(120, 120);
    Advance(500);
    ASSERT_TRUE(Visible());
    MoveTo(125, 120);
    EXPECT_FALSE(Visible());
    Advance(5000);
    EXPECT_FALSE(Visible());
    MoveTo(120, 220);  // the other tool
    Advance(500);
    EXPECT_TRUE(Visible());
    EXPECT_EQ(tip_.CurrentTool().text, CString(L"Stop"));
}

TEST_F(ToolTip, BackToTheFirstToolBeforeTheSecondsDelayShowsTheFirst) {
    tip_.SetDefaultBehaviour(TOOLTIP_BEHAVIOUR_KEEP);
    MoveTo(120, 120);
    Advance(500);
    ASSERT_EQ(tip_.CurrentTool().text, CString(L"Play"));
    MoveTo(120, 220);  // towards "Stop"
    Advance(100);
    MoveTo(120, 121);  // back before its delay ran out
    Advance(500);
    EXPECT_TRUE(Visible());
    EXPECT_EQ(tip_.CurrentTool().text, CString(L"Play"));
}

TEST_F(ToolTip, KeysClicksAndDeactivationHide) {
    for (UINT message :
         {UINT(WM_KEYDOWN), UINT(WM_RBUTTONDOWN), UINT(WM_LBUTTONDOWN), UINT(WM_ACTIVATEAPP)}) {
        MoveTo(120, 220);
        MoveTo(120, 120);
        Advance(500);
        ASSERT_TRUE(Visible()) << message;
        if (message == WM_ACTIVATEAPP) {
            SendMessage(tip_.GetSafeHwnd(), WM_ACTIVATEAPP, FALSE, 0);
        } else {
            MSG msg{button_, message, 0, 0, 0, POINT{120, 120}};
            tip_.RelayEvent(&msg);
        }
        EXPECT_FALSE(Visible()) << message;
        EXPECT_EQ(tip_.GetState(), CQoToolTip::kHidden);
    }
}

TEST_F(ToolTip, OwnerNotificationMayChangeTheTip) {
    tip_.EnableNotify(TRUE);
    int calls = 0;
    CString empty;
    TestWindows::On(top_, WM_NOTIFY, [&](HWND, WPARAM, LPARAM lParam) -> LRESULT {
        auto* notify = reinterpret_cast<ToolTipDisplayNotify*>(lParam);
        EXPECT_EQ(notify->hdr.code, UM_TOOLTIP_NOTIFY);
        EXPECT_EQ(notify->toolWindow, button_);
        EXPECT_EQ(notify->cursor->x, 120);
        EXPECT_EQ(notify->info->direction, 16u) << "defaults are applied first";
        notify->info->text = ++calls == 1 ? CString(L"00:01:02") : empty;
        notify->info->transparency = 30;
        return 0;
    });
    MoveTo(120, 120);
    Advance(500);
    EXPECT_TRUE(Visible());
    EXPECT_EQ(tip_.CurrentTool().text, CString(L"00:01:02"));
    EXPECT_EQ(tip_.CurrentTool().transparency, 30);
    MoveTo(120, 220);
    MoveTo(120, 120);
    Advance(500);
    EXPECT_EQ(calls, 2);
    EXPECT_FALSE(Visible()) << "an emptied text shows nothing";
}

TEST_F(ToolTip, ToolRecordsAreReplacedByRectangle) {
    CWnd* button = CWnd::FromHandle(button_);
    tip_.AddTool(button, L"Pause", nullptr, 7);  // no rectangle: replaces "Play"
    ToolTipInfo info;
    EXPECT_FALSE(tip_.GetTool(&info, button, 0));
    ASSERT_TRUE(tip_.GetTool(&info, button, 7));
    EXPECT_EQ(info.text, CString(L"Pause"));

    const RECT left{0, 0, 40, 30};
    tip_.AddTool(button, L"Left", &left, 8);
    tip_.UpdateTipText(L"Renamed", button, 8);
    ASSERT_TRUE(tip_.GetTool(&info, button, 8));
    EXPECT_EQ(info.text, CString(L"Renamed"));
    tip_.UpdateTipText(L"Nobody", button, 99);
    EXPECT_FALSE(tip_.GetTool(&info, button, 99));

    // Two records: only the rectangle counts, the empty one matches nothing.
    MoveTo(160, 120);
    Advance(500);
    EXPECT_FALSE(Visible());
    MoveTo(115, 120);
    Advance(500);
    EXPECT_TRUE(Visible());
    EXPECT_EQ(tip_.CurrentTool().text, CString(L"Renamed"));

    tip_.RemoveTool(button, &left);
    tip_.RemoveTool(button, &left);
    ASSERT_TRUE(tip_.GetTool(&info, button, 7));
    tip_.RemoveTool(button, nullptr);
    EXPECT_FALSE(tip_.GetTool(&info, button, 7));
}

TEST_F(ToolTip, FadeStepsRunOnTheClock) {
    tip_.SetDelayTime(4, 10);
    tip_.SetDelayTime(5, 10);
    MoveTo(120, 120);
    Advance(500);
    EXPECT_EQ(tip_.GetState(), CQoToolTip::kAppearing);
    for (int step = 0; step < 5; ++step)
        Advance(10);
    EXPECT_EQ(tip_.GetState(), CQoToolTip::kShown);
    Advance(5000);
    EXPECT_EQ(tip_.GetState(), CQoToolTip::kDisappearing);
    EXPECT_TRUE(Visible());
    for (int step = 0; step < 5; ++step)
        Advance(10);
    EXPECT_EQ(tip_.GetState(), CQoToolTip::kHidden);
    EXPECT_FALSE(Visible());
}

TEST_F(ToolTip, BehaviourBitsForMovesInTheShownToolAndOverTheTip) {
    struct Case {
        const char* what;
        UINT behaviour;
        bool visibleAfterMove;  // a move inside the tool
        bool visibleAfterOver;  // then a move onto the tip
        bool visibleAfterLong;  // then 6 seconds
    } cases[] = {
        {"keep", TOOLTIP_BEHAVIOUR_KEEP, true, false, false},
        {"keep, over the tip", TOOLTIP_BEHAVIOUR_KEEP | TOOLTIP_BEHAVIOUR_OVER_TIP, true, true,
         false},
        {"no autopop",
         TOOLTIP_BEHAVIOUR_KEEP | TOOLTIP_BEHAVIOUR_NO_AUTOPOP | TOOLTIP_BEHAVIOUR_OVER_TIP, true,
         true, true},
    };
    for (const Case& c : cases) {
        tip_.HideTip();
        tip_.SetDefaultBehaviour(c.behaviour);
        MoveTo(120, 220);
        MoveTo(120, 125);
        Advance(500);
        ASSERT_TRUE(Visible()) << c.what;
        MoveTo(124, 125);
        EXPECT_EQ(Visible(), c.visibleAfterMove) << c.what;
        RECT window;
        GetWindowRect(tip_.GetSafeHwnd(), &window);
        MoveTo(window.left + 20, window.top + 8);
        EXPECT_EQ(Visible(), c.visibleAfterOver) << c.what;
        Advance(6000);
        EXPECT_EQ(Visible(), c.visibleAfterLong) << c.what;
    }
}

// The screen pixel at (x, y) as the window system composes it.
COLORREF ScreenPixel(int x, int y) {
    std::vector<uint32_t> pixels(size_t(x + 1) * size_t(y + 1));
    ComposeScreen(PixelBuffer{pixels.data(), x + 1, x + 1, y + 1}, RGB(0, 0, 0));
    const uint32_t p = pixels.back();
    return RGB(BYTE(p >> 16), BYTE(p >> 8), BYTE(p));
}

TEST_F(ToolTip, BalloonRegionHasRoundCornersAndTheAnchorOnTheCursor) {
    tip_.SetShadow(0, 0);
    MoveTo(120, 120);
    Advance(500);
    ASSERT_TRUE(Visible());
    RECT window;
    GetWindowRect(tip_.GetSafeHwnd(), &window);
    HRGN region = CreateRectRgn(0, 0, 0, 0);
    ASSERT_EQ(GetWindowRgn(tip_.GetSafeHwnd(), region), COMPLEXREGION);
    const int width = window.right - window.left, height = window.bottom - window.top;
    const POINT apex{120 - window.left, 120 - window.top};
    EXPECT_FALSE(PtInRegion(region, 0, 0)) << "rounded top-left corner";
    EXPECT_FALSE(PtInRegion(region, width - 1, 0)) << "rounded top-right corner";
    EXPECT_TRUE(PtInRegion(region, width / 2, height / 3)) << "the body";
    // The apex ends just above the cursor's hot spot, on the window's last rows.
    EXPECT_EQ(apex.y, height);
    EXPECT_TRUE(PtInRegion(region, apex.x, apex.y - 2)) << "the anchor's point";
    EXPECT_FALSE(PtInRegion(region, width - 2, apex.y)) << "beside the anchor is outside";
    DeleteObject(region);
}

TEST_F(ToolTip, TransparencyBlendsTheFillOverWhatLiesBeneath) {
    tip_.SetSizes(FALSE);  // plain: no corners, no anchor
    tip_.SetShadow(0, 0);
    tip_.SetBorder(RGB(0, 0, 0), 0, 0);
    tip_.SetColorBk(RGB(200, 0, 100));
    tip_.EnableNotify(TRUE);
    TestWindows::On(top_, WM_NOTIFY, [](HWND, WPARAM, LPARAM lParam) -> LRESULT {
        reinterpret_cast<ToolTipDisplayNotify*>(lParam)->info->transparency = 50;
        return 0;
    });
    MoveTo(150, 125);
    Advance(500);
    ASSERT_TRUE(Visible());
    RECT window;
    GetWindowRect(tip_.GetSafeHwnd(), &window);
    const POINT probe{window.left + 1, (window.top + window.bottom) / 2};  // the left margin
    ShowWindow(tip_.GetSafeHwnd(), SW_HIDE);
    const COLORREF under = ScreenPixel(probe.x, probe.y);
    ShowWindow(tip_.GetSafeHwnd(), SW_SHOWNOACTIVATE);
    TestWindows::Pump();
    const COLORREF seen = ScreenPixel(probe.x, probe.y);
    auto mid = [](int a, int b) { return (a + b) / 2; };
    EXPECT_NEAR(GetRValue(seen), mid(200, GetRValue(under)), 1);
    EXPECT_NEAR(GetGValue(seen), mid(0, GetGValue(under)), 1);
    EXPECT_NEAR(GetBValue(seen), mid(100, GetBValue(under)), 1);
}

// A very long text once sized the tip, and the screen composed from its
// origin to the tip's far corner, without bound.
TEST_F(ToolTip, AVeryLongTextIsCutAtTheLargestTip) {
    tip_.SetShadow(0, 0);
    const CString longText(std::wstring(100000, L'm').c_str());
    tip_.UpdateTipText(longText, CWnd::FromHandle(button_));
    MoveTo(120, 120);
    Advance(500);
    ASSERT_EQ(tip_.GetState(), CQoToolTip::kShown);
    ASSERT_TRUE(Visible());
    RECT window;
    GetWindowRect(tip_.GetSafeHwnd(), &window);
    EXPECT_LE(window.right - window.left, CQoToolTip::kMaxTextExtent + 64);
    EXPECT_GT(window.right - window.left, CQoToolTip::kMaxTextExtent);
}

}  // namespace
