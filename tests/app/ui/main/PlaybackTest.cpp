// Playback control against the scripted player library: the command chains
// of open, replay, stop, close and search, the transport commands, seeks by
// slider and keys, snapshots, the player's errors, and closing the window.
#include <chrono>
#include <thread>

#include "MainWindowFixture.h"
#include "app/controls/PrivateMessage.h"
#include "app/res/ResourceIds.h"
#include "app/shell/AppConfig.h"
#include "app/shell/LibraryBinding.h"
#include "app/ui/main/PlaybackGlobals.h"
#include "app/ui/main/PositionThread.h"
#include "platform/user/FileDialog.h"
#include "shared/TextConvert.h"

namespace maintest {
namespace {

using Lines = std::vector<std::string>;

std::string OpenLine(const std::filesystem::path& data, const std::string& indexExt) {
    std::filesystem::path index = data;
    index.replace_extension(indexExt);
    return "zOpen 0 " + data.string() + " " + index.string();
}

class Playback : public OpenWindowFixture {
protected:
    // True when the window swallowed the key.
    bool Key(UINT vk) {
        MSG msg{};
        msg.hwnd = dlg.GetSafeHwnd();
        msg.message = WM_KEYDOWN;
        msg.wParam = vk;
        const BOOL swallowed = dlg.PreTranslateMessage(&msg);
        Settle();
        return swallowed != FALSE;
    }
    // Three periods of the position thread, each until every thread the
    // step woke sleeps again: the position thread has then looked at the
    // slider and posted what it showed.
    void PassPositionPeriods() {
        for (int i = 0; i < 3; ++i) {
            ASSERT_TRUE(clock->WaitForSleepers(1));
            ASSERT_EQ(clock->DueSleepers(), 0);
            const int asleep = clock->PendingSleepers();
            clock->Advance(kPositionPeriodMs);
            const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(60);
            while (clock->PendingSleepers() < asleep && std::chrono::steady_clock::now() < end)
                std::this_thread::sleep_for(std::chrono::milliseconds(1));
            ASSERT_GE(clock->PendingSleepers(), asleep);
            Pump();
        }
    }
    void Pause() {
        Post(UM_PLAYBAR_PLAY);
        fake->ClearLog();
    }
};

TEST_F(Playback, OpeningWhileIdleOpensThePairAndPlays) {
    const auto data = MakeRecording("first.dvr", ".inx");
    OpenFile(data);
    EXPECT_EQ(Calls(), (Lines{OpenLine(data, ".inx"), "zPlayMSG 1 0"}));
    EXPECT_EQ(dlg.GetPlayState(), PLAY_PLAYING);
    EXPECT_EQ(Status(), L"Playing");
    CString title;
    dlg.GetWindowText(title);
    EXPECT_EQ(std::wstring(title.GetString()), L"Marlowin - " + data.wstring());
    EXPECT_TRUE(dlg.IsPlaying());
}

TEST_F(Playback, OpeningWhilePlayingStopsClosesThenOpens) {
    StartPlaying();
    const auto second = MakeRecording("second.dvr", ".inx");
    OpenFile(second);
    EXPECT_EQ(Calls(),
              (Lines{"zPlayMSG 8 0", "zPlayMSG 0 0", OpenLine(second, ".inx"), "zPlayMSG 1 0"}));
    EXPECT_EQ(fake->Lost(), 0);
    EXPECT_EQ(dlg.GetPlayState(), PLAY_PLAYING);
}

TEST_F(Playback, ARefusedStopStillClosesWhenTheUserAskedForIt) {
    StartPlaying();
    fake->Script(PLAY_CMD_STOP, MSG_STOP_REFUSED);
    const auto second = MakeRecording("second.dvr", ".inx");
    OpenFile(second);
    EXPECT_EQ(Calls(),
              (Lines{"zPlayMSG 8 0", "zPlayMSG 0 0", OpenLine(second, ".inx"), "zPlayMSG 1 0"}));
}

TEST_F(Playback, ACancelledFileDialogLeavesTheNextStopAStop) {
    StartPlaying();
    SetFileDialogHook([](const FileDialogRequest&) {
        FileDialogAnswer answer;
        answer.action = FileDialogAnswer::Cancel;
        return answer;
    });
    Command(IDC_MAIN_OPEN_FILE);
    EXPECT_TRUE(Calls().empty());
    EXPECT_FALSE(g_bUserStop);
    Post(UM_PLAYBAR_STOP);
    EXPECT_EQ(Calls(), (Lines{"zPlayMSG 8 0"}));
    EXPECT_EQ(dlg.GetPlayState(), PLAY_OPENED);
    EXPECT_EQ(Status(), L"Opened");
    EXPECT_FALSE(dlg.IsPlaying());
}

TEST_F(Playback, TheFileDialogOffersBothCasesOfTheExtension) {
    std::vector<FileFilter> filters;
    SetFileDialogHook([&](const FileDialogRequest& request) {
        filters = request.filters;
        FileDialogAnswer answer;
        answer.action = FileDialogAnswer::Cancel;
        return answer;
    });
    Command(IDC_MAIN_OPEN_FILE);
    ASSERT_EQ(filters.size(), 2u);
    EXPECT_EQ(filters[0].patterns, L"*.dvr;*.DVR");
}

TEST_F(Playback, RecordingNamesAreChecked) {
    struct Case {
        std::string name;
        std::string index;
        std::wstring box;  // empty: it opens
    } cases[] = {
        {"noextension", ".inx", L"error1"}, {"mixed.Dvr", ".inx", L"error2"},
        {"missing.dvr", "", L"Error3"},     {"upper.DVR", ".INX", L""},
        {"lower.dvr", ".inx", L""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const auto data = MakeRecording(c.name, c.index);
        fake->ClearLog();
        const size_t boxesBefore = Boxes().size();
        dlg.OpenRecording(data.wstring().c_str());
        Settle();
        if (c.box.empty()) {
            EXPECT_EQ(Calls(), (Lines{OpenLine(data, c.index), "zPlayMSG 1 0"}));
            Command(IDM_CLOSE);
        } else {
            ASSERT_EQ(Boxes().size(), boxesBefore + 1);
            EXPECT_EQ(Boxes().back(), c.box);
            EXPECT_TRUE(Calls().empty());
        }
    }
}

TEST_F(Playback, AFailedOpenChangesNothing) {
    fake->openResult = false;
    OpenFile(MakeRecording("bad.dvr", ".inx"));
    EXPECT_EQ(Calls().size(), 1u);
    EXPECT_EQ(dlg.GetPlayState(), PLAY_IDLE);
}

TEST_F(Playback, TheEndOfPlaybackStopsAndWithAutoReplayPlaysAgain) {
    g_nAutoReplay = 1;
    StartPlaying();
    fake->Fire(MSG_PLAY_END);
    Settle();
    EXPECT_EQ(Calls(), (Lines{"zPlayMSG 8 0", "zPlayMSG 1 0"}));
    EXPECT_EQ(dlg.GetPlayState(), PLAY_PLAYING);
    g_nAutoReplay = 0;
}

TEST_F(Playback, AUserCloseWinsOverAPendingAutoReplay) {
    g_nAutoReplay = 1;
    StartPlaying();
    fake->Script(PLAY_CMD_STOP, -1);  // the end's stop is still running...
    fake->Fire(MSG_PLAY_END);
    Settle();
    Command(IDM_CLOSE);  // ...when the user closes: this stop is lost in the slot
    ASSERT_TRUE(fake->Answer(MSG_STOP_DONE));
    Settle();
    EXPECT_EQ(Calls(), (Lines{"zPlayMSG 8 0", "zPlayMSG 8 0", "zPlayMSG 0 0"}));
    EXPECT_EQ(fake->Lost(), 1);
    EXPECT_EQ(dlg.GetPlayState(), PLAY_IDLE);
    g_nAutoReplay = 0;
}

TEST_F(Playback, CloseStopsThenClosesAndResetsTheWindow) {
    StartPlaying();
    Command(IDM_CLOSE);
    EXPECT_EQ(Calls(), (Lines{"zPlayMSG 8 0", "zPlayMSG 0 0"}));
    EXPECT_EQ(dlg.GetPlayState(), PLAY_IDLE);
    EXPECT_EQ(dlg.m_playBar.m_nPlayState.load(), PLAY_IDLE);
    EXPECT_EQ(Status(), L"Ready");
    CString title;
    dlg.GetWindowText(title);
    EXPECT_EQ(std::wstring(title.GetString()), L"Marlowin");
}

TEST_F(Playback, AFailedCloseSaysSoAndOpensNothing) {
    StartPlaying();
    fake->Script(PLAY_CMD_CLOSE, MSG_CLOSE_FAILED);
    OpenFile(MakeRecording("second.dvr", ".inx"));
    EXPECT_EQ(Calls(), (Lines{"zPlayMSG 8 0", "zPlayMSG 0 0"}));
    EXPECT_EQ(Status(), L"close fail..");
}

TEST_F(Playback, SearchingTheDiskWhilePlayingWaitsForTheClose) {
    StartPlaying();
    Command(IDC_MAIN_SEARCH_HDD);
    EXPECT_EQ(Calls(), (Lines{"zPlayMSG 8 0", "zPlayMSG 0 0", "zOpen 1 - -"}));
    EXPECT_EQ(fake->Lost(), 0);
    EXPECT_EQ(dlg.GetPlayState(), PLAY_OPENED);
    EXPECT_EQ(Status(), L"searching local hdd.");
    fake->FireSource(OPENED_DISK, SOURCE_OPENED);
    Settle();
    EXPECT_EQ(Status(), L"Opened");
}

TEST_F(Playback, CardResultsAreShownAndARemovedCardCloses) {
    Command(IDM_SEARCH_SD);
    EXPECT_EQ(Calls(), (Lines{"zOpen 2 - -"}));
    fake->FireSource(OPENED_CARD, SOURCE_OPEN_FAILED);
    Settle();
    ASSERT_FALSE(Boxes().empty());
    EXPECT_EQ(Boxes().back(), L"open sd fail!");
    fake->ClearLog();
    fake->FireSource(OPENED_CARD, SOURCE_REMOVED);
    Settle();
    EXPECT_EQ(Boxes().back(), L"sd is removed!");
    EXPECT_EQ(Calls(), (Lines{"zPlayMSG 8 0", "zPlayMSG 0 0"}));
}

TEST_F(Playback, PauseResumeAndStepsFollowTheResults) {
    StartPlaying();
    Post(UM_PLAYBAR_PLAY);
    EXPECT_EQ(Calls(), (Lines{"zPlayMSG 2 0"}));
    EXPECT_EQ(dlg.GetPlayState(), PLAY_PAUSED);
    EXPECT_EQ(Status(), L"Pause");
    struct Step {
        UINT message;
        std::string call;
        std::wstring status;
    } steps[] = {{UM_PLAYBAR_STEP_FORWARD, "zPlayMSG 3 0", L"Step Forward"},
                 {UM_PLAYBAR_STEP_BACKWARD, "zPlayMSG 4 0", L"Step Reverse"}};
    for (const Step& step : steps) {
        fake->ClearLog();
        Post(step.message);
        EXPECT_EQ(Calls(), (Lines{step.call}));
        EXPECT_EQ(Status(), step.status);
        EXPECT_EQ(dlg.GetPlayState(), PLAY_PAUSED);
    }
    fake->ClearLog();
    g_nAudioChannel = 1;
    Post(UM_PLAYBAR_PLAY);
    EXPECT_EQ(Calls(), (Lines{"zPlayMSG 1 1"}));
    EXPECT_EQ(dlg.GetPlayState(), PLAY_PLAYING);
    g_nAudioChannel = 0;
}

TEST_F(Playback, TransportDoesNothingWhileIdleOrRefused) {
    Post(UM_PLAYBAR_PLAY);
    Post(UM_PLAYBAR_FAST_FORWARD);
    Post(UM_PLAYBAR_SNAPSHOT);
    EXPECT_TRUE(Calls().empty());
    fake->openedType = OPENED_NETWORK;
    Post(UM_PLAYBAR_STOP);
    EXPECT_TRUE(Calls().empty());
}

// The hidden pause button's message: pausing is the play button's, so it
// sends nothing even while playing, where a pause would act.
TEST_F(Playback, TheHiddenPauseButtonsMessageSendsNothing) {
    StartPlaying();
    Post(UM_PLAYBAR_PAUSE);
    EXPECT_TRUE(Calls().empty());
    EXPECT_EQ(dlg.GetPlayState(), PLAY_PLAYING);
    Post(UM_PLAYBAR_PLAY);
    EXPECT_EQ(Calls(), (Lines{"zPlayMSG 2 0"})) << "the play button pauses";
}

TEST_F(Playback, FastLevelsCycleAndShowTheSpeedOnlyWhenConfirmed) {
    StartPlaying();
    for (int press = 0; press < 8; ++press) {
        fake->ClearLog();
        Post(UM_PLAYBAR_FAST_FORWARD);
        const int level = press % 7 + 1;
        EXPECT_EQ(Calls(), (Lines{"zPlayMSG 5 " + std::to_string(level)}));
        EXPECT_EQ(Status(), L"FF X" + std::to_wstring(1 << level));
    }
    EXPECT_EQ(dlg.GetPlayState(), PLAY_FAST);
    fake->ClearLog();
    fake->Script(PLAY_CMD_FAST_BACKWARD, MSG_FAST_BACKWARD_REFUSED);
    Post(UM_PLAYBAR_FAST_BACKWARD);
    EXPECT_EQ(Calls(), (Lines{"zPlayMSG 6 1"}));
    EXPECT_EQ(Status(), L"FF X2");
    Post(UM_PLAYBAR_FAST_BACKWARD);
    EXPECT_EQ(Status(), L"FB X4");
    EXPECT_EQ(g_nFastForwardLevel.load(), 0);
}

class Seeking : public Playback {
protected:
    void SetUp() override {
        Playback::SetUp();
        // The seek flag is checked here; the telemetry thread would take it.
        dlg.StopTelemetry();
        fake->timeIndex.header = InxHd{0x1738BABE, 1, 201, 0};
        for (uint32_t i = 1; i <= 201; ++i)
            fake->timeIndex.units[i] =
                InxUnit{1700000000u + i - 1, 0, 0x100000000ull + 1000u * (i - 1)};
    }
    void Release(int percent, WPARAM id = IDC_MAIN_SEEK) {
        dlg.m_sliderSeek.SetPos(percent);
        Post(UM_SLIDER_RELEASED, id, percent);
    }
    uint64_t LastSeek() {
        const auto commands = fake->Commands();
        const FakePlayCommand& seek = commands.back();
        EXPECT_EQ(seek.cmd, PLAY_CMD_SEEK);
        return (uint64_t(uint32_t(seek.hi)) << 32) | seek.lo;
    }
};

TEST_F(Seeking, ReleasingTheSliderSeeksToItsIndexEntry) {
    StartPlaying();
    const struct {
        int percent;
        uint64_t position;
    } cases[] = {
        {0, 0x100000000ull}, {50, 0x100000000ull + 100000}, {100, 0x100000000ull + 200000}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.percent);
        fake->ClearLog();
        Release(c.percent);
        EXPECT_EQ(Calls(), (Lines{"zPlayMSG 7 0"}));
        EXPECT_EQ(LastSeek(), c.position);
        EXPECT_TRUE(g_bPositionJumped);
    }
}

TEST_F(Seeking, ASeekWhilePausedPlaysFirstAndSeeksOnThePlayResult) {
    StartPlaying();
    Pause();
    Release(50);
    EXPECT_EQ(Calls(), (Lines{"zPlayMSG 1 0", "zPlayMSG 7 0"}));
    EXPECT_EQ(LastSeek(), 0x100000000ull + 100000);
    EXPECT_FALSE(g_PendingSeek.valid);
    EXPECT_EQ(dlg.GetPlayState(), PLAY_PLAYING);
}

TEST_F(Seeking, AFailedSeekSaysSoAndIsNotSentAgain) {
    StartPlaying();
    Pause();
    fake->Script(PLAY_CMD_SEEK, MSG_SEEK_FAILED);
    Release(50);
    EXPECT_EQ(Calls(), (Lines{"zPlayMSG 1 0", "zPlayMSG 7 0"}));
    EXPECT_EQ(Status(), L"The position could not be reached.");
    EXPECT_FALSE(g_PendingSeek.valid);
    Pause();
    Post(UM_PLAYBAR_PLAY);
    EXPECT_EQ(Calls(), (Lines{"zPlayMSG 1 0"}));
}

TEST_F(Seeking, FewEntriesStepBetweenThemAndAGapWithoutStepEnds) {
    StartPlaying();
    fake->timeIndex.header = InxHd{0x1738BABE, 1, 11, 0};
    struct Case {
        uint64_t second;
        uint64_t expected;
    } cases[] = {
        // 55 % of 10 entries: half way from entry 6 to 7 (1500), in steps of a
        // tenth of the gap, ending below the point.
        {2000, 1400},
        {1000, 1000},  // no gap: the entry itself
        {500, 1000},   // the next entry lies before: the entry itself
    };
    for (const Case& c : cases) {
        fake->timeIndex.units[6] = InxUnit{0, 0, 1000};
        fake->timeIndex.units[7] = InxUnit{0, 0, c.second};
        fake->ClearLog();
        Release(55);
        EXPECT_EQ(LastSeek(), c.expected);
    }
}

TEST_F(Seeking, AWrongSliderOrAMissingIndexSeeksNothing) {
    StartPlaying();
    Release(50, IDC_PLAYBAR_VOLUME);
    EXPECT_TRUE(Calls().empty());
    fake->timeIndex.header.reset();
    Release(50);
    EXPECT_TRUE(Calls().empty());
    EXPECT_EQ(dlg.m_sliderSeek.GetPos(), 0);
}

TEST_F(Seeking, TheFindDialogsPositionSeeksWithinTheSource) {
    StartPlaying();
    fake->totalLength = 5000;
    dlg.SendMessage(UM_SEEK_TO_POSITION, 0, LPARAM(L"4000"));
    dlg.SendMessage(UM_SEEK_TO_POSITION, 0, LPARAM(L"5000"));
    dlg.SendMessage(UM_SEEK_TO_POSITION, 0, LPARAM(L"-1"));
    Settle();
    EXPECT_EQ(Calls(), (Lines{"zPlayMSG 7 0"}));
    EXPECT_EQ(LastSeek(), 4000u);
}

TEST_F(Playback, KeysActByThePlayState) {
    Key(VK_SPACE);  // left to the dialog
    EXPECT_TRUE(Key(VK_LEFT));
    EXPECT_TRUE(Calls().empty());
    StartPlaying();
    struct Case {
        UINT key;
        bool swallowed;
        Lines calls;
    } playing[] = {
        {'3', true, {"zSetFullScreen 3"}},
        {0x62 /* numpad 2 */, true, {"zSetFullScreen 2"}},
        {0x6B /* numpad + */, true, {"zPlayMSG 11 2"}},
        {0x6D /* numpad - */, true, {"zPlayMSG 11 1"}},
        {0x6E /* numpad . */, true, {"zSetAudioType 1"}},
        {VK_RETURN, true, {}},
    };
    for (const Case& c : playing) {
        SCOPED_TRACE(c.key);
        fake->ClearLog();
        EXPECT_EQ(Key(c.key), c.swallowed);
        EXPECT_EQ(Calls(), c.calls);
    }
    g_nAudioChannel = 0;
    fake->fullScreenIdx = 3;
    fake->ClearLog();
    Key('3');
    EXPECT_EQ(Calls(), (Lines{"zSetFullScreen 0"}));
    fake->ClearLog();
    Key(VK_RIGHT);
    EXPECT_EQ(Calls(), (Lines{"zPlayMSG 5 1"}));
    Command(IDM_CLOSE);
    Pump();
}

TEST_F(Playback, KeysWhilePausedStepAndJumpsAreRefused) {
    StartPlaying();
    Pause();
    EXPECT_TRUE(Key(VK_LEFT));
    EXPECT_TRUE(Key(VK_RIGHT));
    EXPECT_TRUE(Key(0x6D));
    EXPECT_EQ(Calls(), (Lines{"zPlayMSG 4 0", "zPlayMSG 3 0"}));
}

TEST_F(Playback, ASnapshotCapturesTheVideoRectangleIntoThePictureFolder) {
    StartPlaying();
    Pause();
    // Set last: settling moves the fake clock on for as long as the player
    // takes, which a loaded machine makes seconds.
    clock->SetUnixTime(1700000000);
    Post(UM_PLAYBAR_SNAPSHOT);
    const auto commands = fake->Commands();
    ASSERT_EQ(commands.size(), 1u);
    const FakePlayCommand& capture = commands[0];
    EXPECT_EQ(capture.cmd, PLAY_CMD_CAPTURE);
    const CRect video = Video();
    EXPECT_TRUE(EqualRect(&capture.rect, &video));
    EXPECT_EQ(capture.a, reinterpret_cast<intptr_t>(g_pSnapshotRect.get()));
    EXPECT_EQ(capture.lo, 0u);
    time_t t = 1700000000;
    std::tm local{};
    localtime_r(&t, &local);
    char name[64];
    std::snprintf(name, sizeof name, "CAR-7_%04d%02d%02d_%02d%02d_%02d.jpg", local.tm_year + 1900,
                  local.tm_mon + 1, local.tm_mday, local.tm_hour, local.tm_min, local.tm_sec);
    EXPECT_EQ(capture.text, (folder / name).string());
    EXPECT_EQ(Boxes().back(), L"Picture saved to " + Utf8ToWideString(capture.text))
        << "the text, then where the picture went";
    fake->carIdKnown = false;
    fake->Script(PLAY_CMD_CAPTURE, MSG_CAPTURE_FAILED);
    Post(UM_PLAYBAR_SNAPSHOT);
    EXPECT_NE(fake->Commands().back().text.find("/unknow_"), std::string::npos);
    EXPECT_EQ(Boxes().back(), L"Capture picture fail!");
}

TEST_F(Playback, ASecondSnapshotWaitsForTheFirstResult) {
    StartPlaying();
    Pause();
    fake->Script(PLAY_CMD_CAPTURE, -1);
    Post(UM_PLAYBAR_SNAPSHOT);
    Post(UM_PLAYBAR_SNAPSHOT);
    EXPECT_EQ(Calls(), (Lines{"zPlayMSG 9 " + std::to_string(intptr_t(g_pSnapshotRect.get()))}));
    ASSERT_TRUE(fake->Answer(MSG_CAPTURE_DONE));
    Settle();
    fake->ClearLog();
    Post(UM_PLAYBAR_SNAPSHOT);
    EXPECT_EQ(Calls().size(), 1u);
}

TEST_F(Playback, SplitCyclesThroughTheGroups) {
    struct Case {
        int screens;
        Lines modes;
    } cases[] = {{16,
                  {"zSetDivStatus 1", "zSetDivStatus 2", "zSetDivStatus 3", "zSetDivStatus 4",
                   "zSetDivStatus 7"}},
                 {12, {"zSetDivStatus 1", "zSetDivStatus 2", "zSetDivStatus 3", "zSetDivStatus 6"}},
                 {8, {"zSetDivStatus 1", "zSetDivStatus 2", "zSetDivStatus 5"}}};
    for (const Case& c : cases) {
        fake->screenNum = c.screens;
        g_nSplitGroup = 0;
        fake->ClearLog();
        for (size_t i = 0; i < c.modes.size(); ++i)
            Post(UM_PLAYBAR_SPLIT);
        EXPECT_EQ(Calls(), c.modes);
    }
    fake->fullScreenIdx = 2;
    fake->ClearLog();
    Post(UM_PLAYBAR_SPLIT);
    EXPECT_EQ(Calls(), (Lines{"zSetDivStatus 5", "zSetFullScreen 0"}));
}

TEST_F(Playback, TheVolumeSliderSetsAndShowsThePlayersVolume) {
    Post(UM_VOLUME_CHANGED, IDC_PLAYBAR_VOLUME, 40);
    Post(UM_VOLUME_CHANGED, IDC_MAIN_SEEK, 70);
    EXPECT_EQ(Calls(), (Lines{"zSetVoiceVolume 40"}));
    EXPECT_EQ(dlg.m_playBar.m_sliderVolume.GetPos(), 40);
}

TEST_F(Playback, TheIndexErrorsAreShown) {
    fake->FireError(ERR_INDEX_OPEN_FAILED);
    fake->FireError(ERR_INDEX_UNREADABLE);
    fake->FireError(ERR_SEEK_TYPE);
    Settle();
    ASSERT_EQ(Boxes().size(), 2u);
    EXPECT_EQ(Boxes()[1], L"Index file damage");
}

TEST_F(Playback, ThePositionThreadMovesTheSliderUnlessItIsHeld) {
    fake->position = 50;
    fake->totalLength = 200;
    PassPositionPeriods();
    EXPECT_EQ(dlg.m_sliderSeek.GetPos(), 25);
    g_bSliderDragging = true;
    fake->position = 150;
    PassPositionPeriods();
    EXPECT_EQ(dlg.m_sliderSeek.GetPos(), 25);
    g_bSliderDragging = false;
    PassPositionPeriods();
    EXPECT_EQ(dlg.m_sliderSeek.GetPos(), 75);
    g_bSliderDragging = false;
}

TEST_F(Playback, ThePlayerGetsTheVideoPaneAndTheDataAndExportCallbacks) {
    EXPECT_EQ(fake->window, dlg.m_stVideo.GetSafeHwnd());
    EXPECT_FALSE(fake->dataCallbackNull);
    EXPECT_FALSE(fake->extractCallbackNull);
}

TEST_F(Playback, ClosingStopsTheExportAndPlaybackThenReleasesThePlayer) {
    StartPlaying();
    dlg.SetExportStopper([] { Call_zStopExtract(); });
    Close();
    EXPECT_EQ(Calls(), (Lines{"zStopExtract", "zPlayMSG 8 1", "zRelease"}));
    EXPECT_EQ(g_hPositionThread, nullptr);
    EXPECT_FALSE(g_bPositionThreadRun);
}

TEST_F(Playback, ClosingDoesNotWaitForeverForALostStop) {
    StartPlaying();
    fake->Script(PLAY_CMD_STOP, -1);
    CloseWithClockRunning();
    EXPECT_EQ(Calls(), (Lines{"zPlayMSG 8 1", "zRelease"}));
}

}  // namespace
}  // namespace maintest

namespace maintest {
namespace {

class StartUp : public MainWindowFixture {};

TEST_F(StartUp, AMissingPlayerLibraryEndsTheWindowWithItsMessage) {
    dlg.SetLibraryFiles(L"NoSuchPlayer.dll", L"FakeOskulo.dll");
    g_nMapOff = 0;
    dlg.m_mapPane.SetConnectionCheck([] { return false; });  // would retry for good
    dlg.DoModal();
    EXPECT_EQ(Boxes(),
              (std::vector<std::wstring>{L"InitTrevaneLib Fail, Please check and try again !"}));
    EXPECT_EQ(g_hPositionThread, nullptr);
    EXPECT_FALSE(dlg.m_mapPane.ConnectionTestsRunning()) << "nothing starts after the failure";
    EXPECT_EQ(dlg.GetSafeHwnd(), nullptr);
}

}  // namespace
}  // namespace maintest
