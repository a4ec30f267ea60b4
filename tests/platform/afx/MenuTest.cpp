// CMenu and the command-UI pass a dialog runs before each popup shows.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "platform/afx/Afx.h"

namespace {

constexpr UINT kTemplate = 5101;
constexpr UINT kMenu = 5102;
constexpr UINT kAct = WM_APP + 11;
constexpr UINT kSingle = 3020, kDouble = 3021, kRemoved = 3030, kRelabelled = 3031,
               kDisabled = 3032, kNoHandler = 3033;

void AddResources() {
    DialogTemplate t;
    t.style = WS_POPUP | WS_CAPTION | DS_MODALFRAME;
    t.cx = 120;
    t.cy = 60;
    t.items = {{L"Button", L"OK", IDOK, WS_VISIBLE | WS_TABSTOP, 0, 4, 40, 40, 14}};
    AddDialogResource(kTemplate, t);
    auto item = [](const wchar_t* text, UINT id, UINT flags = 0) {
        return MenuItemTemplate{text, id, flags, {}};
    };
    AddMenuResource(
        kMenu,
        MenuTemplate{{MenuItemTemplate{
            L"Windows",
            0,
            0,
            {MenuItemTemplate{
                 L"Layout", 0, 0, {item(L"single", kSingle, MF_CHECKED), item(L"double", kDouble)}},
             item(L"remove me", kRemoved), item(L"relabel me", kRelabelled),
             item(L"disable me", kDisabled), item(L"nobody's", kNoHandler)}}}});
}

std::wstring TextAt(CMenu* menu, UINT position) {
    CString text;
    menu->GetMenuString(position, text, MF_BYPOSITION);
    return std::wstring(text.GetString());
}

class CMenuDlg : public CDialog {
public:
    CMenuDlg() : CDialog(kTemplate) {}

    CMenu m_menu;
    UINT m_layout = kDouble;
    int layoutUpdates = 0;
    int removals = 0;
    std::vector<std::function<void(CMenuDlg&)>> idleSteps;
    size_t nextStep = 0;

protected:
    BOOL OnInitDialog() override {
        CDialog::OnInitDialog();
        m_menu.LoadMenu(kMenu);
        PostMessage(kAct);
        return TRUE;
    }
    LRESULT OnAct(WPARAM, LPARAM) {
        RECT r{};
        GetWindowRect(&r);
        m_menu.GetSubMenu(0)->TrackPopupMenu(TPM_RIGHTBUTTON, r.left, r.bottom, this);
        return 0;
    }
    LRESULT OnEnterIdle(WPARAM, LPARAM) {
        if (nextStep < idleSteps.size())
            idleSteps[nextStep++](*this);
        else
            EndMenu();
        return 0;
    }
    void OnInitMenuPopup(CMenu* popup, UINT, BOOL) { UpdateMenuCommandUI(this, popup); }
    void OnUpdateLayout(CCmdUI* ui) {
        ++layoutUpdates;
        ui->SetCheck(ui->m_nID == m_layout);
    }
    void OnUpdateRemoved(CCmdUI* ui) {
        ++removals;
        ui->m_pMenu->DeleteMenu(kRemoved, MF_BYCOMMAND);
    }
    void OnUpdateRelabelled(CCmdUI* ui) { ui->SetText(L"relabelled"); }
    void OnUpdateDisabled(CCmdUI* ui) { ui->Enable(FALSE); }
    void OnSingle() { EndDialog(int(kSingle)); }
    void OnDouble() { EndDialog(int(kDouble)); }

    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CMenuDlg, CDialog)
ON_MESSAGE(kAct, &CMenuDlg::OnAct)
ON_MESSAGE(WM_ENTERIDLE, &CMenuDlg::OnEnterIdle)
ON_WM_INITMENUPOPUP()
ON_UPDATE_COMMAND_UI_RANGE(kSingle, kDouble, &CMenuDlg::OnUpdateLayout)
ON_UPDATE_COMMAND_UI(kRemoved, &CMenuDlg::OnUpdateRemoved)
ON_UPDATE_COMMAND_UI(kRelabelled, &CMenuDlg::OnUpdateRelabelled)
ON_UPDATE_COMMAND_UI(kDisabled, &CMenuDlg::OnUpdateDisabled)
ON_COMMAND(kSingle, &CMenuDlg::OnSingle)
ON_COMMAND(kDouble, &CMenuDlg::OnDouble)
END_MESSAGE_MAP()

void Press(UINT vk) {
    InjectKey(vk, true);
    InjectKey(vk, false);
}

TEST(FrameworkMenus, TheCommandUiPassRunsBeforeEachPopupShows) {
    AddResources();
    CMenuDlg dlg;
    std::vector<std::wstring> topTexts;
    UINT disabledState = 0, noHandlerState = 0, layoutEntryState = 0;
    UINT singleState = 0, doubleState = 0;
    dlg.idleSteps = {
        [&](CMenuDlg& d) {
            CMenu* top = d.m_menu.GetSubMenu(0);
            for (UINT i = 0; i < top->GetMenuItemCount(); ++i)
                topTexts.push_back(TextAt(top, i));
            disabledState = top->GetMenuState(kDisabled, MF_BYCOMMAND);
            noHandlerState = top->GetMenuState(kNoHandler, MF_BYCOMMAND);
            layoutEntryState = top->GetMenuState(0, MF_BYPOSITION) & 0xFF;
            Press(VK_DOWN);   // Layout
            Press(VK_RIGHT);  // opens it at "single"
        },
        [&](CMenuDlg& d) {
            singleState = d.m_menu.GetMenuState(kSingle, MF_BYCOMMAND);
            doubleState = d.m_menu.GetMenuState(kDouble, MF_BYCOMMAND);
            Press(VK_UP);  // wraps to "double"
            Press(VK_RETURN);
        },
    };
    EXPECT_EQ(dlg.DoModal(), intptr_t(kDouble)) << "the chosen command reached its handler";
    EXPECT_EQ(dlg.nextStep, 2u);
    const std::vector<std::wstring> expected = {L"Layout", L"relabelled", L"disable me",
                                                L"nobody's"};
    EXPECT_EQ(topTexts, expected) << "an item removed during the pass, the next one still asked";
    EXPECT_EQ(dlg.removals, 1);
    EXPECT_EQ(disabledState, MF_GRAYED | MF_DISABLED);
    EXPECT_EQ(noHandlerState, 0u) << "no handler: left enabled";
    EXPECT_EQ(layoutEntryState, MF_POPUP) << "the popup entry is not checked itself";
    EXPECT_EQ(singleState, MF_UNCHECKED) << "the resource's check was updated away";
    EXPECT_EQ(doubleState, MF_CHECKED);
    EXPECT_EQ(dlg.layoutUpdates, 3) << "once for the entry, once per item of the sub-menu";
}

TEST(FrameworkMenus, TemporaryObjectsNeverDestroyTheMenu) {
    AddResources();
    HMENU sub = nullptr;
    {
        CMenu menu;
        ASSERT_TRUE(menu.LoadMenu(kMenu));
        CMenu* popup = menu.GetSubMenu(0);
        ASSERT_NE(popup, nullptr);
        EXPECT_EQ(popup, menu.GetSubMenu(0)) << "the same temporary each time";
        EXPECT_EQ(CMenu::FromHandle(menu.m_hMenu), &menu);
        EXPECT_FALSE(popup->DestroyMenu()) << "a temporary object does not own its menu";
        sub = popup->m_hMenu;
        EXPECT_TRUE(IsMenu(sub));
    }
    EXPECT_FALSE(IsMenu(sub)) << "the owner's destruction took the sub-menus along";
    EXPECT_EQ(CMenu::FromHandle(sub), nullptr);
}

}  // namespace
