// The player as the library builds it (player, display link, channel
// display, renderer) playing the sample recording into a headless host
// window: the four channels appear in their panes, and a capture of the
// video area is written as JPEG.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <filesystem>
#include <mutex>
#include <thread>
#include <vector>

#include "platform/media/Desktop.h"
#include "platform/media/NullWaveDevice.h"
#include "player/api/PlayerDisplayLink.h"
#include "player/render/ChannelDisplay.h"
#include "player/render/PaneLayout.h"
#include "tests/player/render/RenderTestSupport.h"
#include "tests/tools/recgen/TempDir.h"

namespace {

constexpr RECT kClient{10, 10, 330, 250};

std::mutex g_mutex;
std::vector<int> g_messages;
std::vector<int> g_errors;

void OnMessage(int code, int) {
    std::lock_guard lock(g_mutex);
    g_messages.push_back(code);
}
void OnError(int code, DWORD, int) {
    std::lock_guard lock(g_mutex);
    g_errors.push_back(code);
}

int ErrorCount(int code) {
    std::lock_guard lock(g_mutex);
    return int(std::count(g_errors.begin(), g_errors.end(), code));
}

std::atomic<int> g_gops{0};

void OnData(unsigned, const char*, const GpsText*, const int*, float, float, int, const AlarmFlags*,
            int, const TpmsTyre*, int, int, int, int, int, int) {
    ++g_gops;
}

int MessageCount(int code) {
    std::lock_guard lock(g_mutex);
    return int(std::count(g_messages.begin(), g_messages.end(), code));
}

bool Received(int code) {
    std::lock_guard lock(g_mutex);
    return std::find(g_messages.begin(), g_messages.end(), code) != g_messages.end();
}

class PlayerDisplayTest : public ::testing::Test {
protected:
    void SetUp() override {
        {
            std::lock_guard lock(g_mutex);
            g_messages.clear();
            g_errors.clear();
        }
        g_gops = 0;
        link_.Attach(&player_);
        ASSERT_TRUE(
            player_.Init(host_.Handle(), OnMessage, OnData, nullptr, nullptr, nullptr, OnError));
        const std::string base = DVR_SAMPLE_BASE;
        ASSERT_TRUE(
            player_.Open(OPENED_FILE_PAIR, (base + ".dvr").c_str(), (base + ".inx").c_str()));
    }
    void TearDown() override {
        SetDrawingPossible(true);
        player_.PlayMSG(PLAY_CMD_STOP, 1, 0, 0, nullptr);
        ASSERT_TRUE(PumpUntil([] { return Received(MSG_STOP_DONE); }));
        // Only now: a playing thread opens the device for every GOP and
        // reads the variable.
        setenv("DVR_AUDIO", "null", 1);
        player_.PlayMSG(PLAY_CMD_CLOSE, 0, 0, 0, nullptr);
        ASSERT_TRUE(PumpUntil([] { return Received(MSG_CLOSE_DONE); }));
        player_.Release();
    }

    // Serves the window's messages (the display's repaints) while waiting,
    // at most 20 s of real time.
    template <typename Done>
    bool PumpUntil(Done done) {
        const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(20);
        while (!done()) {
            if (std::chrono::steady_clock::now() > end)
                return false;
            PumpMessages();
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        }
        return true;
    }

    bool PanesShowTheirChannels() {
        for (int c = 0; c < 4; ++c) {
            RECT pane{};
            PaneRect(kClient, 4, c, &pane);
            const POINT centre = CentreOf(pane);
            if (!ShowsChannel(host_.PixelAt(centre.x, centre.y), c))
                return false;
        }
        return true;
    }

    TestHostWindow host_{340, 260, kClient};
    CRenderer renderer_;
    CPlayerDisplayLink link_;
    CChannelDisplay display_{renderer_, link_, link_};
    CPlayer player_{display_};
};

TEST_F(PlayerDisplayTest, PlayingTheSampleShowsItsFourChannelsAndCapturesThem) {
    player_.PlayMSG(PLAY_CMD_PLAY, 0, 0, 0, nullptr);
    ASSERT_TRUE(PumpUntil([] { return Received(MSG_PLAY_DONE); }));
    EXPECT_TRUE(PumpUntil([&] { return PanesShowTheirChannels(); }));

    TempDir dir;
    const std::string path = dir.File("shot.jpg");
    RECT area = kClient;
    player_.PlayMSG(PLAY_CMD_CAPTURE, intptr_t(&area), 1000000000u, 0, path.c_str());
    ASSERT_TRUE(
        PumpUntil([] { return Received(MSG_CAPTURE_DONE) || Received(MSG_CAPTURE_FAILED); }));
    EXPECT_TRUE(Received(MSG_CAPTURE_DONE));
    EXPECT_GT(std::filesystem::file_size(path), 1000u);
    EXPECT_FALSE(Received(MSG_FRAME_FAILED));
}

// The sample's u-law tone reaches the (null) audio device as 16-bit PCM.
TEST_F(PlayerDisplayTest, PlayingTheSamplePlaysItsAudio) {
    setenv("DVR_AUDIO", "null", 1);
    TakeNullWavePcm();
    player_.PlayMSG(PLAY_CMD_PLAY, 0, 0, 0, nullptr);
    std::vector<uint8_t> pcm;
    EXPECT_TRUE(PumpUntil([&] {
        const std::vector<uint8_t> more = TakeNullWavePcm();
        pcm.insert(pcm.end(), more.begin(), more.end());
        return pcm.size() >= 8000;
    }));
    int loud = 0;
    for (size_t i = 0; i + 1 < pcm.size(); i += 2)
        loud += std::abs(int16_t(pcm[i] | pcm[i + 1] << 8)) > 1000;
    EXPECT_GT(loud, int(pcm.size() / 8));
}

}  // namespace

namespace {

// A device that will not open is tried again, and reported, for every GOP
// played (the first may still be met in the idle state).
TEST_F(PlayerDisplayTest, AnAudioDeviceThatWillNotOpenIsReportedForEveryGop) {
    setenv("DVR_AUDIO", "fail", 1);
    player_.PlayMSG(PLAY_CMD_PLAY, 0, 0, 0, nullptr);
    ASSERT_TRUE(PumpUntil([] { return g_gops >= 3; }));
    EXPECT_GE(ErrorCount(ERR_AUDIO_OPEN_FAILED), 2);
}

// While another desktop has the input nothing is drawn, and stop still ends
// the playback thread waiting for it.
TEST_F(PlayerDisplayTest, StopEndsAPlaybackWaitingForTheDesktop) {
    SetDrawingPossible(false);
    player_.PlayMSG(PLAY_CMD_PLAY, 0, 0, 0, nullptr);
    ASSERT_TRUE(PumpUntil([] { return Received(MSG_PLAY_DONE); }));
    EXPECT_EQ(g_gops, 0);
    EXPECT_EQ(MessageCount(MSG_FRAME_FAILED), 0);
}

}  // namespace
