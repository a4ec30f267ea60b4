#include "platform/backend/TopLevelSnapshot.h"

#include <gtest/gtest.h>

#include <map>

#include "platform/user/User.h"

namespace {

constexpr const wchar_t* kClass = L"SnapshotTestWindow";

class Snapshot : public ::testing::Test {
protected:
    void SetUp() override {
        static const ATOM atom = [] {
            WNDCLASSW c{};
            c.lpfnWndProc = DefWindowProcW;
            c.lpszClassName = kClass;
            return RegisterClass(&c);
        }();
        ASSERT_NE(atom, 0);
    }
    void TearDown() override {
        for (HWND h : made_)
            DestroyWindow(h);
    }
    HWND Make(DWORD exStyle, DWORD style, RECT r, HWND parent = nullptr) {
        HWND h = CreateWindowEx(exStyle, kClass, L"", style, r.left, r.top, r.right - r.left,
                                r.bottom - r.top, parent, nullptr, nullptr, nullptr);
        if ((style & WS_CHILD) == 0)
            made_.push_back(h);
        return h;
    }
    static std::map<HWND, TopLevelView> ByHandle(const std::vector<TopLevelView>& views) {
        std::map<HWND, TopLevelView> map;
        for (const TopLevelView& v : views)
            map[v.hwnd] = v;
        return map;
    }

    std::vector<HWND> made_;
};

TEST_F(Snapshot, ShowsPlaceOrderVisibilityAlphaAndShape) {
    HWND plain = Make(0, WS_POPUP | WS_VISIBLE, RECT{10, 20, 110, 70});
    HWND layered = Make(WS_EX_LAYERED, WS_POPUP | WS_VISIBLE, RECT{200, 0, 260, 40});
    ASSERT_TRUE(SetLayeredWindowAttributes(layered, 0, 128, LWA_ALPHA));
    HWND shaped = Make(0, WS_POPUP | WS_VISIBLE, RECT{0, 300, 50, 350});
    ASSERT_NE(SetWindowRgn(shaped, CreateRectRgn(5, 6, 25, 16), FALSE), 0);
    HWND hidden = Make(0, WS_POPUP, RECT{0, 0, 10, 10}, plain);

    const std::vector<TopLevelView> views = SnapshotTopLevels();
    ASSERT_EQ(views.size(), 4u);
    // Made later is higher: the list runs topmost first.
    EXPECT_EQ(views[0].hwnd, hidden);
    EXPECT_EQ(views[1].hwnd, shaped);
    EXPECT_EQ(views[3].hwnd, plain);

    const std::map<HWND, TopLevelView> by = ByHandle(views);
    const TopLevelView& p = by.at(plain);
    const RECT want{10, 20, 110, 70};
    EXPECT_TRUE(EqualRect(&p.rect, &want));
    EXPECT_TRUE(p.visible);
    EXPECT_EQ(p.alpha, 255);
    EXPECT_FALSE(p.shaped);

    EXPECT_EQ(by.at(layered).alpha, 128);
    EXPECT_FALSE(by.at(hidden).visible);
    EXPECT_EQ(by.at(hidden).owner, plain);
    EXPECT_EQ(p.owner, nullptr);

    const TopLevelView& s = by.at(shaped);
    ASSERT_TRUE(s.shaped);
    ASSERT_EQ(s.shape.size(), 1u);
    const RECT shape{5, 6, 25, 16};
    EXPECT_TRUE(EqualRect(&s.shape[0], &shape));

    // Raised, it brings the window it owns along, in front of it.
    SetWindowPos(plain, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    const std::vector<TopLevelView> raised = SnapshotTopLevels();
    EXPECT_EQ(raised[0].hwnd, hidden);
    EXPECT_EQ(raised[1].hwnd, plain);
}

// A display asks the window manager to iconify or maximise what the window
// system minimised or maximised, so the snapshot says which.
TEST_F(Snapshot, ShowsMinimisedAndMaximised) {
    HWND w = Make(0, WS_POPUP | WS_VISIBLE | WS_CAPTION, RECT{10, 20, 210, 170});
    const auto view = [w] { return ByHandle(SnapshotTopLevels()).at(w); };
    EXPECT_FALSE(view().minimized);
    EXPECT_FALSE(view().maximized);
    ShowWindow(w, SW_MINIMIZE);
    EXPECT_TRUE(view().minimized);
    EXPECT_TRUE(view().visible);
    ShowWindow(w, SW_RESTORE);
    ShowWindow(w, SW_MAXIMIZE);
    EXPECT_FALSE(view().minimized);
    EXPECT_TRUE(view().maximized);
}

TEST_F(Snapshot, ChildPlacementIsInsideItsTopLevelAndCut) {
    HWND top = Make(0, WS_POPUP | WS_VISIBLE, RECT{100, 100, 300, 200});
    struct Case {
        const char* name;
        RECT child;  // in the parent's client coordinates
        DWORD style;
        RECT expected;
        bool shown;
    };
    const Case cases[] = {
        {"inside", {10, 20, 40, 60}, WS_CHILD | WS_VISIBLE, {10, 20, 40, 60}, true},
        {"over the right edge",
         {180, 50, 260, 80},
         WS_CHILD | WS_VISIBLE,
         {180, 50, 200, 80},
         true},
        {"hidden", {10, 20, 40, 60}, WS_CHILD, {10, 20, 40, 60}, false},
        {"outside", {300, 0, 320, 10}, WS_CHILD | WS_VISIBLE, {0, 0, 0, 0}, false},
    };
    for (const Case& c : cases) {
        HWND child = Make(0, c.style, c.child, top);
        RECT placed{};
        bool shown = true;
        ASSERT_TRUE(ChildPlacement(child, &placed, &shown)) << c.name;
        EXPECT_TRUE(EqualRect(&placed, &c.expected))
            << c.name << ": " << placed.left << "," << placed.top << "," << placed.right << ","
            << placed.bottom;
        EXPECT_EQ(shown, c.shown) << c.name;
        DestroyWindow(child);
    }
    RECT placed{};
    bool shown = false;
    HWND gone = Make(0, WS_CHILD | WS_VISIBLE, RECT{0, 0, 5, 5}, top);
    DestroyWindow(gone);
    EXPECT_FALSE(ChildPlacement(gone, &placed, &shown));
}

TEST(RegionRects, ListsTheBandsOfARegion) {
    HRGN a = CreateRectRgn(0, 0, 10, 10);
    HRGN b = CreateRectRgn(20, 0, 30, 10);
    CombineRgn(a, a, b, RGN_OR);
    EXPECT_EQ(RegionRects(a).size(), 2u);
    EXPECT_TRUE(RegionRects(nullptr).empty());
    HRGN empty = CreateRectRgn(0, 0, 0, 0);
    EXPECT_TRUE(RegionRects(empty).empty());
    DeleteObject(a);
    DeleteObject(b);
    DeleteObject(empty);
}

}  // namespace
