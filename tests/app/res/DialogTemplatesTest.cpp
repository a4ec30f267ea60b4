#include <set>
#include <string>
#include <vector>

#include "ResourceFixture.h"
#include "app/res/ResourceIds.h"
#include "platform/user/User.h"
#include "platform/web/WebBrowser.h"

namespace {

intptr_t QuietProc(HWND, UINT message, WPARAM, LPARAM) {
    return message == WM_INITDIALOG ? FALSE : 0;
}

std::vector<int> Range(int first, int last) {
    std::vector<int> ids;
    for (int id = first; id <= last; ++id)
        ids.push_back(id);
    return ids;
}

std::vector<int> Join(std::vector<std::vector<int>> parts) {
    std::vector<int> all;
    for (const auto& p : parts)
        all.insert(all.end(), p.begin(), p.end());
    return all;
}

struct DialogCase {
    UINT id;
    bool child;         // needs a parent dialog
    int width, height;  // in dialog units
    std::vector<int> controls;
};

std::vector<DialogCase> Cases() {
    return {
        {IDD_MAIN, false, 640, 400,
         Join({{10000, 10002, 10003, 10004, 10005, 10006, 10007, 10008, 10009, 10010, 10011},
               Range(10024, 10029),
               Range(10031, 10037),
               {11052}})},
        {IDD_PLAY_BAR, true, 500, 50, Join({Range(10012, 10023), {10030, 10038}})},
        {IDD_TELEMETRY, true, 460, 142, Join({{11000}, Range(11002, 11014), {11016}})},
        {IDD_MAP_PAGE, true, 0, 0, {12001}},
        {IDD_MAP_WINDOW, false, 0, 0, {12003}},
        {IDD_FIND, false, 0, 0, Join({Range(14002, 14043), Range(14045, 14048)})},
        {IDD_ABOUT, false, 0, 0, {16000, 18054}},
        {IDD_SETTINGS, false, 0, 0, Join({Range(17000, 17010), Range(17019, 17022), {11059}})},
        {IDD_EXPORT, false, 0, 0,
         Join({{19001}, Range(19003, 19051), Range(19053, 19063), {19065}})},
        {IDD_REBUILD_INDEX, false, 0, 0, {18053, 19043, 19044, 19045}},
    };
}

std::set<int> ChildIds(HWND dialog) {
    std::set<int> ids;
    for (HWND c = GetWindow(dialog, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT))
        ids.insert(GetDlgCtrlID(c));
    return ids;
}

class DialogTemplates : public Resources {
protected:
    void SetUp() override { ASSERT_TRUE(RegisterWebBrowserClass()); }
    void TearDown() override {
        for (auto it = made_.rbegin(); it != made_.rend(); ++it)
            DestroyWindow(*it);
    }
    HWND Create(UINT id, HWND parent) {
        HWND dialog = CreateDialogParamW(nullptr, MAKEINTRESOURCEW(static_cast<int>(id)), parent,
                                         QuietProc, 0);
        if (dialog)
            made_.push_back(dialog);
        return dialog;
    }
    std::vector<HWND> made_;
};

}  // namespace

TEST_F(DialogTemplates, EachTemplateBuildsAHiddenDialogWithEveryControl) {
    HWND host = Create(IDD_MAIN, nullptr);
    ASSERT_NE(host, nullptr);
    for (const DialogCase& c : Cases()) {
        SCOPED_TRACE("template " + std::to_string(c.id));
        HWND dialog = Create(c.id, c.child ? host : nullptr);
        ASSERT_NE(dialog, nullptr);
        EXPECT_FALSE(IsWindowVisible(dialog));
        for (int control : c.controls) {
            HWND item = GetDlgItem(dialog, control);
            ASSERT_NE(item, nullptr) << "control " << control;
            EXPECT_EQ(GetDlgCtrlID(item), control);
        }
        EXPECT_EQ(ChildIds(dialog), std::set<int>(c.controls.begin(), c.controls.end()))
            << "the template holds other controls than these";
        if (c.width == 0)
            continue;
        RECT units{0, 0, c.width, c.height}, client{};
        MapDialogRect(dialog, &units);
        GetClientRect(dialog, &client);
        // Creation rounds dialog units to pixels, MapDialogRect truncates.
        EXPECT_NEAR(client.right, units.right, 1);
        EXPECT_NEAR(client.bottom, units.bottom, 1);
    }
}

TEST_F(DialogTemplates, ControlsHaveTheClassesTheWindowsDriveThemAs) {
    HWND main = Create(IDD_MAIN, nullptr);
    HWND find = Create(IDD_FIND, nullptr);
    HWND exportDialog = Create(IDD_EXPORT, nullptr);
    HWND settings = Create(IDD_SETTINGS, nullptr);
    const struct {
        HWND dialog;
        int id;
        const wchar_t* cls;
    } cases[] = {
        {main, IDC_MAIN_MAP_BROWSER, kWebBrowserClass},
        {main, IDC_MAIN_SEEK, L"Button"},
        {main, IDC_MAIN_TOP_BAR, L"Static"},
        {find, IDC_FIND_LIST, L"SysListView32"},
        {find, IDC_FIND_TIME_PICKER, L"SysDateTimePick32"},
        {find, IDC_FIND_SPEED_EDIT, L"Edit"},
        {exportDialog, IDC_EXPORT_START_TRACK, L"msctls_trackbar32"},
        {exportDialog, IDC_EXPORT_PROGRESS, L"msctls_progress32"},
        {exportDialog, IDC_EXPORT_END_PICKER, L"SysDateTimePick32"},
        {settings, IDC_SETTINGS_LANGUAGE, L"ComboBox"},
    };
    for (const auto& c : cases) {
        wchar_t name[64] = {};
        GetClassName(GetDlgItem(c.dialog, c.id), name, 64);
        EXPECT_EQ(std::wstring(name), c.cls) << "control " << c.id;
    }
}

TEST_F(DialogTemplates, TheMainWindowHasCaptionAndBoxesButNoSizingFrame) {
    HWND main = Create(IDD_MAIN, nullptr);
    const LONG style = GetWindowLong(main, GWL_STYLE);
    EXPECT_EQ(style & (WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_MAXIMIZEBOX),
              LONG(WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_MAXIMIZEBOX));
    EXPECT_EQ(style & WS_THICKFRAME, 0);
    wchar_t title[32] = {};
    GetWindowTextW(main, title, 32);
    EXPECT_STREQ(title, L"Marlowin");
    // Skinned buttons and sliders draw themselves.
    for (int id : {IDC_MAIN_OPEN_FILE, IDC_MAIN_SEEK, IDC_MAIN_INFO_PANE})
        EXPECT_EQ(GetWindowLong(GetDlgItem(main, id), GWL_STYLE) & BS_TYPEMASK, LONG(BS_OWNERDRAW));
}

TEST_F(DialogTemplates, ExportChoicesAreSelfTogglingBoxesWithTheirOwnLabels) {
    HWND dialog = Create(IDD_EXPORT, nullptr);
    for (int channel = 0; channel < 16; ++channel) {
        HWND box = GetDlgItem(dialog, IDC_EXPORT_CHANNEL_FIRST + channel);
        EXPECT_EQ(GetWindowLong(box, GWL_STYLE) & BS_TYPEMASK, LONG(BS_AUTOCHECKBOX));
        wchar_t text[32] = {};
        GetDlgItemTextW(dialog, IDC_EXPORT_CHANNEL_LABEL_FIRST + channel, text, 32);
        EXPECT_EQ(std::wstring(text), L"ch" + std::to_wstring(channel + 1) + L" avi file");
    }
    wchar_t text[32] = {};
    GetDlgItemTextW(dialog, IDC_EXPORT_CLOSE, text, 32);
    EXPECT_STREQ(text, L"CLOSE");
}
