#include <gtest/gtest.h>

#include "Reaper.h"
#include "TestWindows.h"
#include "platform/user/Placement.h"

namespace {

constexpr DWORD kFramed = WS_POPUP | WS_VISIBLE | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME |
                          WS_MINIMIZEBOX | WS_MAXIMIZEBOX;

class SysCommand : public ::testing::Test {
protected:
    // Presses at `from`, moves by (dx, dy) and releases, then runs the loop.
    void Drag(POINT from, int dx, int dy) {
        InjectMouseMove(from);
        InjectMouseButton(MouseButton::Left, true, from);
        const POINT to{from.x + dx, from.y + dy};
        InjectMouseMove(POINT{from.x + dx / 2, from.y + dy / 2});
        InjectMouseMove(to);
        InjectMouseButton(MouseButton::Left, false, to);
        TestWindows::Pump();
    }

    RECT RectOf(HWND hwnd) {
        RECT r{};
        GetWindowRect(hwnd, &r);
        return r;
    }

    Reaper reaper;
    TestWindows windows;
};

TEST_F(SysCommand, SizingByEachEdgeAndMovingByTheCaption) {
    struct Case {
        const char* name;
        POINT press;  // relative to the window's top-left corner
        int dx, dy;
        RECT expected;  // relative to the original top-left corner
    };
    const Case cases[] = {
        {"left", {2, 100}, -20, 5, {-20, 0, 300, 200}},
        {"right", {297, 100}, 30, 5, {0, 0, 330, 200}},
        {"top", {150, 2}, 7, -10, {0, -10, 300, 200}},
        {"bottom", {150, 197}, 7, 25, {0, 0, 300, 225}},
        {"top left", {2, 2}, 10, 10, {10, 10, 300, 200}},
        {"bottom right", {297, 197}, 15, 20, {0, 0, 315, 220}},
        {"right, down to the smallest", {297, 100}, -400, 0, {0, 0, 136, 200}},
        {"caption", {150, 15}, 30, 40, {30, 40, 330, 240}},
    };
    for (const Case& c : cases) {
        HWND w = windows.Top(100, 100, 300, 200, kFramed);
        TestWindows::Pump();
        Drag(POINT{100 + c.press.x, 100 + c.press.y}, c.dx, c.dy);
        const RECT r = RectOf(w);
        const RECT want{100 + c.expected.left, 100 + c.expected.top, 100 + c.expected.right,
                        100 + c.expected.bottom};
        EXPECT_TRUE(EqualRect(&r, &want))
            << c.name << ": " << r.left << "," << r.top << "," << r.right << "," << r.bottom;
        EXPECT_EQ(GetCapture(), nullptr) << c.name;
        DestroyWindow(w);
    }
}

TEST_F(SysCommand, AWindowWithItsOwnHitTestSizesThroughSystemCommands) {
    // A frameless window that says where its edges are and asks for sizing itself.
    HWND w = windows.Top(50, 50, 200, 100, WS_POPUP | WS_VISIBLE | WS_CAPTION);
    TestWindows::On(w, WM_NCHITTEST, [](HWND h, WPARAM wp, LPARAM lp) {
        RECT r{};
        GetWindowRect(h, &r);
        if (GET_X_LPARAM(lp) >= r.right - 10 && GET_Y_LPARAM(lp) >= r.bottom - 10)
            return LRESULT(HTBOTTOMRIGHT);
        const LRESULT hit = DefWindowProc(h, WM_NCHITTEST, wp, lp);
        return hit == HTCLIENT ? HTCAPTION : hit;
    });
    TestWindows::On(w, WM_NCLBUTTONDOWN, [](HWND h, WPARAM wp, LPARAM lp) {
        const WPARAM command = wp == WPARAM(HTBOTTOMRIGHT) ? 0xF008 : 0xF012;
        return SendMessage(h, WM_SYSCOMMAND, command, lp);
    });
    TestWindows::Pump();
    Drag(POINT{245, 145}, 40, 30);
    RECT r = RectOf(w);
    EXPECT_EQ(r.right - r.left, 240);
    EXPECT_EQ(r.bottom - r.top, 130);
    Drag(POINT{100, 100}, -20, 10);  // a bare client point drags the window
    r = RectOf(w);
    EXPECT_EQ(r.left, 30);
    EXPECT_EQ(r.top, 60);
}

TEST_F(SysCommand, EscapePutsTheWindowBack) {
    HWND w = windows.Top(100, 100, 300, 200, kFramed);
    TestWindows::Pump();
    InjectMouseButton(MouseButton::Left, true, POINT{250, 115});
    InjectMouseMove(POINT{300, 160});
    InjectKey(VK_ESCAPE, true);
    InjectKey(VK_ESCAPE, false);
    InjectMouseButton(MouseButton::Left, false, POINT{300, 160});
    TestWindows::Pump();
    const RECT r = RectOf(w);
    EXPECT_EQ(r.left, 100);
    EXPECT_EQ(r.top, 100);
}

TEST_F(SysCommand, MinimiseMaximiseRestoreAndClose) {
    HWND w = windows.Top(100, 100, 300, 200, kFramed);
    const RECT normal = RectOf(w);
    std::vector<WPARAM> sizes;
    TestWindows::On(w, WM_SIZE, [&](HWND, WPARAM wp, LPARAM) {
        sizes.push_back(wp);
        return LRESULT(0);
    });
    // A desktop's panel takes the screen's top 30 rows.
    const RECT area{0, 30, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    SetWorkArea(area);
    SendMessage(w, WM_SYSCOMMAND, SC_MAXIMIZE, 0);
    SetWorkArea(RECT{});
    EXPECT_TRUE(IsZoomed(w));
    const RECT maximised = RectOf(w);
    EXPECT_TRUE(EqualRect(&maximised, &area)) << "the whole window fills the work area";
    SendMessage(w, WM_SYSCOMMAND, SC_MINIMIZE, 0);
    EXPECT_TRUE(IsIconic(w));
    EXPECT_FALSE(IsZoomed(w));
    SendMessage(w, WM_SYSCOMMAND, SC_RESTORE, 0);
    EXPECT_TRUE(IsZoomed(w)) << "back to where it was minimised from";
    SendMessage(w, WM_SYSCOMMAND, SC_RESTORE, 0);
    EXPECT_FALSE(IsZoomed(w));
    const RECT back = RectOf(w);
    EXPECT_TRUE(EqualRect(&back, &normal));
    EXPECT_EQ(sizes,
              (std::vector<WPARAM>{SIZE_MAXIMIZED, SIZE_MINIMIZED, SIZE_MAXIMIZED, SIZE_RESTORED}));
    SendMessage(w, WM_SYSCOMMAND, SC_CLOSE, 0);
    EXPECT_FALSE(IsWindow(w));
}

TEST_F(SysCommand, CaptionBoxesActWhenReleasedOverThemselves) {
    HWND w = windows.Top(100, 100, 300, 200, kFramed);
    TestWindows::Pump();
    RECT wr = RectOf(w);
    const NonClientLayout l = LayoutNonClient(kFramed, 0, 300, 200);
    const POINT maxBox{wr.left + (l.maxBox.left + l.maxBox.right) / 2,
                       wr.top + (l.maxBox.top + l.maxBox.bottom) / 2};
    Drag(maxBox, 0, 0);
    EXPECT_TRUE(IsZoomed(w));
    SendMessage(w, WM_SYSCOMMAND, SC_RESTORE, 0);
    wr = RectOf(w);
    const POINT closeBox{wr.left + (l.closeBox.left + l.closeBox.right) / 2,
                         wr.top + (l.closeBox.top + l.closeBox.bottom) / 2};
    Drag(closeBox, -100, 0);  // released elsewhere: nothing
    EXPECT_TRUE(IsWindow(w));
    Drag(closeBox, 0, 0);
    EXPECT_FALSE(IsWindow(w));
}

}  // namespace

// Windows are kept on the work area; one larger than it keeps its top left
// corner, and so its caption, on it. A window centred over its owner (or the
// work area without one) is kept there too.
TEST(WorkAreaPlacement, WindowsAreKeptOnTheWorkAreaAndCentred) {
    SetWorkArea(RECT{0, 30, 1000, 800});
    struct Case {
        const char* what;
        RECT window;
        RECT kept;
    };
    const Case cases[] = {
        {"inside stays", {100, 100, 300, 200}, {100, 100, 300, 200}},
        {"above and left of it", {-3, -26, 197, 74}, {0, 30, 200, 130}},
        {"past its right and bottom", {900, 750, 1100, 850}, {800, 700, 1000, 800}},
        {"larger than it", {-50, -50, 1200, 900}, {0, 30, 1250, 980}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const RECT kept = KeptOnWorkArea(c.window);
        EXPECT_TRUE(EqualRect(&kept, &c.kept))
            << kept.left << "," << kept.top << "," << kept.right << "," << kept.bottom;
    }
    TestWindows windows;
    HWND owner = windows.Top(900, 600, 100, 100);
    HWND lone = windows.Top(0, 0, 200, 100);
    HWND owned = CreateWindowEx(0, TestWindows::kClass, L"", WS_POPUP | WS_VISIBLE, 0, 0, 200, 100,
                                owner, nullptr, nullptr, nullptr);
    CenterWindowOver(lone, nullptr);
    CenterWindowOver(owned, owner);
    RECT r{};
    GetWindowRect(lone, &r);
    EXPECT_EQ(r.left, 400);
    EXPECT_EQ(r.top, 365);
    GetWindowRect(owned, &r);
    EXPECT_EQ(r.left, 800) << "over the owner, but on the work area";
    EXPECT_EQ(r.top, 600);
    DestroyWindow(owned);
    SetWorkArea(RECT{});
}
