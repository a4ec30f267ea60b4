#include <gtest/gtest.h>

#include "TestWindows.h"

namespace {

class WindowLife : public ::testing::Test {
protected:
    TestWindows windows;
};

TEST_F(WindowLife, CreationSendsItsMessagesInOrder) {
    HWND top = windows.Top(10, 20, 200, 100);
    ASSERT_NE(top, nullptr);
    const std::vector<UINT> got = TestWindows::MessagesOf(top);
    const std::vector<UINT> first(got.begin(), got.begin() + 5);
    EXPECT_EQ(first, (std::vector<UINT>{WM_NCCREATE, WM_NCCALCSIZE, WM_CREATE, WM_SIZE, WM_MOVE}));
    EXPECT_TRUE(IsWindowVisible(top));
}

TEST_F(WindowLife, CreateFailsWhenTheWindowRefuses) {
    // A class whose WM_CREATE answers -1.
    WNDCLASSEXW c{sizeof(WNDCLASSEXW),
                  0,
                  [](HWND h, UINT m, WPARAM w, LPARAM l) -> LRESULT {
                      return m == WM_CREATE ? -1 : DefWindowProc(h, m, w, l);
                  },
                  0,
                  0,
                  nullptr,
                  nullptr,
                  nullptr,
                  nullptr,
                  nullptr,
                  L"Refuser",
                  nullptr};
    RegisterClassEx(&c);
    EXPECT_EQ(CreateWindowEx(0, L"Refuser", L"", WS_POPUP, 0, 0, 5, 5, nullptr, nullptr, nullptr,
                             nullptr),
              nullptr);
    EXPECT_EQ(CreateWindowEx(0, L"NoSuchClass", L"", WS_POPUP, 0, 0, 5, 5, nullptr, nullptr,
                             nullptr, nullptr),
              nullptr);
    EXPECT_EQ(windows.Child(nullptr, 1, 0, 0, 5, 5), nullptr) << "a child needs a parent";
}

TEST_F(WindowLife, StaleHandlesAreHarmless) {
    HWND top = windows.Top(0, 0, 50, 50);
    HWND child = windows.Child(top, 7, 0, 0, 10, 10);
    ASSERT_TRUE(DestroyWindow(top));
    for (HWND h : {top, child, reinterpret_cast<HWND>(uintptr_t(0x1234560))}) {
        RECT r{1, 2, 3, 4};
        wchar_t text[8] = L"x";
        EXPECT_FALSE(IsWindow(h));
        EXPECT_EQ(SendMessage(h, WM_USER, 1, 2), 0);
        EXPECT_FALSE(PostMessage(h, WM_USER, 1, 2));
        EXPECT_FALSE(SetWindowText(h, L"t"));
        EXPECT_EQ(GetWindowText(h, text, 8), 0);
        EXPECT_FALSE(GetWindowRect(h, &r));
        EXPECT_FALSE(ShowWindow(h, SW_SHOW));
        EXPECT_FALSE(DestroyWindow(h));
        EXPECT_FALSE(InvalidateRect(h, nullptr, TRUE));
        EXPECT_EQ(GetParent(h), nullptr);
        EXPECT_EQ(GetDC(h), nullptr);
        EXPECT_EQ(SetTimer(h, 1, 10, nullptr), 0u);
        HRGN region = CreateRectRgn(0, 0, 1, 1);
        EXPECT_EQ(SetWindowRgn(h, region, TRUE), 0);
        EXPECT_TRUE(DeleteObject(region)) << "a refused region stays the caller's";
    }
    // A new window never takes an old handle.
    HWND again = windows.Top(0, 0, 50, 50);
    EXPECT_NE(again, top);
    EXPECT_NE(again, child);
}

TEST_F(WindowLife, DestructionReachesParentsFirstThenChildrenFirst) {
    HWND top = windows.Top(0, 0, 100, 100);
    HWND a = windows.Child(top, 1, 0, 0, 10, 10);
    HWND b = windows.Child(a, 2, 0, 0, 5, 5);
    HWND owned = CreateWindowEx(0, TestWindows::kClass, L"owned", WS_POPUP, 0, 0, 5, 5, top,
                                nullptr, nullptr, nullptr);
    TestWindows::ClearLog();
    ASSERT_TRUE(DestroyWindow(top));
    std::vector<std::pair<HWND, UINT>> order;
    for (const LoggedMessage& m : TestWindows::Log()) {
        if (m.message == WM_DESTROY || m.message == WM_NCDESTROY)
            order.emplace_back(m.hwnd, m.message);
    }
    const std::vector<std::pair<HWND, UINT>> expected = {
        {owned, WM_DESTROY}, {owned, WM_NCDESTROY}, {top, WM_DESTROY}, {a, WM_DESTROY},
        {b, WM_DESTROY},     {b, WM_NCDESTROY},     {a, WM_NCDESTROY}, {top, WM_NCDESTROY}};
    EXPECT_EQ(order, expected);
    EXPECT_FALSE(IsWindow(owned));
}

TEST_F(WindowLife, DestroyWorksOnlyOnTheOwnerThread) {
    HWND top = windows.Top(0, 0, 10, 10);
    BOOL fromOther = TRUE;
    std::thread([&] { fromOther = DestroyWindow(top); }).join();
    EXPECT_FALSE(fromOther);
    EXPECT_TRUE(IsWindow(top));
}

TEST_F(WindowLife, LinksAndZOrder) {
    HWND top = windows.Top(0, 0, 100, 100);
    HWND first = windows.Child(top, 11, 0, 0, 10, 10);
    HWND second = windows.Child(top, 12, 0, 0, 10, 10);
    HWND popup = CreateWindowEx(0, TestWindows::kClass, L"p", WS_POPUP, 0, 0, 5, 5, top, nullptr,
                                nullptr, nullptr);
    EXPECT_EQ(GetParent(first), top);
    EXPECT_EQ(GetParent(popup), top) << "a popup's parent is its owner";
    EXPECT_EQ(GetWindow(popup, GW_OWNER), top);
    // Children made later lie beneath the earlier ones.
    EXPECT_EQ(GetWindow(top, GW_CHILD), first);
    EXPECT_EQ(GetWindow(first, GW_HWNDNEXT), second);
    EXPECT_EQ(GetWindow(second, GW_HWNDPREV), first);
    EXPECT_EQ(GetDlgItem(top, 12), second);
    EXPECT_EQ(GetDlgCtrlID(second), 12);
    EXPECT_EQ(GetAncestor(second, GA_ROOT), top);
    EXPECT_TRUE(IsChild(top, second));
    SetWindowPos(second, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    EXPECT_EQ(GetWindow(top, GW_CHILD), second);
    DestroyWindow(popup);
}

TEST_F(WindowLife, SetParentMovesAChildAndRefusesLoops) {
    HWND top = windows.Top(0, 0, 100, 100);
    HWND a = windows.Child(top, 1, 0, 0, 50, 50);
    HWND b = windows.Child(top, 2, 50, 0, 50, 50);
    EXPECT_EQ(SetParent(b, a), top);
    EXPECT_EQ(GetParent(b), a);
    EXPECT_EQ(GetDlgItem(top, 2), nullptr);
    EXPECT_EQ(SetParent(a, b), nullptr) << "a window cannot go below its own child";
    EXPECT_EQ(GetParent(a), top);
}

TEST_F(WindowLife, TextStyleAndUserData) {
    HWND top = windows.Top(0, 0, 10, 10, WS_POPUP);
    EXPECT_TRUE(SetWindowText(top, L"Marlowin"));
    wchar_t text[4];
    EXPECT_EQ(GetWindowText(top, text, 4), 3);
    EXPECT_STREQ(text, L"Mar");
    EXPECT_EQ(GetWindowTextLength(top), 8);
    EXPECT_EQ(SetWindowLongPtr(top, GWLP_USERDATA, 42), 0);
    EXPECT_EQ(GetWindowLongPtr(top, GWLP_USERDATA), 42);
    EXPECT_FALSE(IsWindowVisible(top));
    EXPECT_FALSE(ShowWindow(top, SW_SHOW));
    EXPECT_TRUE(IsWindowVisible(top));
    EXPECT_FALSE(EnableWindow(top, FALSE));
    EXPECT_FALSE(IsWindowEnabled(top));
    EXPECT_TRUE(EnableWindow(top, TRUE));
}

TEST_F(WindowLife, WindowsOfAnEndedThreadAreGone) {
    HWND made = nullptr;
    std::thread([&] {
        TestWindows local;
        made = CreateWindowEx(0, TestWindows::kClass, L"", WS_POPUP, 0, 0, 5, 5, nullptr, nullptr,
                              nullptr, nullptr);
        EXPECT_TRUE(IsWindow(made));
    }).join();
    EXPECT_FALSE(IsWindow(made));
    EXPECT_EQ(SendMessage(made, WM_USER, 0, 0), 0);
}

}  // namespace
