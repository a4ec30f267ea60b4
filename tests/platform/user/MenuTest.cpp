// Menus as data: resources, lookup by command and position, state changes.
#include <gtest/gtest.h>

#include <string>

#include "platform/user/User.h"

namespace {

constexpr UINT kMenuId = 2000;

MenuItemTemplate Item(const wchar_t* text, UINT id, UINT flags = 0) {
    return MenuItemTemplate{text, id, flags, {}};
}

MenuItemTemplate Popup(const wchar_t* text, std::vector<MenuItemTemplate> items) {
    return MenuItemTemplate{text, 0, 0, std::move(items)};
}

// A menu with nested popups, like the program's main menu.
MenuTemplate MainMenu() {
    return MenuTemplate{{
        Popup(L"&File", {Item(L"Open file", 3010), Item(L"Search hdd", 3011),
                         Item(L"", 0, MF_SEPARATOR), Item(L"Close", 3013)}),
        Popup(L"Windows",
              {Popup(L"Layout",
                     {Item(L"single screen", 3020, MF_CHECKED), Item(L"double screen", 3021)}),
               Popup(L"Unit Setting",
                     {Popup(L"Speed per Hour", {Item(L"KM", 3040), Item(L"Mile", 3041)}),
                      Popup(L"Temperature", {Item(L"?", 3042), Item(L"?", 3043)})})}),
        Popup(L"Control", {Item(L"Find and play", 3050, MF_GRAYED)}),
    }};
}

std::wstring TextOf(HMENU menu, UINT item, UINT flags) {
    wchar_t buffer[64] = {};
    GetMenuStringW(menu, item, buffer, 64, flags);
    return buffer;
}

class Menus : public ::testing::Test {
protected:
    void SetUp() override {
        AddMenuResource(kMenuId, MainMenu());
        menu_ = LoadMenuW(nullptr, MAKEINTRESOURCEW(kMenuId));
        ASSERT_NE(menu_, nullptr);
    }
    void TearDown() override { DestroyMenu(menu_); }
    HMENU Windows() const { return GetSubMenu(menu_, 1); }
    HMENU UnitSetting() const { return GetSubMenu(Windows(), 1); }

    HMENU menu_ = nullptr;
};

TEST_F(Menus, AResourceMenuKeepsItsNestingIdsAndFlags) {
    EXPECT_EQ(GetMenuItemCount(menu_), 3);
    EXPECT_EQ(GetMenuItemID(menu_, 0), UINT(-1)) << "a popup entry has no command";
    HMENU file = GetSubMenu(menu_, 0);
    ASSERT_NE(file, nullptr);
    EXPECT_EQ(GetMenuItemCount(file), 4);
    EXPECT_EQ(GetMenuItemID(file, 1), 3011u);
    EXPECT_EQ(GetMenuState(file, 2, MF_BYPOSITION), MF_SEPARATOR);
    HMENU layout = GetSubMenu(Windows(), 0);
    EXPECT_EQ(GetMenuState(layout, 3020, MF_BYCOMMAND), MF_CHECKED);
    EXPECT_EQ(GetMenuState(menu_, 3050, MF_BYCOMMAND), MF_GRAYED) << "found in a sub-menu";
    EXPECT_EQ(GetMenuState(Windows(), 1, MF_BYPOSITION), MF_POPUP | (2u << 8));
    EXPECT_EQ(TextOf(GetSubMenu(UnitSetting(), 0), 1, MF_BYPOSITION), L"Mile");
    EXPECT_EQ(GetSubMenu(menu_, 3), nullptr);
    EXPECT_EQ(GetMenuItemID(menu_, 7), UINT(-1));
    EXPECT_EQ(LoadMenuW(nullptr, MAKEINTRESOURCEW(kMenuId + 1)), nullptr);
    HMENU second = LoadMenuW(nullptr, MAKEINTRESOURCEW(kMenuId));
    EXPECT_NE(second, menu_) << "each load makes a menu of its own";
    CheckMenuItem(second, 3040, MF_CHECKED);
    EXPECT_EQ(GetMenuState(menu_, 3040, MF_BYCOMMAND), MF_UNCHECKED);
    DestroyMenu(second);
}

TEST_F(Menus, ModifyByCommandReachesNestedItems) {
    EXPECT_TRUE(ModifyMenuW(menu_, 3042, MF_BYCOMMAND | MF_STRING, 3042, L"\u2103"));
    EXPECT_TRUE(ModifyMenuW(menu_, 3010, MF_BYCOMMAND | MF_STRING, 3010, L"Open"));
    EXPECT_EQ(TextOf(GetSubMenu(UnitSetting(), 1), 0, MF_BYPOSITION), L"\u2103");
    EXPECT_EQ(TextOf(menu_, 3010, MF_BYCOMMAND), L"Open");
    EXPECT_FALSE(ModifyMenuW(menu_, 9999, MF_BYCOMMAND | MF_STRING, 9999, L"x"));
    // Modifying replaces the state bits as well.
    EXPECT_TRUE(ModifyMenuW(menu_, 3020, MF_BYCOMMAND | MF_STRING, 3020, L"Single"));
    EXPECT_EQ(GetMenuState(menu_, 3020, MF_BYCOMMAND), 0u);
}

TEST_F(Menus, ModifyByPositionKeepsTheSubMenu) {
    HMENU layout = GetSubMenu(Windows(), 0);
    EXPECT_TRUE(ModifyMenuW(Windows(), 0, MF_BYPOSITION | MF_STRING, 3057, L"Screen"));
    EXPECT_EQ(GetSubMenu(Windows(), 0), layout);
    EXPECT_EQ(TextOf(Windows(), 0, MF_BYPOSITION), L"Screen");
    EXPECT_EQ(GetMenuItemID(Windows(), 0), UINT(-1));
    EXPECT_TRUE(IsMenu(layout));
    EXPECT_FALSE(ModifyMenuW(Windows(), 2, MF_BYPOSITION | MF_STRING, 3066, L"Map type"))
        << "there is no third entry";
    EXPECT_EQ(GetMenuItemCount(Windows()), 2);
}

TEST_F(Menus, CheckAndEnableReportThePreviousState) {
    EXPECT_EQ(CheckMenuItem(menu_, 3020, MF_BYCOMMAND | MF_UNCHECKED), DWORD(MF_CHECKED));
    EXPECT_EQ(CheckMenuItem(menu_, 3021, MF_BYCOMMAND | MF_CHECKED), DWORD(MF_UNCHECKED));
    EXPECT_EQ(GetMenuState(menu_, 3021, MF_BYCOMMAND), MF_CHECKED);
    EXPECT_EQ(EnableMenuItem(menu_, 3050, MF_BYCOMMAND | MF_ENABLED), BOOL(MF_GRAYED));
    EXPECT_EQ(EnableMenuItem(menu_, 3050, MF_BYCOMMAND | MF_GRAYED | MF_DISABLED),
              BOOL(MF_ENABLED));
    EXPECT_EQ(GetMenuState(menu_, 3050, MF_BYCOMMAND), MF_GRAYED | MF_DISABLED);
    EXPECT_EQ(CheckMenuItem(menu_, 4444, MF_BYCOMMAND | MF_CHECKED), DWORD(-1));
    EXPECT_EQ(EnableMenuItem(menu_, 4444, MF_BYCOMMAND), BOOL(-1));
}

TEST_F(Menus, DestroyingAMenuDestroysItsSubMenus) {
    HMENU layout = GetSubMenu(Windows(), 0);
    HMENU windows = Windows();
    EXPECT_TRUE(DeleteMenu(menu_, 1, MF_BYPOSITION));
    EXPECT_FALSE(IsMenu(windows));
    EXPECT_FALSE(IsMenu(layout));
    HMENU file = GetSubMenu(menu_, 0);
    EXPECT_TRUE(RemoveMenu(menu_, 0, MF_BYPOSITION));
    EXPECT_TRUE(IsMenu(file)) << "removed, not destroyed";
    EXPECT_TRUE(DestroyMenu(menu_));
    EXPECT_FALSE(DestroyMenu(menu_));
    EXPECT_EQ(GetMenuItemCount(menu_), -1);
    EXPECT_EQ(ModifyMenuW(menu_, 0, MF_BYPOSITION, 1, L"x"), FALSE) << "a stale handle";
    EXPECT_TRUE(DestroyMenu(file));
    menu_ = nullptr;
}

TEST_F(Menus, BuildingMenusByHand) {
    HMENU popup = CreatePopupMenu();
    HMENU sub = CreatePopupMenu();
    EXPECT_TRUE(AppendMenuW(sub, MF_STRING, 7, L"Seven"));
    EXPECT_TRUE(AppendMenuW(popup, MF_STRING, 5, L"Five"));
    EXPECT_TRUE(AppendMenuW(popup, MF_POPUP, UINT_PTR(sub), L"More"));
    EXPECT_TRUE(InsertMenuW(popup, 5, MF_BYCOMMAND | MF_STRING, 4, L"Four")) << "before 5";
    EXPECT_FALSE(AppendMenuW(popup, MF_POPUP, UINT_PTR(popup), L"itself"));
    EXPECT_EQ(GetMenuItemID(popup, 0), 4u);
    EXPECT_EQ(GetMenuItemID(popup, 1), 5u);
    EXPECT_EQ(GetSubMenu(popup, 2), sub);
    EXPECT_EQ(GetMenuStringW(popup, 7, nullptr, 0, MF_BYCOMMAND), 5);
    DestroyMenu(popup);
    EXPECT_FALSE(IsMenu(sub));
}

}  // namespace
