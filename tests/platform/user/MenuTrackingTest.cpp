// The popup-menu loop driven by injected input, as a user would drive it.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "Reaper.h"
#include "TestWindows.h"
#include "platform/user/Theme.h"

namespace {

// One step of a script: runs when the menu loop next has nothing to do.
using Step = std::function<void()>;

POINT CentreOf(const RECT& r) {
    return POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
}

Step Key(UINT vk) {
    return [vk] {
        InjectKey(vk, true);
        InjectKey(vk, false);
    };
}

RECT ItemRect(HMENU menu, UINT index) {
    RECT r{};
    EXPECT_TRUE(GetMenuItemRect(nullptr, menu, index, &r)) << "the menu is not open";
    return r;
}

Step Move(std::function<HMENU()> menu, UINT index) {
    return [menu, index] { InjectMouseMove(CentreOf(ItemRect(menu(), index))); };
}

// Over the item, `dx` pixels right of its centre.
Step MoveBy(std::function<HMENU()> menu, UINT index, int dx) {
    return [menu, index, dx] {
        POINT p = CentreOf(ItemRect(menu(), index));
        p.x += dx;
        InjectMouseMove(p);
    };
}

Step Click(std::function<HMENU()> menu, UINT index, MouseButton button = MouseButton::Left) {
    return [menu, index, button] {
        const POINT p = CentreOf(ItemRect(menu(), index));
        InjectMouseMove(p);
        InjectMouseButton(button, true, p);
        InjectMouseButton(button, false, p);
    };
}

class MenuTracking : public ::testing::Test {
protected:
    void SetUp() override {
        owner_ = windows_.Top(100, 100, 400, 300, WS_POPUP | WS_VISIBLE);
        TestWindows::On(owner_, WM_ENTERIDLE, [this](HWND, WPARAM w, LPARAM l) {
            EXPECT_EQ(w, MSGF_MENU);
            menuWindow_ = HWND(l);
            if (next_ < steps_.size())
                steps_[next_++]();
            else
                EndMenu();  // the script is over and the menu still open
            return LRESULT(0);
        });
        TestWindows::On(owner_, WM_INITMENUPOPUP, [this](HWND, WPARAM w, LPARAM l) {
            inits_.emplace_back(HMENU(w), int(LOWORD(uintptr_t(l))));
            return LRESULT(0);
        });
        menu_ = CreatePopupMenu();
        sub_ = CreatePopupMenu();
        AppendMenuW(sub_, MF_STRING, 21, L"Twenty-one");
        AppendMenuW(sub_, MF_STRING | MF_CHECKED, 22, L"Twenty-two");
        AppendMenuW(menu_, MF_STRING, 10, L"&Ten");
        AppendMenuW(menu_, MF_SEPARATOR, 0, nullptr);
        AppendMenuW(menu_, MF_STRING | MF_GRAYED, 11, L"Eleven");
        AppendMenuW(menu_, MF_POPUP, UINT_PTR(sub_), L"&More");
        AppendMenuW(menu_, MF_STRING, 12, L"T&welve\tCtrl+W");
    }
    void TearDown() override { DestroyMenu(menu_); }

    // Runs the menu with a script; the command it chose (0: none).
    UINT Track(std::vector<Step> steps, UINT flags = 0) {
        steps_ = std::move(steps);
        next_ = 0;
        inits_.clear();
        TestWindows::ClearLog();
        const BOOL result = TrackPopupMenu(menu_, flags, 150, 150, 0, owner_, nullptr);
        EXPECT_EQ(next_, steps_.size()) << "the menu closed before the script ended";
        if ((flags & TPM_RETURNCMD) != 0)
            return UINT(result);
        EXPECT_TRUE(result);
        TestWindows::Pump();
        UINT chosen = 0;
        for (const LoggedMessage& m : TestWindows::Log())
            if (m.hwnd == owner_ && m.message == WM_COMMAND)
                chosen = LOWORD(m.wParam);
        return chosen;
    }
    std::function<HMENU()> Top() {
        return [this] { return menu_; };
    }
    std::function<HMENU()> Sub() {
        return [this] { return sub_; };
    }

    Reaper reaper_;
    TestWindows windows_;
    HWND owner_ = nullptr;
    HWND menuWindow_ = nullptr;
    HMENU menu_ = nullptr;
    HMENU sub_ = nullptr;
    std::vector<Step> steps_;
    size_t next_ = 0;
    std::vector<std::pair<HMENU, int>> inits_;
};

TEST_F(MenuTracking, TheKeyboardChooses) {
    struct Case {
        const char* name;
        std::vector<Step> steps;
        UINT expected;
    } cases[] = {
        {"Down and Enter", {Key(VK_DOWN), Key(VK_RETURN)}, 10},
        {"Up wraps to the last item", {Key(VK_UP), Key(VK_RETURN)}, 12},
        {"Down skips the separator",
         {Key(VK_DOWN), Key(VK_DOWN), Key(VK_DOWN), Key(VK_DOWN), Key(VK_RETURN)},
         12},
        {"a greyed item is not chosen", {Key(VK_DOWN), Key(VK_DOWN), Key(VK_RETURN)}, 0},
        {"Right opens the sub-menu at its first item",
         {Key(VK_UP), Key(VK_UP), Key(VK_RIGHT), Key(VK_RETURN)},
         21},
        {"Enter opens it too",
         {Key(VK_UP), Key(VK_UP), Key(VK_RETURN), Key(VK_DOWN), Key(VK_RETURN)},
         22},
        {"Left closes the sub-menu",
         {Key(VK_UP), Key(VK_UP), Key(VK_RIGHT), Key(VK_LEFT), Key(VK_UP), Key(VK_UP),
          Key(VK_RETURN)},
         10},
        {"Escape closes one level, then the menu",
         {Key(VK_UP), Key(VK_UP), Key(VK_RIGHT), Key(VK_ESCAPE), Key(VK_ESCAPE)},
         0},
        {"a marked letter chooses", {Key('W')}, 12},
        {"a marked letter opens a sub-menu", {Key('M'), Key(VK_RETURN)}, 21},
    };
    for (Case& c : cases)
        EXPECT_EQ(Track(std::move(c.steps)), c.expected) << c.name;
}

TEST_F(MenuTracking, TheMouseChooses) {
    const POINT outside{480, 380};
    struct Case {
        const char* name;
        std::vector<Step> steps;
        UINT flags;
        UINT expected;
    } cases[] = {
        {"a click", {Click(Top(), 4)}, 0, 12},
        {"hovering opens the sub-menu", {Move(Top(), 3), Click(Sub(), 1)}, 0, 22},
        {"a greyed item ignores the click", {Click(Top(), 2)}, 0, 0},
        {"a separator ignores the click", {Click(Top(), 1)}, 0, 0},
        {"a popup entry is no command", {Click(Top(), 3)}, 0, 0},
        {"the right button without TPM_RIGHTBUTTON", {Click(Top(), 0, MouseButton::Right)}, 0, 0},
        {"the right button with it", {Click(Top(), 0, MouseButton::Right)}, TPM_RIGHTBUTTON, 10},
        {"a press outside closes the menu",
         {[outside] { InjectMouseButton(MouseButton::Left, true, outside); }},
         0,
         0},
        {"TPM_RETURNCMD returns the command", {Click(Top(), 0)}, TPM_RETURNCMD, 10},
    };
    for (Case& c : cases) {
        EXPECT_EQ(Track(std::move(c.steps), c.flags), c.expected) << c.name;
        if ((c.flags & TPM_RETURNCMD) != 0) {
            EXPECT_TRUE(TestWindows::WindowsThatGot(WM_COMMAND).empty()) << "nothing posted";
        }
    }
}

TEST_F(MenuTracking, EveryPopupIsAnnouncedBeforeItShows) {
    // The owner changes the sub-menu while it is announced: the change shows.
    TestWindows::On(owner_, WM_INITMENUPOPUP, [this](HWND, WPARAM w, LPARAM l) {
        inits_.emplace_back(HMENU(w), int(LOWORD(uintptr_t(l))));
        if (HMENU(w) == sub_)
            ModifyMenuW(sub_, 0, MF_BYPOSITION | MF_STRING | MF_GRAYED, 21, L"greyed now");
        return LRESULT(0);
    });
    EXPECT_EQ(Track({Move(Top(), 3), MoveBy(Top(), 3, 5), Click(Sub(), 0)}), 0u)
        << "the greyed item cannot be chosen";
    const std::vector<std::pair<HMENU, int>> expected = {{menu_, 0}, {sub_, 3}};
    EXPECT_EQ(inits_, expected) << "moving within the entry keeps its sub-menu open";
    EXPECT_EQ(TestWindows::WindowsThatGot(WM_ENTERMENULOOP), std::vector<HWND>{owner_});
    EXPECT_EQ(TestWindows::WindowsThatGot(WM_EXITMENULOOP), std::vector<HWND>{owner_});
    EXPECT_FALSE(IsWindow(menuWindow_)) << "the menu windows are gone";
    EXPECT_EQ(GetCapture(), nullptr);
    EXPECT_EQ(GetActiveWindow(), owner_) << "a menu never takes the activation";
}

uint32_t Pixel(COLORREF c) {
    return (uint32_t(GetRValue(c)) << 16) | (uint32_t(GetGValue(c)) << 8) | GetBValue(c);
}

// The pixel at a screen point of the top-level window there.
uint32_t PixelAt(POINT screen) {
    HWND top = WindowFromPoint(screen);
    RECT window{};
    GetWindowRect(top, &window);
    WindowPixels px(top);
    EXPECT_TRUE(px.Valid());
    return px.Valid() ? px.Buffer().Row(screen.y - window.top)[screen.x - window.left] : 0;
}

// Whether `colour` appears in a part of a screen rectangle.
bool Shows(const RECT& r, COLORREF colour) {
    for (int y = r.top; y < r.bottom; ++y)
        for (int x = r.left; x < r.right; ++x)
            if (PixelAt(POINT{x, y}) == Pixel(colour))
                return true;
    return false;
}

// The highest red level in a screen rectangle: how bright its brightest text is.
int BrightestRed(const RECT& r) {
    int brightest = 0;
    for (int y = r.top; y < r.bottom; ++y)
        for (int x = r.left; x < r.right; ++x)
            brightest = std::max(brightest, int((PixelAt(POINT{x, y}) >> 16) & 0xFF));
    return brightest;
}

TEST_F(MenuTracking, TheMenuIsDrawnWithItsHighlightChecksAndGreyedText) {
    struct Seen {
        uint32_t highlighted = 0, plain = 0;
        bool checkDrawn = false, checkOnPlainItem = false;
        int greyedText = 0, plainText = 0;
    } seen;
    auto inspect = [this, &seen] {
        const RECT more = ItemRect(menu_, 3), last = ItemRect(menu_, 4);
        seen.highlighted = PixelAt(POINT{more.left + 2, (more.top + more.bottom) / 2});
        seen.plain = PixelAt(POINT{last.left + 2, (last.top + last.bottom) / 2});
        const RECT checked = ItemRect(sub_, 1), unchecked = ItemRect(sub_, 0);
        seen.checkDrawn =
            Shows(RECT{checked.left, checked.top, checked.left + 20, checked.bottom}, kTheme.text);
        seen.checkOnPlainItem =
            Shows(RECT{unchecked.left, unchecked.top, unchecked.left + 20, unchecked.bottom},
                  kTheme.text);
        const RECT greyed = ItemRect(menu_, 2);
        seen.greyedText =
            BrightestRed(RECT{greyed.left + 20, greyed.top, greyed.right, greyed.bottom});
        seen.plainText = BrightestRed(RECT{last.left + 20, last.top, last.right, last.bottom});
        EndMenu();  // nothing else would wake the loop
    };
    Track({Move(Top(), 3), inspect});
    EXPECT_EQ(seen.highlighted, Pixel(kTheme.selection));
    EXPECT_EQ(seen.plain, Pixel(kTheme.face));
    EXPECT_TRUE(seen.checkDrawn) << "the check mark of the checked item";
    EXPECT_FALSE(seen.checkOnPlainItem);
    // Light text on the dark menu is smoothed, so only its brightest pixels
    // reach the colour it is drawn in.
    const int grey = GetRValue(kTheme.grayText);
    EXPECT_GT(seen.greyedText, GetRValue(kTheme.face)) << "the greyed text shows";
    EXPECT_LE(seen.greyedText, grey + 8) << "in grey";
    EXPECT_GT(seen.plainText, grey + 8) << "plain text is brighter";
}

TEST_F(MenuTracking, CancelModeAndEndMenuCloseTheMenu) {
    EXPECT_EQ(Track({Key(VK_DOWN), [this] { SendMessage(menuWindow_, WM_CANCELMODE, 0, 0); }}), 0u);
    EXPECT_EQ(Track({Key(VK_DOWN), [] { EndMenu(); }}, TPM_RETURNCMD), 0u);
    EXPECT_FALSE(EndMenu()) << "no menu is open now";
    HWND shown = nullptr;
    EXPECT_EQ(Track({[&] {
                  shown = menuWindow_;
                  DestroyWindow(owner_);
              }}),
              0u);
    EXPECT_FALSE(IsWindow(owner_));
    EXPECT_FALSE(IsWindow(shown)) << "the menu went with its owner";
    EXPECT_EQ(GetCapture(), nullptr);
}

TEST_F(MenuTracking, OnlyTheOwnersThreadMayTrack) {
    BOOL result = TRUE;
    std::thread([&] { result = TrackPopupMenu(menu_, 0, 0, 0, 0, owner_, nullptr); }).join();
    EXPECT_FALSE(result);
    EXPECT_FALSE(
        TrackPopupMenu(reinterpret_cast<HMENU>(uintptr_t(12345)), 0, 0, 0, 0, owner_, nullptr));
}

}  // namespace
