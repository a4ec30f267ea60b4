// End to end: the main window on a real X server with the real player and
// export libraries opens the bundled sample, plays it in four panes and is
// driven through pause, step, snapshot, fast forward and a slider seek, with
// the screen checked pixel by pixel. Times are real: the player paces itself.
#include "EndToEndFixture.h"

#include <filesystem>
#include <vector>

#include "app/WindowScreenshot.h"
#include "app/controls/PrivateMessage.h"
#include "app/res/ResourceIds.h"
#include "app/ui/main/PlaybackGlobals.h"

namespace maine2e {
namespace {

TEST_F(EndToEnd, TheSamplePlaysInFourPanesAndFollowsTheTransport) {
    OpenSample();

    // Playing: the four channels in their panes, the slider moving.
    EXPECT_TRUE(WaitFor([&] { return FourChannelsShown(); }, 5000));
    const int startPos = dlg.m_sliderSeek.GetPos();
    EXPECT_TRUE(WaitFor([&] { return dlg.m_sliderSeek.GetPos() >= startPos + 2; }, 5000));
    EXPECT_TRUE(SaveWindowScreenshot(dlg.GetSafeHwnd(), DVR_BUILD_DIR "/marlowin_e2e.png"));

    // Paused, the panes hold still; a step moves them on.
    Post(UM_PLAYBAR_PLAY);
    ASSERT_TRUE(WaitForStatus(L"Pause"));
    Run(600);
    const std::vector<uint32_t> paused = MovingStrip();
    Run(800);
    EXPECT_EQ(MovingStrip(), paused);
    Post(UM_PLAYBAR_STEP_FORWARD);
    ASSERT_TRUE(WaitForStatus(L"Step Forward"));
    EXPECT_TRUE(WaitFor([&] { return MovingStrip() != paused; }, 3000));

    // A snapshot while paused writes its picture.
    Post(UM_PLAYBAR_SNAPSHOT);
    EXPECT_TRUE(WaitFor([&] { return BoxShown(L"Picture saved to"); }, 5000));
    bool jpeg = false;
    for (const auto& entry : fs::directory_iterator(pictures_))
        jpeg = jpeg || (entry.path().extension() == ".jpg" && fs::file_size(entry.path()) > 0);
    EXPECT_TRUE(jpeg);

    // Fast forward runs the picture and the slider on.
    Post(UM_PLAYBAR_PLAY);
    ASSERT_TRUE(WaitForStatus(L"Playing"));
    Post(UM_PLAYBAR_FAST_FORWARD);
    ASSERT_TRUE(WaitForStatus(L"FF X2"));
    const std::vector<uint32_t> fast = MovingStrip();
    EXPECT_TRUE(WaitFor([&] { return MovingStrip() != fast; }, 3000));
    EXPECT_TRUE(FourChannelsShown());

    // A seek by the slider moves playback to the slider's place.
    Post(UM_PLAYBAR_PLAY);
    ASSERT_TRUE(WaitForStatus(L"Playing"));
    const int before = dlg.m_sliderSeek.GetPos();
    g_bSliderDragging = true;
    dlg.m_sliderSeek.SetPos(80);
    dlg.SendMessage(UM_SLIDER_RELEASED, IDC_MAIN_SEEK, 80);
    EXPECT_LT(before, 70);
    EXPECT_TRUE(WaitFor([&] { return dlg.m_sliderSeek.GetPos() >= 78; }, 5000));
    EXPECT_TRUE(WaitFor([&] { return FourChannelsShown(); }, 3000));

    dlg.SendMessage(WM_CLOSE);
}

}  // namespace
}  // namespace maine2e
