// End to end: the main window on a real X server with the real player and
// export libraries opens the bundled sample, plays it in four panes and is
// driven through pause, step, snapshot, fast forward and a slider seek, with
// the screen checked pixel by pixel. Times are real: the player paces itself.
#include "EndToEndFixture.h"
#include "shared/TextConvert.h"

#include <cstdlib>
#include <filesystem>
#include <vector>

#include "app/WindowScreenshot.h"
#include "app/controls/PrivateMessage.h"
#include "app/res/ResourceIds.h"
#include "app/ui/main/PlaybackGlobals.h"

namespace maine2e {
namespace {

// The same picture, give or take the small colour differences a repaint
// of a held frame may bring (scaling of the same frame once more).
bool SamePicture(const std::vector<uint32_t>& a, const std::vector<uint32_t>& b) {
    if (a.size() != b.size())
        return false;
    for (size_t i = 0; i < a.size(); ++i)
        for (int shift : {0, 8, 16})
            if (std::abs(int((a[i] >> shift) & 0xFF) - int((b[i] >> shift) & 0xFF)) > 8)
                return false;
    return true;
}

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
    // The player finishes the GOP it is showing (up to a second) before it
    // holds; from then on the picture stays.
    std::vector<uint32_t> paused = MovingStrip();
    EXPECT_TRUE(WaitFor(
        [&] {
            Run(300);
            const std::vector<uint32_t> now = MovingStrip();
            const bool still = SamePicture(now, paused);
            paused = now;
            return still;
        },
        3000));
    Run(800);
    EXPECT_TRUE(SamePicture(MovingStrip(), paused));
    Post(UM_PLAYBAR_STEP_FORWARD);
    ASSERT_TRUE(WaitForStatus(L"Step Forward"));
    EXPECT_TRUE(WaitFor([&] { return !SamePicture(MovingStrip(), paused); }, 3000));

    // A snapshot while paused writes its picture.
    Post(UM_PLAYBAR_SNAPSHOT);
    fs::path picture;
    EXPECT_TRUE(WaitFor(
        [&] {
            for (const auto& entry : fs::directory_iterator(pictures_)) {
                if (entry.path().extension() == ".jpg")
                    picture = entry.path();
            }
            return !picture.empty() &&
                   BoxShown((L"Picture saved to " + Utf8ToWideString(picture.string())).c_str());
        },
        5000))
        << "the box names the picture";
    EXPECT_GT(fs::file_size(picture), 0u);

    // Fast forward runs the picture and the slider on.
    Post(UM_PLAYBAR_PLAY);
    ASSERT_TRUE(WaitForStatus(L"Playing"));
    Post(UM_PLAYBAR_FAST_FORWARD);
    ASSERT_TRUE(WaitForStatus(L"FF X2"));
    const std::vector<uint32_t> fast = MovingStrip();
    EXPECT_TRUE(WaitFor([&] { return !SamePicture(MovingStrip(), fast); }, 3000));
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
