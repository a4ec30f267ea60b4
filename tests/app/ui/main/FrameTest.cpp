// The main window's own frame: hit-testing at the corner and edge borders,
// the system commands a press starts, double clicks on the video tiles and
// outside them, and the on-screen text while hovering over the video.
#include "MainWindowFixture.h"
#include "app/res/ResourceIds.h"
#include "app/ui/main/FrameGeometry.h"

namespace maintest {
namespace {

using Lines = std::vector<std::string>;

TEST(FrameHitTest, CornersAreTenPixelsAndEdgesThree) {
    const CRect window(100, 100, 900, 700);
    const struct {
        int x, y;
        LRESULT hit;
    } cases[] = {
        {110, 110, HTTOPLEFT},    {111, 110, HTCAPTION},     {110, 111, HTCAPTION},
        {111, 103, HTTOP},        {111, 104, HTCAPTION},     {103, 400, HTLEFT},
        {104, 400, HTCAPTION},    {890, 110, HTTOPRIGHT},    {889, 103, HTTOP},
        {110, 690, HTBOTTOMLEFT}, {890, 690, HTBOTTOMRIGHT}, {897, 400, HTRIGHT},
        {896, 400, HTCAPTION},    {400, 697, HTBOTTOM},      {400, 696, HTCAPTION},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.x << ", " << c.y);
        EXPECT_EQ(FrameHitTest(window, CPoint(c.x, c.y), HTCLIENT), c.hit);
    }
    EXPECT_EQ(FrameHitTest(window, CPoint(400, 400), HTSYSMENU), HTSYSMENU);
}

TEST(FrameHitTest, PressesOnTheFrameSizeOrMove) {
    const struct {
        UINT hit;
        WPARAM command;
    } cases[] = {{UINT(HTLEFT), 0xF001},       {UINT(HTRIGHT), 0xF002},
                 {UINT(HTTOP), 0xF003},        {UINT(HTTOPLEFT), 0xF004},
                 {UINT(HTTOPRIGHT), 0xF005},   {UINT(HTBOTTOM), 0xF006},
                 {UINT(HTBOTTOMLEFT), 0xF007}, {UINT(HTBOTTOMRIGHT), 0xF008},
                 {UINT(HTCAPTION), 0xF014},    {UINT(HTSYSMENU), 0}};
    for (const auto& c : cases)
        EXPECT_EQ(FrameSysCommand(c.hit), c.command) << c.hit;
}

TEST(VideoTiles, TilesAreNumberedRowByRow) {
    const CRect video(0, 0, 400, 300);
    const struct {
        int screens, mode;
        CPoint at;
        int channel;
    } cases[] = {
        {4, 0, {10, 10}, 1},     {4, 0, {390, 290}, 4},  {8, 2, {10, 10}, 5},
        {8, 2, {390, 290}, 8},   {8, 0, {390, 290}, -1}, {8, 0, {10, 290}, 7},
        {12, 0, {390, 10}, 4},   {12, 0, {10, 290}, 9},  {12, 0, {390, 290}, 12},
        {16, 0, {390, 290}, 16}, {16, 0, {110, 80}, 6},  {16, 4, {390, 290}, 16},
        {16, 0, {400, 300}, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message()
                     << c.screens << " mode " << c.mode << " at " << c.at.x << ", " << c.at.y);
        EXPECT_EQ(VideoTileChannel(video, c.at, c.screens, c.mode), c.channel);
    }
}

class Frame : public MainWindowFixture {
protected:
    void SetUp() override { Open(1200, 800); }
    void DoubleClick(CPoint screen) {
        dlg.SendMessage(WM_NCLBUTTONDBLCLK, WPARAM(HTCAPTION), MAKELPARAM(screen.x, screen.y));
        Settle();
    }
    void Hover(CPoint screen) {
        dlg.SendMessage(WM_NCMOUSEMOVE, WPARAM(HTCAPTION), MAKELPARAM(screen.x, screen.y));
        Pump();
    }
};

TEST_F(Frame, BarePointsOfTheWindowDragIt) {
    CRect window;
    dlg.GetWindowRect(&window);
    const CRect video = Video();
    const CPoint overVideo(video.left + 20, video.top + 20);
    EXPECT_EQ(dlg.SendMessage(WM_NCHITTEST, 0, MAKELPARAM(overVideo.x, overVideo.y)), HTCAPTION);
    EXPECT_EQ(dlg.SendMessage(WM_NCHITTEST, 0, MAKELPARAM(window.left + 2, window.top + 300)),
              HTLEFT);
}

TEST_F(Frame, DoubleClickingATileShowsItsChannelAlone) {
    const CRect video = Video();
    const struct {
        int screens;
        int columns, rows;
    } grids[] = {{4, 2, 2}, {8, 3, 3}, {12, 4, 3}, {16, 4, 4}};
    for (const auto& g : grids) {
        SCOPED_TRACE(g.screens);
        fake->screenNum = g.screens;
        const int w = video.Width() / g.columns, h = video.Height() / g.rows;
        fake->ClearLog();
        // The second tile of the last row.
        DoubleClick(CPoint(video.left + w + w / 2, video.top + (g.rows - 1) * h + h / 2));
        const int channel = (g.rows - 1) * g.columns + 2;
        EXPECT_EQ(Calls(), (Lines{"zSetFullScreen " + std::to_string(channel)}));
    }
    fake->screenNum = 8;
    fake->ClearLog();
    DoubleClick(CPoint(video.right - 5, video.bottom - 5));  // the ninth of eight
    EXPECT_TRUE(Calls().empty());
    fake->fullScreenIdx = 3;
    DoubleClick(CPoint(video.left + 5, video.top + 5));
    EXPECT_EQ(Calls(), (Lines{"zSetFullScreen 0"}));
    fake->screenNum = -1;
    fake->ClearLog();
    DoubleClick(CPoint(video.left + 5, video.top + 5));
    EXPECT_TRUE(Calls().empty());
}

TEST_F(Frame, DoubleClickingOutsideTheVideoMaximisesAndRestores) {
    CRect window;
    dlg.GetWindowRect(&window);
    const CPoint bare(window.left + 700, window.top + 40);
    DoubleClick(bare);
    EXPECT_TRUE(dlg.IsZoomed());
    DoubleClick(bare);
    EXPECT_FALSE(dlg.IsZoomed());
    EXPECT_TRUE(Calls().empty());
}

TEST_F(Frame, HoveringOverThePlayingVideoShowsTheOnScreenTextForTenSeconds) {
    const CRect video = Video();
    const CPoint inside(video.left + 50, video.top + 50);
    CRect window;
    dlg.GetWindowRect(&window);
    const CPoint outside(window.left + 700, window.top + 40);
    Hover(inside);  // idle: nothing
    EXPECT_TRUE(Calls().empty());
    StartPlaying();
    Hover(inside);
    Hover(inside);
    EXPECT_EQ(Calls(), (Lines{"zDisplayOsd 1"}));
    fake->ClearLog();
    Hover(outside);
    EXPECT_EQ(Calls(), (Lines{"zDisplayOsd 0"}));
    fake->ClearLog();
    clock->Advance(9999);
    Pump();
    EXPECT_TRUE(Calls().empty());
    clock->Advance(1);
    Pump();
    EXPECT_EQ(Calls(), (Lines{"zDisplayOsd 0"}));
    fake->ClearLog();
    clock->Advance(20000);
    Pump();
    EXPECT_TRUE(Calls().empty());  // the timer ran once
}

TEST_F(Frame, HoveringWhilePausedLeavesTheTextOff) {
    StartPlaying();
    dlg.PostMessage(UM_PLAYBAR_PLAY);
    Settle();
    fake->ClearLog();
    const CRect video = Video();
    Hover(CPoint(video.left + 50, video.top + 50));
    EXPECT_TRUE(Calls().empty());
}

}  // namespace
}  // namespace maintest
