// Menu 2000 opened from the menu-bar labels: its texts in two languages,
// the check marks, the greyed find command, the unit commands writing the
// configuration, the screen layout commands, and the seek slider's tooltip.
#include <cstring>
#include <fstream>

#include "MainWindowFixture.h"
#include "app/res/ResourceIds.h"
#include "app/shell/AppConfig.h"
#include "app/shell/LanguageTexts.h"
#include "app/ui/find/EventTypeNames.h"
#include "platform/base/Module.h"
#include "platform/base/PrivateProfile.h"
#include "platform/user/Menus.h"
#include "shared/TextConvert.h"

namespace maintest {
namespace {

struct Item {
    std::wstring text;
    bool checked = false;
    bool greyed = false;
};

Item ItemAt(HMENU menu, int position) {
    wchar_t text[64] = {};
    GetMenuStringW(menu, UINT(position), text, 64, MF_BYPOSITION);
    const UINT state = GetMenuState(menu, UINT(position), MF_BYPOSITION);
    return {text, (state & MF_CHECKED) != 0, (state & MF_GRAYED) != 0};
}

class Menus : public MainWindowFixture {
protected:
    void SetUp() override {
        std::wcsncpy(g_szProgramDir, Utf8ToWideString(ProgramDirectory()).c_str(),
                     kConfigPathSize - 1);
    }
    void TearDown() override { SetDefaultLanguageTexts(); }

    // The items of popup `index` of the menu (sub-popups as their entries)
    // while it is shown from its label; a nested level is opened the way the
    // menu's loop opens it, with WM_INITMENUPOPUP to the owner first.
    std::vector<Item> Shown(int index, int subPopup = -1, int subSub = -1) {
        std::vector<Item> items;
        dlg.onMenuIdle = [&] {
            HMENU menu = GetSubMenu(dlg.m_menu, index);
            for (const int position : {subPopup, subSub}) {
                if (position < 0)
                    break;
                menu = GetSubMenu(menu, position);
                dlg.SendMessage(WM_INITMENUPOPUP, WPARAM(menu), position);
            }
            for (int i = 0; i < GetMenuItemCount(menu); ++i)
                items.push_back(ItemAt(menu, i));
        };
        Command(IDC_MAIN_MENU_FILE + UINT(index));
        dlg.onMenuIdle = nullptr;
        return items;
    }
    static std::vector<std::wstring> TextsOf(const std::vector<Item>& items) {
        std::vector<std::wstring> out;
        for (const Item& item : items)
            out.push_back(item.text);
        return out;
    }
};

using Texts = std::vector<std::wstring>;

TEST_F(Menus, EveryPopupShowsItsLanguageTexts) {
    Open();
    EXPECT_EQ(TextsOf(Shown(0)),
              (Texts{L"Open File", L"Search HDD", L"Search SD", L"Close/Stop Search"}));
    EXPECT_EQ(TextsOf(Shown(1)), (Texts{L"Layout", L"Unit Setting"}));
    EXPECT_EQ(TextsOf(Shown(1, 0)), (Texts{L"Single Screen", L"Double Screen"}));
    EXPECT_EQ(TextsOf(Shown(1, 1)), (Texts{L"Speed per Hour Unit", L"Temperature Unit"}));
    EXPECT_EQ(TextsOf(Shown(1, 1, 0)), (Texts{L"KM", L"Mile"}));
    EXPECT_EQ(TextsOf(Shown(1, 1, 1)), (Texts{L"\u2103", L"\u2109"}));
    EXPECT_EQ(TextsOf(Shown(2)), (Texts{L"Find and Play", L"Rebuild Time Index HDD"}));
    EXPECT_EQ(TextsOf(Shown(3)), (Texts{L"Other"}));
    EXPECT_EQ(TextsOf(Shown(4)), (Texts{L"About"}));
}

TEST_F(Menus, ALanguageChangeRelabelsAllButTheUnits) {
    Open();
    ASSERT_TRUE(LoadLanguageFile(L"Chinese.lang"));
    dlg.ApplyLanguageTexts();
    EXPECT_EQ(Shown(0)[0].text, std::wstring(ID_MENU_OPENFILE.GetString()));
    EXPECT_EQ(Shown(0)[0].text, L"\u6253\u5f00\u6587\u4ef6");
    EXPECT_EQ(Shown(1)[0].text, L"\u5e03\u5c40");
    EXPECT_EQ(Shown(1, 0)[0].text, L"\u5355\u5c4f");
    EXPECT_EQ(Shown(2)[0].text, std::wstring(ID_MENU_FINDLOCATE.GetString()));
    EXPECT_EQ(TextsOf(Shown(1, 1, 0)), (Texts{L"KM", L"Mile"}));
    EXPECT_EQ(TextsOf(Shown(1, 1, 1)), (Texts{L"\u2103", L"\u2109"}));
    EXPECT_EQ(std::wstring(g_szEventTypeNames[1]), std::wstring(IDS_EVENT_TYPE_1.GetString()));
    EXPECT_NE(std::wstring(g_szEventTypeNames[1]), L"POWER ON");
}

// The table itself is tested with the find dialog that reads it.
TEST_F(Menus, OpeningFillsTheEventNames) {
    std::memset(g_szEventTypeNames, 0, sizeof g_szEventTypeNames);
    std::memset(g_szPowerOffNames, 0, sizeof g_szPowerOffNames);
    Open();
    EXPECT_EQ(std::wstring(g_szEventTypeNames[0]), L"UNKNOW");
    EXPECT_EQ(std::wstring(g_szPowerOffNames[4]), std::wstring(IDS_EVENT_POWER_OFF_4.GetString()));
}

TEST_F(Menus, FindAndPlayIsGreyedWithNothingOpen) {
    Open();
    EXPECT_TRUE(Shown(2)[0].greyed);
    fake->openedType = OPENED_FILE_PAIR;
    EXPECT_FALSE(Shown(2)[0].greyed);
}

TEST_F(Menus, UnitCommandsCheckTheirItemAndWriteTheConfiguration) {
    g_nSpeedUnit = 0;
    g_nTemperatureUnit = 1;
    Open();
    EXPECT_TRUE(Shown(1, 1, 0)[0].checked);
    EXPECT_TRUE(Shown(1, 1, 1)[1].checked);
    EXPECT_EQ(std::wstring(dlg.GetTemperatureUnitText().GetString()), L"\u2109");
    Command(IDM_SPEED_MILE);
    Command(IDM_TEMPERATURE_C);
    const auto speed = Shown(1, 1, 0);
    EXPECT_FALSE(speed[0].checked);
    EXPECT_TRUE(speed[1].checked);
    EXPECT_TRUE(Shown(1, 1, 1)[0].checked);
    EXPECT_EQ(g_nSpeedUnit, 1);
    EXPECT_EQ(dlg.GetSpeedUnit(), 1);
    EXPECT_EQ(std::wstring(dlg.GetSpeedUnitText().GetString()), L"mile/h");
    EXPECT_EQ(GetPrivateProfileIntW(L"UnitSetting", L"DefaultSpeedUnit", -1, g_strIniPath), 1);
    EXPECT_EQ(GetPrivateProfileIntW(L"UnitSetting", L"DefaultTemperatureUnit", -1, g_strIniPath),
              0);
    dlg.SetSpeedText(72);
    EXPECT_EQ(std::wstring(dlg.m_stSpeed.GetText().GetString()), L"72 mile/h");
    g_nSpeedUnit = 0;
    g_nTemperatureUnit = 0;
}

TEST_F(Menus, TheLayoutCommandsMoveTheMapPaneOnlyWhenTheyChangeSomething) {
    Open(1200, 800);
    EXPECT_TRUE(Shown(1, 0)[0].checked);
    // Already single: nothing, so a pane the user hid stays hidden.
    dlg.ToggleMapPane();
    ASSERT_FALSE(dlg.m_bMapPane);
    Command(IDM_SINGLE_SCREEN);
    EXPECT_FALSE(dlg.m_bMapPane);
    dlg.ToggleMapPane();
    Command(IDM_DOUBLE_SCREEN);
    EXPECT_FALSE(dlg.m_bMapPane);
    EXPECT_FALSE(dlg.m_bMapWindow);
    EXPECT_TRUE(Shown(1, 0)[1].checked);
    Command(IDM_SINGLE_SCREEN);
    EXPECT_TRUE(dlg.m_bMapPane);
    EXPECT_TRUE(Shown(1, 0)[0].checked);
}

TEST_F(Menus, TheFileMenuRunsTheFileCommands) {
    Open();
    Command(IDM_SEARCH_SD);
    EXPECT_EQ(Calls(), (std::vector<std::string>{"zOpen 2 - -"}));
}

}  // namespace
}  // namespace maintest
