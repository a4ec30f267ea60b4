// The main window's tool dialogs against the scripted player library: the
// commands open their dialogs, the index rebuild's command chain through the
// main window, the export stop at close, and a language change in the
// settings relabelling the main window.
#include "MainWindowFixture.h"
#include "app/controls/PrivateMessage.h"
#include "app/res/ResourceIds.h"
#include "app/shell/AppConfig.h"
#include "app/shell/LanguageTexts.h"
#include "app/shell/LibraryBinding.h"
#include "app/ui/export/ExtractRun.h"
#include "app/ui/find/EventTypeNames.h"
#include "app/ui/main/PlaybackGlobals.h"
#include "platform/base/Module.h"
#include "platform/user/Focus.h"
#include "platform/user/Menus.h"
#include "shared/TextConvert.h"

#include <chrono>
#include <thread>

namespace maintest {
namespace {

using Lines = std::vector<std::string>;

class Dialogs : public OpenWindowFixture {
protected:
    void SetUp() override {
        std::wcsncpy(g_szCaptureDir, folder.wstring().c_str(), kConfigPathSize - 1);
        std::wcscpy(savedProgramDir_, g_szProgramDir);
        savedLangFile_ = g_strLangFile;
        OpenWindowFixture::SetUp();
    }
    // A language chosen in the settings stays in the process: the next test,
    // or the next repeat of this one, starts from the language it found.
    void TearDown() override {
        g_strLangFile = savedLangFile_;
        std::wcscpy(g_szProgramDir, savedProgramDir_);
        SetDefaultLanguageTexts();
    }

    // Runs `command`, whose modal dialog then runs `script` from its loop.
    void RunModal(UINT command, std::function<void()> script) {
        dlg.onScript = std::move(script);
        dlg.PostMessage(CTestMainDlg::kScriptMessage);
        Command(command);
        dlg.onScript = nullptr;
    }
    void Click(CWnd& dialog, int id) {
        ::SendMessage(::GetDlgItem(dialog, id), BM_CLICK, 0, 0);
        Pump();
    }
    // A time index of three entries a minute apart, for the export dialog.
    void GiveTimeIndex() {
        fake->timeIndex.header = InxHd{0, 1, 3, 0};
        for (int i = 1; i <= 3; ++i) {
            InxUnit unit{};
            unit.time = 1700000000u + 60u * unsigned(i);
            unit.offset = 1000ull * unsigned(i);
            fake->timeIndex.units[i] = unit;
        }
        fake->openedType = OPENED_FILE_PAIR;
    }
    static CWnd* ActiveDialog() { return CWnd::FromHandle(::GetActiveWindow()); }
    static std::wstring TextOf(CWnd& dialog, int id) {
        CString text;
        dialog.GetDlgItemText(id, text);
        return text.GetString();
    }

private:
    wchar_t savedProgramDir_[kConfigPathSize] = {};
    CString savedLangFile_;
};

TEST_F(Dialogs, TheSettingsButtonAndCommandRunTheSettingsDialog) {
    for (const UINT command : {UINT(IDC_MAIN_OTHER_SETTING), IDM_OTHER_SETTING}) {
        std::wstring label;
        RunModal(command, [&] {
            CWnd* settings = ActiveDialog();
            ASSERT_NE(settings, nullptr);
            label = TextOf(*settings, IDC_SETTINGS_LANGUAGE_LABEL);
            Click(*settings, IDC_SETTINGS_EXIT);
        });
        EXPECT_EQ(label, std::wstring(IDC_STATIC_LANGUAGE.GetString())) << command;
    }
}

TEST_F(Dialogs, ALanguageChosenInTheSettingsRelabelsTheMainWindowAtOnce) {
    std::wcsncpy(g_szProgramDir, Utf8ToWideString(ProgramDirectory()).c_str(), kConfigPathSize - 1);
    RunModal(IDM_OTHER_SETTING, [&] {
        CWnd* settings = ActiveDialog();
        ASSERT_NE(settings, nullptr);
        auto* combo = static_cast<CComboBox*>(settings->GetDlgItem(IDC_SETTINGS_LANGUAGE));
        ASSERT_GE(combo->SelectString(-1, L"\u7b80\u4f53\u4e2d\u6587"), 0);
        Click(*settings, IDC_SETTINGS_OK);
    });
    EXPECT_EQ(std::wstring(g_strLangFile.GetString()), L"Chinese.lang");
    HMENU file = GetSubMenu(dlg.m_menu, 0);
    wchar_t item[64] = {};
    GetMenuStringW(file, 0, item, 64, MF_BYPOSITION);
    EXPECT_EQ(std::wstring(item), L"\u6253\u5f00\u6587\u4ef6");
    EXPECT_EQ(std::wstring(g_szEventTypeNames[1]), std::wstring(IDS_EVENT_TYPE_1.GetString()));
}

TEST_F(Dialogs, AboutShowsTheVersionsOfProgramAndLibraries) {
    std::wstring version;
    RunModal(IDM_ABOUT, [&] {
        CWnd* about = ActiveDialog();
        ASSERT_NE(about, nullptr);
        version = TextOf(*about, IDC_ABOUT_VERSION);
        about->SendMessage(WM_CLOSE);
    });
    EXPECT_NE(version.find(L"Marlowin.exe V1.14"), std::wstring::npos) << version;
    EXPECT_NE(version.find(L"Trevane.dll version"), std::wstring::npos) << version;
}

TEST_F(Dialogs, FindAndPlayIsMadeOnceAndShownWithTheUnits) {
    StartPlaying();
    fake->openedType = OPENED_FILE_PAIR;
    dlg.SetSpeedUnit(1);
    Command(IDM_FIND_AND_PLAY);
    ASSERT_NE(dlg.m_pFindLocateDlg, nullptr);
    CFindLocateDlg* find = dlg.m_pFindLocateDlg.get();
    EXPECT_TRUE(find->IsWindowVisible());
    EXPECT_EQ(find->GetSpeedUnit(), 1);
    EXPECT_EQ(std::wstring(find->GetSpeedUnitText().GetString()),
              std::wstring(dlg.GetSpeedUnitText().GetString()));
    find->ShowWindow(SW_HIDE);
    Command(IDM_FIND_AND_PLAY);
    EXPECT_EQ(dlg.m_pFindLocateDlg.get(), find);
    EXPECT_TRUE(find->IsWindowVisible());
    Close();
    EXPECT_EQ(dlg.m_pFindLocateDlg, nullptr);
}

TEST_F(Dialogs, ExportIsShownOnlyForAnOpenSourceWithATimeIndex) {
    dlg.PostMessage(UM_PLAYBAR_EXPORT);
    Settle();
    EXPECT_FALSE(::IsWindow(dlg.m_dlgExport.m_hWnd));

    StartPlaying();
    fake->openedType = OPENED_FILE_PAIR;
    dlg.PostMessage(UM_PLAYBAR_EXPORT);
    Settle();
    ASSERT_TRUE(::IsWindow(dlg.m_dlgExport.m_hWnd));
    EXPECT_FALSE(dlg.m_dlgExport.IsWindowVisible());
    ASSERT_FALSE(Boxes().empty());
    EXPECT_EQ(Boxes().back(), std::wstring(IDS_STRING294.GetString()));

    GiveTimeIndex();
    dlg.PostMessage(UM_PLAYBAR_EXPORT);
    Settle();
    EXPECT_TRUE(dlg.m_dlgExport.IsWindowVisible());
    EXPECT_TRUE(dlg.m_dlgExport.GetDlgItem(IDC_EXPORT_START)->IsWindowEnabled());
}

// Another recording opened while the export dialog shows: its range is the
// new recording's, from its first entry to its last.
TEST_F(Dialogs, AVisibleIdleExportDialogFollowsANewRecording) {
    StartPlaying();
    GiveTimeIndex();
    dlg.PostMessage(UM_PLAYBAR_EXPORT);
    Settle();
    ASSERT_TRUE(dlg.m_dlgExport.IsWindowVisible());
    const auto endTrack = [&](UINT message) {
        return int(
            ::SendMessage(::GetDlgItem(dlg.m_dlgExport, IDC_EXPORT_END_TRACK), message, 0, 0));
    };
    ASSERT_EQ(endTrack(TBM_GETRANGEMAX), 3);
    fake->timeIndex.header = InxHd{0, 1, 7, 0};
    for (int i = 4; i <= 7; ++i)
        fake->timeIndex.units[i] =
            InxUnit{1700000000u + 60u * unsigned(i), 0, 1000ull * unsigned(i)};
    OpenFile(MakeRecording("longer.dvr", ".inx"));
    EXPECT_EQ(dlg.GetPlayState(), PLAY_PLAYING);
    EXPECT_TRUE(dlg.m_dlgExport.IsWindowVisible());
    EXPECT_EQ(endTrack(TBM_GETRANGEMAX), 7);
    EXPECT_EQ(endTrack(TBM_GETPOS), 7) << "the range ends at the new recording's end";
}

// The find dialog never keeps rows of a recording that is gone: a hidden
// one is emptied when another source opens and when the source closes.
TEST_F(Dialogs, TheFindDialogsRowsGoWithTheirSource) {
    StartPlaying();
    GiveTimeIndex();
    Command(IDM_FIND_AND_PLAY);
    ASSERT_NE(dlg.m_pFindLocateDlg, nullptr);
    CFindLocateDlg& find = *dlg.m_pFindLocateDlg;
    const auto rows = [&] {
        Settle();
        for (int i = 0; i < 500 && find.IsListRunning(); ++i) {  // 5 s at most
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
            Settle();
        }
        return int(::SendMessage(::GetDlgItem(find, IDC_FIND_LIST), LVM_GETITEMCOUNT, 0, 0));
    };
    ASSERT_GT(rows(), 0);
    find.ShowWindow(SW_HIDE);
    OpenFile(MakeRecording("other.dvr", ".inx"));
    EXPECT_EQ(dlg.GetPlayState(), PLAY_PLAYING);
    EXPECT_EQ(rows(), 0) << "no row of the last recording is left to seek by";
    Command(IDM_FIND_AND_PLAY);
    ASSERT_GT(rows(), 0);
    find.ShowWindow(SW_HIDE);
    Command(IDM_CLOSE);
    EXPECT_EQ(dlg.GetPlayState(), PLAY_IDLE);
    EXPECT_EQ(rows(), 0);
}

// A running extraction, begun the way START begins it.
class ExportAtClose : public Dialogs {
protected:
    void StartExport() {
        StartPlaying();
        GiveTimeIndex();
        dlg.PostMessage(UM_PLAYBAR_EXPORT);
        Settle();
        ASSERT_TRUE(dlg.m_dlgExport.IsWindowVisible());
        fake->startExtractResult = 0;
        Click(dlg.m_dlgExport, IDC_EXPORT_START);
        ASSERT_TRUE(g_extractRun.IsActive());
        EXPECT_FALSE(dlg.m_dlgExport.GetDlgItem(IDC_EXPORT_START)->IsWindowEnabled());
        fake->ClearLog();
    }
};

TEST_F(ExportAtClose, ClosingStopsTheExportAndWaitsForItsEndBeforeReleasing) {
    StartExport();
    CloseWithClockRunning();
    EXPECT_FALSE(g_extractRun.IsActive());
    EXPECT_EQ(Calls(), (Lines{"zStopExtract", "zPlayMSG 8 1", "zRelease"}));
}

TEST_F(ExportAtClose, AnExportThatNeverEndsDoesNotKeepTheWindowOpen) {
    StartExport();
    fake->stopExtractAnswers = false;
    CloseWithClockRunning();
    EXPECT_EQ(Calls(), (Lines{"zStopExtract", "zPlayMSG 8 1", "zRelease"}));
    // The run ends for the next test.
    g_extractRun.OnCode(EXTRACT_STOPPED, 0, nullptr, 0, nullptr);
}

// The rebuild dialog run by command 3067, with a script from its loop.
class Rebuild : public Dialogs {
protected:
    CDialogRebuildIndex& Dialog() { return dlg.m_dlgRebuildIndex; }
};

TEST_F(Rebuild, WhilePlayingItStopsClosesOpensTheRebuildAndClosesItAtTheEnd) {
    StartPlaying();
    std::wstring progress, end;
    RunModal(IDM_REBUILD_INDEX_HDD, [&] {
        // START before the close result: the open waits behind the close.
        Click(Dialog(), IDC_REBUILD_START);
        Settle();
        EXPECT_EQ(dlg.GetPlayState(), PLAY_OPENED);
        fake->openedType = OPENED_REBUILD;
        fake->FireSource(OPENED_REBUILD, 5000);
        Settle();
        progress = TextOf(Dialog(), IDC_REBUILD_TEXT);
        fake->FireSource(OPENED_REBUILD, SOURCE_REBUILD_DONE);
        Settle();
        end = TextOf(Dialog(), IDC_REBUILD_TEXT);
        // The player refuses a stop of the rebuild; the close follows anyway.
        fake->Script(PLAY_CMD_STOP, MSG_STOP_REFUSED);
        Click(Dialog(), IDC_REBUILD_CLOSE);
    });
    Settle();
    EXPECT_EQ(Calls(), (Lines{"zPlayMSG 8 0", "zPlayMSG 0 0", "zOpen 5 - -", "zPlayMSG 8 0",
                              "zPlayMSG 0 0"}));
    EXPECT_EQ(fake->Lost(), 0);
    EXPECT_EQ(progress, L"50.00 %");
    EXPECT_EQ(end, std::wstring(IDS_STRING612.GetString()));
    EXPECT_EQ(dlg.GetPlayState(), PLAY_IDLE);
    EXPECT_FALSE(g_bUserStop);
    EXPECT_TRUE(Boxes().empty());
}

TEST_F(Rebuild, CloseBeforeStartWhileIdleSendsNothing) {
    RunModal(IDM_REBUILD_INDEX_HDD, [&] { Click(Dialog(), IDC_REBUILD_CLOSE); });
    EXPECT_TRUE(Calls().empty());
    EXPECT_EQ(dlg.GetPlayState(), PLAY_IDLE);
    EXPECT_EQ(Status(), L"");
}

TEST_F(Rebuild, RequestsWaitingForOneCloseShareItsStop) {
    StartPlaying();
    std::vector<int> order;
    dlg.StopThenOpen([&] { order.push_back(1); });
    dlg.StopThenOpen([&] { order.push_back(2); });
    dlg.StopThenOpen({});
    Settle();
    EXPECT_EQ(Calls(), (Lines{"zPlayMSG 8 0", "zPlayMSG 0 0"}));
    EXPECT_EQ(fake->Lost(), 0);
    EXPECT_EQ(order, (std::vector<int>{1, 2}));
    dlg.StopThenOpen([&] { order.push_back(3); });
    EXPECT_EQ(order, (std::vector<int>{1, 2, 3}));
}

TEST_F(Rebuild, AnOpenAskedForWhileAStopIsUnderWaySendsNoSecondStop) {
    StartPlaying();
    dlg.StopThenOpen({});
    Command(IDC_MAIN_SEARCH_HDD);
    EXPECT_EQ(Calls(), (Lines{"zPlayMSG 8 0", "zPlayMSG 0 0", "zOpen 1 - -"}));
    EXPECT_EQ(fake->Lost(), 0);
}

}  // namespace
}  // namespace maintest
