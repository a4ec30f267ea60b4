// Menu 2000 and its commands: the popups the menu-bar labels open, the texts
// of every item and label in the current language, the check marks, the
// screen layout and unit commands, and the seek slider's tooltip text.
#include "app/res/ResourceIds.h"
#include "app/shell/AppConfig.h"
#include "app/shell/LanguageTexts.h"
#include "app/shell/LibraryBinding.h"
#include "app/ui/find/EventTypeNames.h"
#include "app/ui/main/HalbrookDlg.h"
#include "app/ui/main/SliderTime.h"
#include "platform/afx/MenuUpdate.h"
#include "platform/base/PrivateProfile.h"

namespace {

constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr int kWindowsPopup = 1;
constexpr int kSliderTipTransparency = 30;

struct CommandText {
    UINT id;
    const LanguageText* text;
};

const CommandText kCommandTexts[] = {{IDM_OPEN_FILE, &ID_MENU_OPENFILE},
                                     {IDM_SEARCH_HDD, &ID_MENU_SEARCH_HDD},
                                     {IDM_REBUILD_INDEX_HDD, &ID_MENU_REBUILD_INDEX_HDD},
                                     {IDM_SEARCH_SD, &ID_MENU_SEARCH_SD},
                                     {IDM_CLOSE, &ID_MENU_CLOSE},
                                     {IDM_SINGLE_SCREEN, &ID_MENU_SIGDISP},
                                     {IDM_DOUBLE_SCREEN, &ID_MENU_DBLDISP},
                                     {IDM_FIND_AND_PLAY, &ID_MENU_FINDLOCATE},
                                     {IDM_OTHER_SETTING, &ID_MENU_OTHER},
                                     {IDM_ABOUT, &ID_MENU_ABOUT}};

const LanguageText* const kLabelTexts[CHalbrookDlg::kMenuLabels] = {
    &ID_MENU_FILE, &ID_MENU_WINDOW, &ID_MENU_CONTROL, &ID_MENU_SETTING, &ID_MENU_HELP};

// A popup entry relabelled by position keeps its sub-menu; a position the
// popup does not have changes nothing.
void RelabelPopup(CMenu* menu, UINT position, UINT id, const LanguageText& text) {
    if (menu != nullptr)
        menu->ModifyMenu(position, MF_BYPOSITION | MF_STRING, id, text);
}

void WriteUnit(const wchar_t* key, int unit) {
    WritePrivateProfileStringW(L"UnitSetting", key, unit == 1 ? L"1" : L"0", g_strIniPath);
}

}  // namespace

void CHalbrookDlg::LoadMenuTexts() {
    m_menu.LoadMenu(IDR_MAIN_MENU);
    m_menu.ModifyMenu(IDM_TEMPERATURE_C, MF_BYCOMMAND | MF_STRING, IDM_TEMPERATURE_C, L"\u2103");
    m_menu.ModifyMenu(IDM_TEMPERATURE_F, MF_BYCOMMAND | MF_STRING, IDM_TEMPERATURE_F, L"\u2109");
    RelabelMenu();
}

void CHalbrookDlg::RelabelMenu() {
    for (const CommandText& item : kCommandTexts)
        m_menu.ModifyMenu(item.id, MF_BYCOMMAND | MF_STRING, item.id, *item.text);
    CMenu* windows = m_menu.GetSubMenu(kWindowsPopup);
    RelabelPopup(windows, 0, IDM_POPUP_LAYOUT, ID_MENU_WINDOW_TYPE);
    RelabelPopup(windows, 1, IDM_POPUP_UNIT_SETTING, ID_MENU_UNIT_SETTING);
    RelabelPopup(windows, 2, IDM_POPUP_MAP_TYPE, ID_MENU_MAP_TYPE);
    CMenu* units = windows != nullptr ? windows->GetSubMenu(1) : nullptr;
    RelabelPopup(units, 0, IDM_POPUP_SPEED_UNIT, ID_MENU_SPEED_PER_HOUR_UNIT);
    RelabelPopup(units, 1, IDM_POPUP_TEMPERATURE_UNIT, ID_MENU_TEMPERATRUE_UNIT);
    for (int i = 0; i < kMenuLabels; ++i)
        m_menuLabels[i].SetText(kLabelTexts[i]->Get(), kWhite, kWhite);
}

void CHalbrookDlg::ApplyLanguageTexts() {
    BuildEventTypeNames();
    ApplyToolTipTexts();
    RelabelMenu();
    for (CSkinMenuText& label : m_menuLabels)
        label.Invalidate();
    ApplyStatusLanguage();
    m_playBar.ApplyLanguageTexts();
    m_mapPane.ApplyLanguageTexts();
}

void CHalbrookDlg::BuildEventTypeNames() {
    ::BuildEventTypeNames();
}

void CHalbrookDlg::TrackMenuBarPopup(int label) {
    CRect rect;
    m_menuLabels[label].GetWindowRect(&rect);
    m_menu.GetSubMenu(label)->TrackPopupMenu(TPM_RIGHTBUTTON, rect.left, rect.bottom, this);
}

void CHalbrookDlg::OnMenuBarFile() {
    TrackMenuBarPopup(0);
}
void CHalbrookDlg::OnMenuBarWindow() {
    TrackMenuBarPopup(1);
}
void CHalbrookDlg::OnMenuBarSetting() {
    TrackMenuBarPopup(3);
}
void CHalbrookDlg::OnMenuBarHelp() {
    TrackMenuBarPopup(4);
}

void CHalbrookDlg::OnMenuBarControl() {
    const bool nothingOpen = Call_zTellOpenedType() == OPENED_NONE;
    m_menu.EnableMenuItem(IDM_FIND_AND_PLAY,
                          MF_BYCOMMAND | (nothingOpen ? MF_GRAYED | MF_DISABLED : MF_ENABLED));
    TrackMenuBarPopup(2);
}

void CHalbrookDlg::OnMenuOpenFile() {
    g_pMainDlg->OnOpenFile();
}
void CHalbrookDlg::OnMenuSearchHdd() {
    g_pMainDlg->OnSearchHdd();
}
void CHalbrookDlg::OnMenuSearchSd() {
    g_pMainDlg->OnSearchSd();
}

void CHalbrookDlg::OnInitMenuPopup(CMenu* popup, UINT, BOOL isSystemMenu) {
    if (!isSystemMenu)
        UpdateMenuCommandUI(this, popup);
}

void CHalbrookDlg::OnUpdateScreenLayout(CCmdUI* ui) {
    ui->SetCheck(ui->m_nID == m_nCheckedLayout);
}
void CHalbrookDlg::OnUpdateSpeedUnit(CCmdUI* ui) {
    ui->SetCheck(ui->m_nID == m_nCheckedSpeedUnit);
}
void CHalbrookDlg::OnUpdateTemperatureUnit(CCmdUI* ui) {
    ui->SetCheck(ui->m_nID == m_nCheckedTemperatureUnit);
}

// Single screen closes the floating map window and moves the map pane back
// into this window; double screen opens the floating map window.
void CHalbrookDlg::OnSingleScreen() {
    if (m_bMapWindow)
        return;
    m_mapPane.CloseFloatingMap();
    m_bMapWindow = 1;
    m_nCheckedLayout = IDM_SINGLE_SCREEN;
    m_bMapPane = 0;
    ToggleMapPane();
}

void CHalbrookDlg::OnDoubleScreen() {
    if (!m_bMapWindow)
        return;
    m_mapPane.ShowFloatingMap(this);
    m_nCheckedLayout = IDM_DOUBLE_SCREEN;
    m_bMapWindow = 0;
    m_bMapPane = 1;
    ToggleMapPane();
}

void CHalbrookDlg::ChooseSpeedUnit(int unit) {
    m_nCheckedSpeedUnit = unit == 1 ? IDM_SPEED_MILE : IDM_SPEED_KM;
    SetSpeedUnit(unit);
    g_nSpeedUnit = unit;
    WriteUnit(L"DefaultSpeedUnit", unit);
}

void CHalbrookDlg::ChooseTemperatureUnit(int unit) {
    m_nCheckedTemperatureUnit = unit == 1 ? IDM_TEMPERATURE_F : IDM_TEMPERATURE_C;
    SetTemperatureUnit(unit);
    g_nTemperatureUnit = unit;
    WriteUnit(L"DefaultTemperatureUnit", unit);
}

CString CHalbrookDlg::FormatSliderTime(int percent) const {
    return ::FormatSliderTime(percent);
}

void CHalbrookDlg::OnTooltipNotify(NMHDR* header, LRESULT* result) {
    *result = 0;
    const auto* notify = reinterpret_cast<const ToolTipDisplayNotify*>(header);
    if (notify->info == nullptr || notify->info->toolId != IDC_MAIN_SEEK)
        return;
    notify->info->overrideMask |= TOOLTIP_OVERRIDE_TRANSPARENCY;
    notify->info->transparency = kSliderTipTransparency;
    notify->info->text = FormatSliderTime(m_nSliderPointer.load());
}
