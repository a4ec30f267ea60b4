// The main window against the player's single command slot: a command sent
// while another runs is lost (the fake does as the real library does), and
// no lost command may leave the window stuck or silent. Also snapshots in
// every play state, the keys after a play-bar click, the play button's
// image, and callbacks that come after the window has gone.
#include <atomic>
#include <chrono>
#include <future>
#include <thread>

#include "MainWindowFixture.h"
#include "app/controls/PrivateMessage.h"
#include "app/res/ResourceIds.h"
#include "app/shell/AppConfig.h"
#include "app/ui/main/PlaybackGlobals.h"
#include "app/ui/main/PlayerCallbacks.h"
#include "app/ui/main/PositionThread.h"
#include "app/ui/main/Snapshot.h"
#include "app/ui/main/WindowPresence.h"
#include "app/ui/telemetry/LatestTelemetry.h"
#include "platform/gdi/Gdi.h"
#include "platform/user/Resources.h"
#include "tests/support/ClockTicker.h"

namespace maintest {
namespace {

using Lines = std::vector<std::string>;

class LostCommands : public OpenWindowFixture {
protected:
    // A key pressed where the keyboard focus is, through the window's loop.
    void KeyAtFocus(UINT vk) {
        ::PostMessage(::GetFocus(), WM_KEYDOWN, vk, 0);
        Settle();
    }
    HWND PlayBarButton(int id) { return ::GetDlgItem(dlg.m_playBar.GetSafeHwnd(), id); }
    void Click(HWND button) {
        ::SendMessage(button, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
        ::SendMessage(button, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
        Settle();
    }
    // A command that runs (and keeps the slot busy) until the test answers.
    void StartRunning(int cmd, UINT message) {
        fake->Script(cmd, -1);
        Post(message);
        ASSERT_TRUE(fake->SlotBusy());
        fake->ClearLog();
    }
    // A snapshot asked for now is captured and its result box shown.
    void ExpectSnapshotSaved() {
        fake->ClearLog();
        const size_t boxes = Boxes().size();
        Post(UM_PLAYBAR_SNAPSHOT);
        ASSERT_EQ(Captures().size(), 1u);
        ASSERT_EQ(Boxes().size(), boxes + 1);
        // The box names the picture after the text (its whole path is checked
        // where the capture is answered with a known file).
        EXPECT_EQ(Boxes().back().rfind(L"Picture saved to /", 0), 0u)
            << std::wstring(Boxes().back());
    }
    std::vector<FakePlayCommand> Captures() {
        std::vector<FakePlayCommand> captures;
        for (const FakePlayCommand& c : fake->Commands())
            if (c.cmd == PLAY_CMD_CAPTURE)
                captures.push_back(c);
        return captures;
    }
};

TEST_F(LostCommands, ASnapshotIsTakenInEveryPlayState) {
    StartPlaying();
    struct Case {
        const char* name;
        std::vector<UINT> reach;  // what brings the state
        int state;
    } cases[] = {{"playing", {}, PLAY_PLAYING},
                 {"fast", {UM_PLAYBAR_FAST_FORWARD}, PLAY_FAST},
                 {"paused", {UM_PLAYBAR_PLAY, UM_PLAYBAR_PLAY}, PLAY_PAUSED}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        for (const UINT message : c.reach)
            Post(message);
        ASSERT_EQ(dlg.GetPlayState(), c.state);
        ExpectSnapshotSaved();
    }
}

TEST_F(LostCommands, ACaptureLostInTheSlotIsGivenUpAtItsBound) {
    StartPlaying();
    StartRunning(PLAY_CMD_PAUSE, UM_PLAYBAR_PLAY);
    Post(UM_PLAYBAR_SNAPSHOT);  // lost: the pause still runs
    EXPECT_EQ(fake->Lost(), 1);
    ASSERT_TRUE(fake->Answer(MSG_PAUSE_DONE));
    Settle();
    fake->ClearLog();
    Post(UM_PLAYBAR_SNAPSHOT);  // within the bound the first may still answer
    EXPECT_TRUE(Captures().empty());
    clock->Advance(kSnapshotAnswerBoundMs);
    ExpectSnapshotSaved();
}

TEST_F(LostCommands, ThePictureIsNamedAfterTheVehicle) {
    StartPlaying();
    struct Case {
        const char* name;
        bool known;
        std::string sourceId;
        std::string frameId;
        std::string prefix;
    } cases[] = {
        {"the source's id", true, "CAR-7", "BUS-9", "/CAR-7_"},
        // A file pair's source has no id of its own: its frames name the vehicle.
        {"the frames' id", true, "", "SAMPLE-01", "/SAMPLE-01_"},
        {"no id anywhere", true, "", "", "/unknow_"},
        {"no source", false, "", "BUS-9", "/unknow_"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        fake->carIdKnown = c.known;
        fake->carId = c.sourceId;
        FakeTelemetry frame;
        frame.vehicleId = c.frameId;
        g_LatestTelemetry.Reset();
        fake->FireData(frame);
        Settle();
        fake->ClearLog();
        Post(UM_PLAYBAR_SNAPSHOT);
        ASSERT_EQ(Captures().size(), 1u);
        EXPECT_NE(Captures()[0].text.find(c.prefix), std::string::npos) << Captures()[0].text;
    }
}

TEST_F(LostCommands, KeysStillWorkAfterASnapshotClickWhilePlaying) {
    StartPlaying();
    ::SetFocus(dlg.GetSafeHwnd());
    Click(PlayBarButton(IDC_PLAYBAR_SNAPSHOT));
    EXPECT_EQ(Captures().size(), 1u);
    EXPECT_EQ(::GetFocus(), dlg.GetSafeHwnd()) << "the focus goes back where it was";
    fake->ClearLog();
    KeyAtFocus(VK_SPACE);
    EXPECT_EQ(Calls(), (Lines{"zPlayMSG 2 0"}));
    EXPECT_EQ(dlg.GetPlayState(), PLAY_PAUSED);
}

TEST_F(LostCommands, KeysReachTheMainWindowFromAFocusedPlayBarButton) {
    StartPlaying();
    struct Case {
        UINT key;
        std::string call;
    } cases[] = {{VK_RIGHT, "zPlayMSG 5 1"}, {VK_LEFT, "zPlayMSG 6 1"}, {VK_SPACE, "zPlayMSG 1 0"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.key);
        ::SetFocus(PlayBarButton(IDC_PLAYBAR_STOP));
        fake->ClearLog();
        KeyAtFocus(c.key);
        EXPECT_EQ(Calls(), (Lines{c.call}));
    }
}

TEST_F(LostCommands, AnOpenAfterAFailedCloseStartsAfresh) {
    StartPlaying();
    fake->Script(PLAY_CMD_CLOSE, MSG_CLOSE_FAILED);
    OpenFile(MakeRecording("second.dvr", ".inx"));
    EXPECT_EQ(Status(), L"close fail..");
    fake->ClearLog();
    const auto third = MakeRecording("third.dvr", ".inx");
    OpenFile(third);
    EXPECT_EQ(Calls(), (Lines{"zPlayMSG 8 0", "zPlayMSG 0 0",
                              "zOpen 0 " + third.string() + " " + (folder / "third.inx").string(),
                              "zPlayMSG 1 0"}));
    EXPECT_EQ(dlg.GetPlayState(), PLAY_PLAYING);
}

TEST_F(LostCommands, AnOpenWhoseStopWasLostAsksAgainAfterTheBound) {
    StartPlaying();
    StartRunning(PLAY_CMD_FAST_FORWARD, UM_PLAYBAR_FAST_FORWARD);
    OpenFile(MakeRecording("second.dvr", ".inx"));  // its stop is lost
    EXPECT_EQ(fake->Lost(), 1);
    ASSERT_TRUE(fake->Answer(MSG_FAST_FORWARD_DONE));
    Settle();
    fake->ClearLog();
    // Within the bound the stop may still answer: no second stop meets it.
    OpenFile(MakeRecording("third.dvr", ".inx"));
    EXPECT_TRUE(Calls().empty());
    clock->Advance(CHalbrookDlg::kPendingOpenBoundMs);
    const auto fourth = MakeRecording("fourth.dvr", ".inx");
    OpenFile(fourth);
    EXPECT_EQ(Calls(), (Lines{"zPlayMSG 8 0", "zPlayMSG 0 0",
                              "zOpen 0 " + fourth.string() + " " + (folder / "fourth.inx").string(),
                              "zPlayMSG 1 0"}));
}

TEST_F(LostCommands, ARebuildWhoseStopWasLostHoldsLaterOpensOnlyToTheBound) {
    StartPlaying();
    StartRunning(PLAY_CMD_FAST_FORWARD, UM_PLAYBAR_FAST_FORWARD);
    bool rebuilt = false;
    dlg.StopThenOpen([&] { rebuilt = true; });  // its stop is lost
    EXPECT_EQ(fake->Lost(), 1);
    ASSERT_TRUE(fake->Answer(MSG_FAST_FORWARD_DONE));
    Settle();
    fake->ClearLog();
    OpenFile(MakeRecording("third.dvr", ".inx"));
    EXPECT_TRUE(Calls().empty()) << "within the bound the rebuild's stop may still answer";
    clock->Advance(CHalbrookDlg::kPendingOpenBoundMs);
    const auto fourth = MakeRecording("fourth.dvr", ".inx");
    OpenFile(fourth);
    EXPECT_EQ(Calls(), (Lines{"zPlayMSG 8 0", "zPlayMSG 0 0",
                              "zOpen 0 " + fourth.string() + " " + (folder / "fourth.inx").string(),
                              "zPlayMSG 1 0"}));
    EXPECT_TRUE(rebuilt) << "the waiting steps ran at the close too";
    EXPECT_FALSE(g_bUserStop);
}

TEST_F(LostCommands, APendingSeekEndsWithItsSourceOrAFailedPlay) {
    for (const int code : {MSG_CLOSE_DONE, MSG_PLAY_FAILED}) {
        SCOPED_TRACE(code);
        g_PendingSeek.Arm(4000);
        fake->Fire(code);
        Settle();
        EXPECT_FALSE(g_PendingSeek.valid);
    }
    OpenFile(MakeRecording("next.dvr", ".inx"));
    EXPECT_EQ(fake->Commands().back().cmd, PLAY_CMD_PLAY) << "no seek goes to the next source";
}

// Pixels of a bitmap, top row first.
std::vector<uint32_t> Pixels(HBITMAP bitmap) {
    BITMAP info{};
    GetObjectW(bitmap, sizeof info, &info);
    std::vector<uint32_t> pixels(size_t(info.bmWidth) * size_t(info.bmHeight));
    BITMAPINFO header{};
    header.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    header.bmiHeader.biWidth = info.bmWidth;
    header.bmiHeader.biHeight = -info.bmHeight;
    header.bmiHeader.biPlanes = 1;
    header.bmiHeader.biBitCount = 32;
    header.bmiHeader.biCompression = BI_RGB;
    HDC dc = CreateCompatibleDC(nullptr);
    GetDIBits(dc, bitmap, 0, UINT(info.bmHeight), pixels.data(), &header, DIB_RGB_COLORS);
    DeleteDC(dc);
    return pixels;
}

std::vector<uint32_t> ResourcePixels(UINT id) {
    HBITMAP bitmap = LoadBitmapW(nullptr, MAKEINTRESOURCEW(int(id)));
    std::vector<uint32_t> pixels = Pixels(bitmap);
    DeleteObject(bitmap);
    return pixels;
}

TEST_F(LostCommands, ThePlayButtonShowsPauseOnlyWhilePlaying) {
    const std::vector<uint32_t> play = ResourcePixels(IDB_PLAY);
    const std::vector<uint32_t> pause = ResourcePixels(IDB_PAUSE);
    ASSERT_NE(play, pause);
    StartPlaying();
    auto& button = static_cast<CSkinButton&>(*dlg.m_playBar.GetDlgItem(IDC_PLAYBAR_PLAY));
    struct Case {
        int code;
        bool pauseImage;
    } cases[] = {{MSG_PLAY_DONE, true}, {MSG_PAUSE_DONE, false},
                 {MSG_PLAY_DONE, true}, {MSG_FAST_FORWARD_DONE, false},
                 {MSG_PLAY_DONE, true}, {MSG_FAST_BACKWARD_DONE, false},
                 {MSG_PLAY_DONE, true}, {MSG_STOP_DONE, false}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.code);
        fake->Fire(c.code);
        Settle();
        EXPECT_EQ(Pixels(button.m_bitmap), c.pauseImage ? pause : play);
    }
}

// Callbacks and the position thread that outlive the window.
TEST(WindowGone, CallbacksFindItGoneAndDoNothing) {
    { CHalbrookDlg window; }
    g_PendingSeek.Arm(4000);
    g_bFramesFlowing = false;
    for (const int code :
         {MSG_PLAY_END, MSG_CLOSE_FAILED, MSG_CLOSE_DONE, MSG_PLAY_DONE, MSG_PAUSE_DONE,
          MSG_STEP_FORWARD_DONE, MSG_FAST_FORWARD_DONE, MSG_SEEK_DONE, MSG_STOP_REFUSED,
          MSG_STOP_DONE, MSG_CAPTURE_DONE, MSG_CLOSE_REFUSED})
        OnPlayerStatus(code, 0);
    for (const int status : {SOURCE_OPEN_FAILED, SOURCE_OPENED, SOURCE_REMOVED})
        OnSourceResult(OPENED_DISK, nullptr, status);
    OnSourceResult(OPENED_REBUILD, nullptr, 50);
    EXPECT_TRUE(g_PendingSeek.valid) << "the close result did nothing";
    EXPECT_FALSE(g_bFramesFlowing) << "the play result did nothing";
    g_PendingSeek.Disarm();

    ScopedFakeClock clock;
    StartPositionThread();
    ASSERT_TRUE(clock->WaitForSleepers(1)) << "the thread looked for the window and sleeps";
    StopPositionThread(1000);
    EXPECT_EQ(g_hPositionThread, nullptr);
}

// The window's presence as callbacks visit it while it is torn down: it
// has arrived, and the clock stands until a test moves it.
class WindowGoneVisits : public testing::Test {
protected:
    WindowGoneVisits() { presence.Arrive(window); }

    ScopedFakeClock clock;
    WindowPresence presence;
    int token = 0;
    CHalbrookDlg* const window = reinterpret_cast<CHalbrookDlg*>(&token);
};

TEST_F(WindowGoneVisits, TheTeardownWaitsForAVisitUnderWay) {
    std::promise<void> entered, leave;
    std::atomic<bool> leaving{false};  // set before the visit ends
    std::thread visitor([&] {
        const WindowPresence::Visit visit(presence);
        EXPECT_EQ(visit.Window(), window);
        entered.set_value();
        leave.get_future().wait_for(std::chrono::seconds(10));
        leaving = true;
    });
    ASSERT_EQ(entered.get_future().wait_for(std::chrono::seconds(10)), std::future_status::ready);
    // The clock stands: only the visit's end lets the teardown go on.
    auto departed = std::async(std::launch::async, [&] {
        const bool ended = presence.Depart(window, 1000);
        return ended && leaving.load();
    });
    leave.set_value();
    ASSERT_EQ(departed.wait_for(std::chrono::seconds(10)), std::future_status::ready);
    EXPECT_TRUE(departed.get()) << "went on once the visit had ended";
    visitor.join();
    const WindowPresence::Visit late(presence);
    EXPECT_FALSE(late);
}

TEST_F(WindowGoneVisits, AVisitThatNeverEndsHoldsTheTeardownOnlyToItsBound) {
    auto visit = std::make_unique<WindowPresence::Visit>(presence);
    const uint64_t start = clock->NowMs();
    uint64_t held = 0;
    {
        ClockTicker ticker(*clock);
        EXPECT_FALSE(presence.Depart(window, 1000));
        held = clock->NowMs() - start;
    }
    EXPECT_GE(held, 1000u) << "held to its bound on the clock";
    visit.reset();
}

}  // namespace
}  // namespace maintest
