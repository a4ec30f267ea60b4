#include <gtest/gtest.h>

#include <algorithm>

#include "TestWindows.h"
#include "platform/base/FakeClock.h"
#include "platform/user/WindowPixels.h"

namespace {

// The client and non-client mouse messages a window got, in order.
std::vector<LoggedMessage> MouseOf(HWND hwnd) {
    std::vector<LoggedMessage> out;
    for (const LoggedMessage& m : TestWindows::Log()) {
        const bool client = m.message >= WM_MOUSEFIRST && m.message <= WM_MOUSELAST;
        const bool nonClient = m.message >= WM_NCMOUSEMOVE && m.message <= WM_NCMBUTTONDBLCLK;
        if (m.hwnd == hwnd && (client || nonClient))
            out.push_back(m);
    }
    return out;
}

std::vector<UINT> MouseMessagesOf(HWND hwnd) {
    std::vector<UINT> out;
    for (const LoggedMessage& m : MouseOf(hwnd))
        out.push_back(m.message);
    return out;
}

class Input : public ::testing::Test {
protected:
    void Click(POINT p) {
        InjectMouseButton(MouseButton::Left, true, p);
        InjectMouseButton(MouseButton::Left, false, p);
        TestWindows::Pump();
    }

    ScopedFakeClock clock;
    TestWindows windows;
};

TEST_F(Input, ClientMessagesCarryClientCoordinatesAndNonClientOnesTheHitCode) {
    HWND top = windows.Top(100, 100, 200, 150, WS_POPUP | WS_VISIBLE | WS_CAPTION);
    TestWindows::Pump();
    TestWindows::ClearLog();
    InjectMouseMove(POINT{150, 160});
    InjectMouseMove(POINT{150, 110});  // on the caption
    TestWindows::Pump();
    const auto got = MouseOf(top);
    ASSERT_EQ(got.size(), 2u);
    POINT client{150, 160};
    ScreenToClient(top, &client);
    EXPECT_EQ(got[0].message, UINT(WM_MOUSEMOVE));
    EXPECT_EQ(got[0].lParam, MAKELPARAM(client.x, client.y));
    EXPECT_EQ(got[1].message, UINT(WM_NCMOUSEMOVE));
    EXPECT_EQ(got[1].wParam, WPARAM(HTCAPTION));
    EXPECT_EQ(got[1].lParam, MAKELPARAM(150, 110));
}

TEST_F(Input, TransparentStaticsAndRegionsLetThePointThrough) {
    HWND top = windows.Top(0, 0, 100, 100);
    HWND label = CreateWindowEx(0, L"Static", L"label", WS_CHILD | WS_VISIBLE, 10, 10, 30, 30, top,
                                nullptr, nullptr, nullptr);
    HWND notify = CreateWindowEx(0, L"Static", L"notify", WS_CHILD | WS_VISIBLE | SS_NOTIFY, 50, 10,
                                 30, 30, top, nullptr, nullptr, nullptr);
    HWND shaped = windows.Child(top, 3, 10, 50, 30, 30);
    SetWindowRgn(shaped, CreateRectRgn(0, 0, 15, 30), FALSE);
    EXPECT_EQ(WindowFromPoint(POINT{20, 20}), top) << "a plain static is transparent";
    EXPECT_EQ(WindowFromPoint(POINT{60, 20}), notify);
    EXPECT_EQ(WindowFromPoint(POINT{15, 60}), shaped);
    EXPECT_EQ(WindowFromPoint(POINT{35, 60}), top) << "outside the window region";
    EXPECT_EQ(ChildWindowFromPoint(top, POINT{20, 20}), label);
    EXPECT_EQ(ChildWindowFromPoint(top, POINT{35, 60}), top);
    TestWindows::ClearLog();
    Click(POINT{35, 60});
    EXPECT_EQ(MouseMessagesOf(top), (std::vector<UINT>{WM_LBUTTONDOWN, WM_LBUTTONUP}));
    EXPECT_TRUE(MouseMessagesOf(shaped).empty());
}

TEST_F(Input, DoubleClicksNeedTheClassStyleTimeAndPlace) {
    HWND plain = windows.Top(0, 0, 50, 50);
    HWND dbl = windows.Top(60, 0, 50, 50, WS_POPUP | WS_VISIBLE, 0, TestWindows::kDoubleClickClass);
    struct Case {
        HWND hwnd;
        POINT second;
        uint64_t gapMs;
        UINT expectedSecondDown;
    };
    const Case cases[] = {
        {dbl, POINT{70, 10}, 100, WM_LBUTTONDBLCLK}, {dbl, POINT{71, 11}, 500, WM_LBUTTONDBLCLK},
        {dbl, POINT{70, 10}, 501, WM_LBUTTONDOWN},  // too late
        {dbl, POINT{75, 10}, 100, WM_LBUTTONDOWN},  // too far
        {plain, POINT{10, 10}, 100, WM_LBUTTONDOWN},
    };
    for (const Case& c : cases) {
        clock->Advance(5000);  // forget earlier clicks
        const POINT first = c.hwnd == dbl ? POINT{70, 10} : POINT{10, 10};
        TestWindows::ClearLog();
        Click(first);
        clock->Advance(c.gapMs);
        Click(c.second);
        const std::vector<UINT> got = MouseMessagesOf(c.hwnd);
        ASSERT_EQ(got.size(), 4u);
        EXPECT_EQ(got[2], c.expectedSecondDown) << "gap " << c.gapMs << " at " << c.second.x;
    }
    // Three quick clicks: down, double click, down.
    clock->Advance(5000);
    TestWindows::ClearLog();
    Click(POINT{70, 10});
    Click(POINT{70, 10});
    Click(POINT{70, 10});
    EXPECT_EQ(MouseMessagesOf(dbl),
              (std::vector<UINT>{WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDBLCLK, WM_LBUTTONUP,
                                 WM_LBUTTONDOWN, WM_LBUTTONUP}));
}

TEST_F(Input, CaptureGetsTheMouseOutsideAndHearsWhenItIsTaken) {
    HWND top = windows.Top(0, 0, 50, 50);
    HWND other = windows.Top(100, 0, 50, 50);
    HWND child = windows.Child(top, 1, 10, 10, 20, 20);
    SetCapture(child);
    TestWindows::ClearLog();
    InjectMouseMove(POINT{120, 30});  // over the other window
    TestWindows::Pump();
    const auto got = MouseOf(child);
    ASSERT_EQ(got.size(), 1u);
    EXPECT_EQ(got[0].message, UINT(WM_MOUSEMOVE));
    EXPECT_EQ(got[0].lParam, MAKELPARAM(110, 20)) << "client coordinates, outside the window";
    EXPECT_TRUE(MouseOf(other).empty());
    SetCapture(top);
    EXPECT_EQ(TestWindows::MessagesOf(child).back(), UINT(WM_CAPTURECHANGED));
    ReleaseCapture();
    EXPECT_EQ(GetCapture(), nullptr);
    EXPECT_EQ(TestWindows::MessagesOf(top).back(), UINT(WM_CAPTURECHANGED));
}

TEST_F(Input, SetCursorComesFirstAndTheClassCursorIsTheDefault) {
    HWND top = windows.Top(0, 0, 50, 50);
    HWND child = windows.Child(top, 1, 10, 10, 20, 20);
    HCURSOR hand = LoadCursor(nullptr, IDC_HAND);
    TestWindows::On(child, WM_SETCURSOR, [hand](HWND, WPARAM, LPARAM lp) {
        EXPECT_EQ(LOWORD(uintptr_t(lp)), HTCLIENT);
        EXPECT_EQ(HIWORD(uintptr_t(lp)), WM_MOUSEMOVE);
        SetCursor(hand);
        return LRESULT(TRUE);
    });
    TestWindows::Pump();
    TestWindows::ClearLog();
    InjectMouseMove(POINT{15, 15});
    TestWindows::Pump();
    EXPECT_EQ(GetCursor(), hand);
    EXPECT_EQ(TestWindows::MessagesOf(child),
              (std::vector<UINT>{WM_NCHITTEST, WM_SETCURSOR, WM_MOUSEMOVE}));
    InjectMouseMove(POINT{40, 40});  // the top window's own class cursor
    TestWindows::Pump();
    EXPECT_EQ(GetCursor(), LoadCursor(nullptr, IDC_ARROW));
}

TEST_F(Input, FocusKeysAndCharacters) {
    HWND top = windows.Top(0, 0, 50, 50);
    HWND a = windows.Child(top, 1, 0, 0, 10, 10);
    HWND b = windows.Child(top, 2, 20, 0, 10, 10);
    SetFocus(a);
    TestWindows::ClearLog();
    SetFocus(b);
    EXPECT_EQ(GetFocus(), b);
    EXPECT_EQ(TestWindows::MessagesOf(a), std::vector<UINT>{WM_KILLFOCUS});
    EXPECT_EQ(TestWindows::MessagesOf(b), std::vector<UINT>{WM_SETFOCUS});
    TestWindows::ClearLog();
    InjectKey('Q', true);
    InjectKey('Q', false);
    TestWindows::Pump();
    const auto log = TestWindows::Log();
    std::vector<std::pair<UINT, WPARAM>> keys;
    for (const auto& m : log) {
        if (m.hwnd == b && m.message >= WM_KEYDOWN && m.message <= WM_SYSCHAR)
            keys.emplace_back(m.message, m.wParam);
    }
    const std::vector<std::pair<UINT, WPARAM>> expected = {
        {WM_KEYDOWN, 'Q'}, {WM_CHAR, 'q'}, {WM_KEYUP, 'Q'}};
    EXPECT_EQ(keys, expected);
    ShowWindow(b, SW_HIDE);
    EXPECT_EQ(GetFocus(), nullptr) << "a hidden window gives up the focus";
    HWND fromOther = reinterpret_cast<HWND>(1);
    std::thread([&] { fromOther = SetFocus(a); }).join();
    EXPECT_EQ(fromOther, nullptr) << "focus is each thread's own";
    EXPECT_EQ(GetFocus(), nullptr);
}

// What the keyboard layout or input method typed arrives as characters, in
// order with the keys, and a key whose text came that way makes no second one.
TEST_F(Input, TypedTextReachesTheFocusAsCharactersAfterItsKey) {
    HWND top = windows.Top(0, 0, 50, 50);
    HWND edit = windows.Child(top, 1, 0, 0, 10, 10);
    SetFocus(edit);
    TestWindows::ClearLog();
    InjectKey('U', true, true);
    InjectText(L"\u00FC");
    InjectKey('U', false);
    InjectText(L"/.-_");          // no virtual key of ours: the text alone
    InjectText(L"\u4E2D\u6587");  // an input method's commit
    TestWindows::Pump();
    std::vector<std::pair<UINT, WPARAM>> keys;
    for (const auto& m : TestWindows::Log()) {
        if (m.hwnd == edit && m.message >= WM_KEYDOWN && m.message <= WM_SYSCHAR)
            keys.emplace_back(m.message, m.wParam);
    }
    const std::vector<std::pair<UINT, WPARAM>> expected = {
        {WM_KEYDOWN, 'U'}, {WM_CHAR, 0xFC}, {WM_KEYUP, 'U'},   {WM_CHAR, '/'},   {WM_CHAR, '.'},
        {WM_CHAR, '-'},    {WM_CHAR, '_'},  {WM_CHAR, 0x4E2D}, {WM_CHAR, 0x6587}};
    EXPECT_EQ(keys, expected);
}

// A move the display made (a window manager's) is the window's place at once:
// the next click lands by it, and the window hears of it as of any move.
TEST_F(Input, AMoveTheDisplayMadeIsFollowedAndClicksLandByIt) {
    HWND top = windows.Top(100, 100, 80, 60);
    TestWindows::Pump();
    TestWindows::ClearLog();
    InjectTopLevelMoved(top, POINT{300, 200});
    Click(POINT{310, 210});
    RECT r{};
    GetWindowRect(top, &r);
    const RECT want{300, 200, 380, 260};
    EXPECT_TRUE(EqualRect(&r, &want));
    const auto log = TestWindows::Log();
    const auto moved = std::find_if(log.begin(), log.end(), [top](const LoggedMessage& m) {
        return m.hwnd == top && m.message == WM_MOVE;
    });
    ASSERT_NE(moved, log.end());
    EXPECT_EQ(moved->lParam, MAKELPARAM(300, 200));
    const auto clicks = MouseOf(top);
    const auto down = std::find_if(clicks.begin(), clicks.end(), [](const LoggedMessage& m) {
        return m.message == WM_LBUTTONDOWN;
    });
    ASSERT_NE(down, clicks.end());
    EXPECT_EQ(down->lParam, MAKELPARAM(10, 10));
    EXPECT_LT(moved - log.begin(),
              std::find_if(log.begin(), log.end(),
                           [](const LoggedMessage& m) { return m.message == WM_LBUTTONDOWN; }) -
                  log.begin())
        << "the window hears of its place before the click";
}

// A size the display gave (a window manager's resize or maximise) is the
// window's size: it hears WM_SIZE with the new client size, its backing store
// follows, and a minimised window keeps its place.
TEST_F(Input, ASizeTheDisplayGaveIsTheWindowsSize) {
    HWND top = windows.Top(100, 100, 80, 60);
    TestWindows::Pump();
    TestWindows::ClearLog();
    InjectTopLevelResized(top, RECT{90, 80, 390, 280});
    TestWindows::Pump();
    RECT r{};
    GetWindowRect(top, &r);
    const RECT want{90, 80, 390, 280};
    EXPECT_TRUE(EqualRect(&r, &want));
    const auto log = TestWindows::Log();
    const auto sized = std::find_if(log.rbegin(), log.rend(), [top](const LoggedMessage& m) {
        return m.hwnd == top && m.message == WM_SIZE;
    });
    ASSERT_NE(sized, log.rend());
    RECT client{};
    GetClientRect(top, &client);
    EXPECT_EQ(client.right, 300);
    EXPECT_EQ(sized->lParam, MAKELPARAM(int(client.right), int(client.bottom)));
    {
        WindowPixels pixels(top);
        ASSERT_TRUE(pixels.Valid());
        EXPECT_EQ(pixels.Buffer().width, 300);
    }

    ShowWindow(top, SW_MINIMIZE);
    GetWindowRect(top, &r);
    InjectTopLevelResized(top, RECT{0, 0, 500, 500});
    TestWindows::Pump();
    RECT still{};
    GetWindowRect(top, &still);
    EXPECT_TRUE(EqualRect(&still, &r)) << "minimised, the window stays where it is";
}

TEST_F(Input, TheWheelGoesToTheWindowUnderThePointerAndUpToItsParents) {
    HWND top = windows.Top(0, 0, 50, 50);
    HWND child = windows.Child(top, 1, 0, 0, 10, 10);
    HWND other = windows.Child(top, 2, 20, 0, 10, 10);
    struct Case {
        const char* what;
        POINT at;
        std::vector<HWND> expected;
    };
    const Case cases[] = {
        {"over the child, the focus elsewhere", POINT{5, 5}, {child, top}},
        {"over the parent", POINT{40, 40}, {top}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        SetFocus(other);
        TestWindows::ClearLog();
        InjectMouseWheel(-WHEEL_DELTA, c.at);
        TestWindows::Pump();
        std::vector<HWND> wheels;
        for (const auto& m : TestWindows::Log()) {
            if (m.message == WM_MOUSEWHEEL && GET_WHEEL_DELTA_WPARAM(m.wParam) == -WHEEL_DELTA)
                wheels.push_back(m.hwnd);
        }
        EXPECT_EQ(wheels, c.expected);
    }
}

// A disabled window takes no mouse input, nor do its children (a window
// under a modal box): no press, release, move or wheel reaches them, so no
// control acts on the release of a click.
TEST_F(Input, ADisabledWindowAndItsChildrenTakeNoMouseInput) {
    HWND top = windows.Top(0, 0, 50, 50);
    HWND child = windows.Child(top, 1, 20, 20, 20, 20);
    EnableWindow(top, FALSE);
    for (const POINT at : {POINT{10, 10}, POINT{30, 30}}) {
        SCOPED_TRACE(at.x);
        TestWindows::ClearLog();
        InjectMouseMove(at);
        Click(at);
        InjectMouseWheel(-WHEEL_DELTA, at);
        TestWindows::Pump();
        EXPECT_TRUE(MouseMessagesOf(top).empty());
        EXPECT_TRUE(MouseMessagesOf(child).empty());
    }
    EnableWindow(top, TRUE);
    TestWindows::ClearLog();
    Click(POINT{30, 30});
    EXPECT_EQ(MouseMessagesOf(child), (std::vector<UINT>{WM_LBUTTONDOWN, WM_LBUTTONUP}));
}

TEST_F(Input, ApplicationActivationReachesTopLevelWindows) {
    HWND top = windows.Top(0, 0, 50, 50);
    TestWindows::ClearLog();
    InjectAppActivation(false);
    TestWindows::Pump();
    bool seen = false;
    for (const auto& m : TestWindows::Log()) {
        if (m.hwnd == top && m.message == WM_ACTIVATEAPP)
            seen = m.wParam == FALSE;
    }
    EXPECT_TRUE(seen);
    InjectAppActivation(true);
    TestWindows::Pump();
}

}  // namespace
