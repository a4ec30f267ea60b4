#include "app/ui/settings/DialogOtherSetting.h"

#include <string>
#include <vector>

#include "app/res/ResourceIds.h"
#include "app/shell/LanguageTexts.h"
#include "platform/user/FolderBrowser.h"
#include "shared/TextConvert.h"
#include "tests/app/ui/settings/DialogFixture.h"

namespace {

using settingstest::DialogFixture;
namespace fs = settingstest::fs;
using fs::path;

// The settings dialog, modeless, over a program directory with two languages.
class SettingsDialog : public DialogFixture {
protected:
    SettingsDialog()
        : dlg(nullptr, [this] {
              ++relabels;
              readyAtRelabel = IDS_STATE_READY.Get().Std();
          }) {
        Write("config/lang/English.lang", "Language=English\nIDS_STATE_READY=Ready\n");
        Write("config/lang/Deutsch.lang", "Language=Deutsch\nIDS_STATE_READY=Bereit\n");
        g_strLangFile = L"English.lang";
        SetGlobal(g_szLogDir, dir_ / "log");
        SetGlobal(g_szJpegDir, dir_ / "pic");
        SetGlobal(g_szCaptureDir, dir_ / "capture");
        g_nAutoReplay = 0;
    }
    ~SettingsDialog() override {
        if (::IsWindow(dlg))
            dlg.DestroyWindow();
    }
    void Open() {
        ASSERT_TRUE(dlg.Create(IDD_SETTINGS));
        Pump();
    }
    static std::wstring Wide(const path& p) { return Utf8ToWideString(p.string()); }
    static void SetGlobal(wchar_t (&global)[kConfigPathSize], const path& p) {
        std::swprintf(global, kConfigPathSize, L"%ls", Wide(p).c_str());
    }
    void SelectLanguage(const wchar_t* displayName) {
        CComboBox* combo = static_cast<CComboBox*>(dlg.GetDlgItem(IDC_SETTINGS_LANGUAGE));
        ASSERT_GE(combo->SelectString(-1, displayName), 0) << displayName;
    }
    void SetFolders(const path& log, const path& pic, const path& capture) {
        dlg.SetDlgItemText(IDC_SETTINGS_LOG_DIR, Wide(log).c_str());
        dlg.SetDlgItemText(IDC_SETTINGS_PICTURE_DIR, Wide(pic).c_str());
        dlg.SetDlgItemText(IDC_SETTINGS_EXPORT_DIR, Wide(capture).c_str());
    }

    int relabels = 0;
    std::wstring readyAtRelabel;  // the main window relabels with the new texts
    CDialogOtherSetting dlg;
};

TEST_F(SettingsDialog, OpensWithTheConfigurationAndTheLanguageTexts) {
    ApplyLanguageLine(L"IDC_STATIC_LOG=Journal");
    ApplyLanguageLine(L"IDC_BTN_APPLY=Anwenden");
    g_nAutoReplay = 1;
    g_strLangFile = L"Deutsch.lang";
    Open();
    EXPECT_EQ(TextOf(dlg, IDC_SETTINGS_LOG_DIR), Wide(dir_ / "log"));
    EXPECT_EQ(TextOf(dlg, IDC_SETTINGS_PICTURE_DIR), Wide(dir_ / "pic"));
    EXPECT_EQ(TextOf(dlg, IDC_SETTINGS_EXPORT_DIR), Wide(dir_ / "capture"));
    EXPECT_EQ(TextOf(dlg, IDC_SETTINGS_LOG_LABEL), L"Journal");
    EXPECT_EQ(TextOf(dlg, IDC_SETTINGS_APPLY), L"Anwenden");
    EXPECT_EQ(TextOf(dlg, IDC_SETTINGS_LANGUAGE_LABEL), L"Language");
    EXPECT_EQ(TextOf(dlg, IDC_SETTINGS_AUTO_REPLAY_LABEL), L"Auto Replay");
    EXPECT_EQ(TextOf(dlg, IDC_SETTINGS_OK), L"Ok");
    EXPECT_EQ(TextOf(dlg, IDC_SETTINGS_EXIT), L"Exit");
    EXPECT_EQ(dlg.IsDlgButtonChecked(IDC_SETTINGS_AUTO_REPLAY), BST_CHECKED);
    EXPECT_EQ(TextOf(dlg, IDC_SETTINGS_LANGUAGE), L"Deutsch") << "the configured language";
}

TEST_F(SettingsDialog, ApplyStoresAndWritesEveryKeyAtOnce) {
    struct Case {
        const char* name;
        const wchar_t* language;  // chosen in the list
        const wchar_t* langFile;  // written and stored
        const wchar_t* ready;     // IDS_STATE_READY afterwards
        int relabels;
    };
    const Case cases[] = {
        // The marker shows that the texts were not loaded again.
        {"the same language", L"English", L"English.lang", L"marker", 0},
        {"another language", L"Deutsch", L"Deutsch.lang", L"Bereit", 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        g_strLangFile = L"English.lang";
        relabels = 0;
        readyAtRelabel.clear();
        fs::remove(g_strIniPath.Std());
        const path log = dir_ / c.name / "new log", pic = dir_ / c.name / "pictures",
                   capture = dir_ / c.name / "exports";
        Open();
        ApplyLanguageLine(L"IDS_STATE_READY=marker");
        SetFolders(log, pic, capture);
        SelectLanguage(c.language);
        dlg.CheckDlgButton(IDC_SETTINGS_AUTO_REPLAY, BST_CHECKED);
        Click(dlg, IDC_SETTINGS_APPLY);

        EXPECT_TRUE(boxes_.empty());
        EXPECT_TRUE(fs::is_directory(log) && fs::is_directory(pic) && fs::is_directory(capture));
        EXPECT_EQ(std::wstring(g_szLogDir), Wide(log));
        EXPECT_EQ(std::wstring(g_szJpegDir), Wide(pic));
        EXPECT_EQ(std::wstring(g_szCaptureDir), Wide(capture));
        EXPECT_EQ(g_nAutoReplay, 1);
        EXPECT_EQ(g_strLangFile, c.langFile);
        EXPECT_STREQ(IDS_STATE_READY, c.ready);
        EXPECT_EQ(relabels, c.relabels);
        EXPECT_EQ(readyAtRelabel, c.relabels > 0 ? L"Bereit" : L"");
        EXPECT_EQ(IniValue(L"MutiLanguage", L"LangFile"), c.langFile);
        EXPECT_EQ(IniValue(L"LogFileSetting", L"DefaultDir"), Wide(log));
        EXPECT_EQ(IniValue(L"JpegCaptureSetting", L"DefaultDir"), Wide(pic));
        EXPECT_EQ(IniValue(L"ScreenCaptureSetting", L"DefaultDir"), Wide(capture));
        EXPECT_EQ(IniValue(L"ScreenCaptureSetting", L"DefaultMAXTimeSpan"), L"");
        EXPECT_EQ(IniValue(L"AutoReplay", L"AutoReplay"), L"1");
        dlg.DestroyWindow();
    }
}

TEST_F(SettingsDialog, AFolderThatCannotBeUsedStopsTheApply) {
    Write("a file", "not a folder");
    const path blocked = dir_ / "a file" / "sub";
    const path tooLong = dir_ / std::string(kConfigPathSize, 'x');
    struct Case {
        const char* name;
        path log, pic, capture;
        const wchar_t* message;
    };
    const Case cases[] = {
        {"log", blocked, dir_ / "p1", dir_ / "c1", L"Can't create the log file default directory!"},
        {"pictures", dir_ / "l2", blocked, dir_ / "c2",
         L"Can't create the jepg file default directory!"},
        {"exports", dir_ / "l3", dir_ / "p3", blocked,
         L"Can't create the screen avi file default directory!"},
        {"a path too long for its setting", dir_ / "l4", tooLong, dir_ / "c4",
         L"Can't create the jepg file default directory!"},
    };
    Open();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        boxes_.clear();
        SetFolders(c.log, c.pic, c.capture);
        SelectLanguage(L"Deutsch");
        dlg.CheckDlgButton(IDC_SETTINGS_AUTO_REPLAY, BST_CHECKED);
        Click(dlg, IDC_SETTINGS_APPLY);
        EXPECT_EQ(boxes_, std::vector<std::wstring>{c.message});
        EXPECT_EQ(std::wstring(g_szLogDir), Wide(dir_ / "log")) << "nothing stored";
        EXPECT_EQ(std::wstring(g_szJpegDir), Wide(dir_ / "pic"));
        EXPECT_EQ(std::wstring(g_szCaptureDir), Wide(dir_ / "capture"));
        EXPECT_EQ(g_strLangFile, L"English.lang");
        EXPECT_EQ(g_nAutoReplay, 0);
        EXPECT_EQ(relabels, 0);
        EXPECT_FALSE(fs::exists(g_strIniPath.Std())) << "nothing written";
    }
    EXPECT_TRUE(fs::is_directory(dir_ / "l3") && fs::is_directory(dir_ / "p3"))
        << "folders made before the failing one stay";
}

TEST_F(SettingsDialog, ASettingsFileThatCannotBeWrittenIsReported) {
    g_strIniPath = CString(Wide(dir_ / "missing folder" / "AppConfig.ini"));
    Open();
    SelectLanguage(L"Deutsch");
    Click(dlg, IDC_SETTINGS_APPLY);
    ASSERT_EQ(boxes_.size(), 1u);
    EXPECT_EQ(boxes_[0], L"Can't save the settings to " + g_strIniPath.Std() + L"!");
    EXPECT_EQ(g_strLangFile, L"Deutsch.lang") << "the settings apply to this run";
}

TEST_F(SettingsDialog, WithNoLanguageFileTheLanguageStays) {
    fs::remove_all(dir_ / "config" / "lang");
    Open();
    EXPECT_EQ(dlg.GetDlgItem(IDC_SETTINGS_LANGUAGE)->SendMessage(CB_GETCOUNT), 0);
    Click(dlg, IDC_SETTINGS_APPLY);
    EXPECT_TRUE(boxes_.empty());
    EXPECT_EQ(g_strLangFile, L"English.lang");
    EXPECT_EQ(relabels, 0);
    EXPECT_EQ(IniValue(L"MutiLanguage", L"LangFile"), L"English.lang");
}

TEST_F(SettingsDialog, OkAppliesAndClosesExitOnlyCloses) {
    struct Case {
        const char* name;
        int button;
        path log;
        const wchar_t* langFile;  // afterwards
    };
    Write("a file", "");
    const Case cases[] = {
        {"OK", IDC_SETTINGS_OK, dir_ / "ok log", L"Deutsch.lang"},
        {"OK after a failed check", IDC_SETTINGS_OK, dir_ / "a file" / "x", L"English.lang"},
        {"Exit", IDC_SETTINGS_EXIT, dir_ / "exit log", L"English.lang"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        g_strLangFile = L"English.lang";
        Open();
        SetFolders(c.log, dir_ / "pic", dir_ / "capture");
        SelectLanguage(L"Deutsch");
        Click(dlg, c.button);
        intptr_t result = 0;
        EXPECT_TRUE(Ended(dlg, &result));
        EXPECT_EQ(result, IDCANCEL);
        EXPECT_EQ(g_strLangFile, c.langFile);
        dlg.DestroyWindow();
    }
}

TEST_F(SettingsDialog, BrowseButtonsPutTheChosenFolderIntoTheirEdit) {
    const path chosen = dir_ / "chosen \u00e9";
    fs::create_directories(chosen);
    std::vector<FolderBrowserRequest> requests;
    bool cancel = false;
    SetFolderBrowserHook([&](const FolderBrowserRequest& r) {
        requests.push_back(r);
        return cancel ? FolderBrowserAnswer{FolderBrowserAnswer::Cancel, L""}
                      : FolderBrowserAnswer{FolderBrowserAnswer::Choose, Wide(chosen)};
    });
    const struct {
        int browse, edit;
    } pairs[] = {{IDC_SETTINGS_LOG_BROWSE, IDC_SETTINGS_LOG_DIR},
                 {IDC_SETTINGS_PICTURE_BROWSE, IDC_SETTINGS_PICTURE_DIR},
                 {IDC_SETTINGS_EXPORT_BROWSE, IDC_SETTINGS_EXPORT_DIR}};
    Open();
    for (const auto& p : pairs) {
        SCOPED_TRACE(p.browse);
        cancel = true;
        const std::wstring before = TextOf(dlg, p.edit);
        Click(dlg, p.browse);
        EXPECT_EQ(TextOf(dlg, p.edit), before) << "cancelled";
        cancel = false;
        Click(dlg, p.browse);
        EXPECT_EQ(TextOf(dlg, p.edit), Wide(chosen));
    }
    ASSERT_EQ(requests.size(), 6u);
    EXPECT_TRUE(requests[0].flags & BIF_EDITBOX);
    EXPECT_TRUE(boxes_.empty());
}

}  // namespace
