#include <string>
#include <vector>

#include "ResourceFixture.h"
#include "app/res/ResourceIds.h"
#include "platform/user/Menus.h"

namespace {

// An item as the menu shows it: a command (id, text, checked) or a popup
// (text and its own items).
struct Expected {
    std::wstring text;
    UINT id;
    bool checked;
    std::vector<Expected> popup;
};

Expected Item(const wchar_t* text, UINT id, bool checked = false) {
    return {text, id, checked, {}};
}
Expected Popup(const wchar_t* text, std::vector<Expected> items) {
    return {text, 0, false, std::move(items)};
}

void ExpectMenu(HMENU menu, const std::vector<Expected>& items) {
    ASSERT_EQ(GetMenuItemCount(menu), static_cast<int>(items.size()));
    for (int i = 0; i < static_cast<int>(items.size()); ++i) {
        const Expected& e = items[static_cast<size_t>(i)];
        SCOPED_TRACE(std::string(e.text.begin(), e.text.end()));
        wchar_t text[64] = {};
        GetMenuStringW(menu, static_cast<UINT>(i), text, 64, MF_BYPOSITION);
        EXPECT_EQ(std::wstring(text), e.text);
        HMENU sub = GetSubMenu(menu, i);
        if (e.popup.empty()) {
            EXPECT_EQ(sub, nullptr);
            EXPECT_EQ(GetMenuItemID(menu, i), e.id);
            EXPECT_EQ((GetMenuState(menu, e.id, MF_BYCOMMAND) & MF_CHECKED) != 0, e.checked);
        } else {
            ASSERT_NE(sub, nullptr);
            ExpectMenu(sub, e.popup);
        }
    }
}

}  // namespace

TEST_F(Resources, Menu2000LoadsWithItsPopupsAndCommands) {
    HMENU menu = LoadMenuW(nullptr, MAKEINTRESOURCEW(IDR_MAIN_MENU));
    ASSERT_NE(menu, nullptr);
    ExpectMenu(
        menu, {Popup(L"File", {Item(L"Open file", 3010), Item(L"Search hdd", 3011),
                               Item(L"Search sd", 3012), Item(L"Close/Stop search", 3013)}),
               Popup(L"Windows",
                     {Popup(L"Layout",
                            {Item(L"single screen", 3020, true), Item(L"double screen", 3021)}),
                      Popup(L"Unit Setting",
                            {Popup(L"Speed per Hour", {Item(L"KM", 3040), Item(L"Mile", 3041)}),
                             Popup(L"Temperature", {Item(L"?", 3042), Item(L"?", 3043)})})}),
               Popup(L"Control", {Item(L"Find and play", 3050), Item(L"Rebuild index hdd", 3067)}),
               Popup(L"Settings", {Item(L"Other", 3055)}), Popup(L"Help", {Item(L"About", 3056)})});
    DestroyMenu(menu);
}
