// The channels' on-screen labels follow where the pointer rests, not only
// where it moves: playback that starts under a resting pointer, and a layout
// that brings the video under it or takes it away, turn them on or off.
#include "MainWindowFixture.h"
#include "app/res/ResourceIds.h"
#include "platform/user/Input.h"

namespace maintest {
namespace {

using Lines = std::vector<std::string>;

class ChannelLabels : public MainWindowFixture {
protected:
    void SetUp() override { Open(1200, 800); }

    // Real pointer input, as the display delivers it.
    void MovePointer(CPoint screen) {
        InjectMouseMove(screen);
        Pump();
    }
    void ToggleMapPane() {
        dlg.SendMessage(WM_COMMAND, MAKEWPARAM(IDC_MAIN_MAP_PANE, BN_CLICKED),
                        LPARAM(dlg.m_btnMapPane.GetSafeHwnd()));
        Settle();
    }
};

TEST_F(ChannelLabels, PlaybackStartingUnderARestingPointerShowsThem) {
    const CRect video = Video();
    MovePointer(CPoint(video.left + 50, video.top + 50));
    EXPECT_TRUE(Calls().empty()) << "idle: no labels yet";
    OpenFile(MakeRecording("sample.dvr", ".inx"));
    EXPECT_EQ(Status(), L"Playing");
    const Lines calls = Calls();
    EXPECT_NE(std::find(calls.begin(), calls.end(), "zDisplayOsd 1"), calls.end())
        << "the pointer did not move, yet it rests on the playing video";
}

TEST_F(ChannelLabels, PlaybackStartingWithThePointerElsewhereLeavesThemOff) {
    CRect window;
    dlg.GetWindowRect(&window);
    MovePointer(CPoint(window.left + 700, window.top + 40));
    OpenFile(MakeRecording("sample.dvr", ".inx"));
    const Lines calls = Calls();
    EXPECT_EQ(std::find(calls.begin(), calls.end(), "zDisplayOsd 1"), calls.end());
}

TEST_F(ChannelLabels, ALayoutThatMovesTheVideoUnderOrAwayFromTheRestingPointerTurnsThemOnOrOff) {
    StartPlaying();
    // Right of the video beside the map pane; inside it once the map pane is
    // hidden and the video takes the whole width.
    const CRect beside = Video();
    const CPoint rest(beside.right + 100, beside.top + 100);
    MovePointer(rest);
    EXPECT_TRUE(Calls().empty());
    ToggleMapPane();
    ASSERT_TRUE(Video().PtInRect(rest));
    EXPECT_EQ(Calls(), (Lines{"zDisplayOsd 1"}));
    fake->ClearLog();
    ToggleMapPane();
    EXPECT_EQ(Calls(), (Lines{"zDisplayOsd 0"}));
}

}  // namespace
}  // namespace maintest
