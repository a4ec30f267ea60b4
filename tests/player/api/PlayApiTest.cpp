#include <chrono>
#include <future>
#include <string>
#include <vector>

#include "format/TelemetryLayout.h"
#include "tests/player/api/ApiFixture.h"
#include "tools/recgen/GopBuilder.h"
#include "tools/recgen/PairWriter.h"
#include "tools/recgen/RecordingWriter.h"
#include "tools/recgen/TelemetryTrack.h"

namespace {

using PlayApiTest = ApiFixture;

recgen::RecordingPlan FourGops() {
    recgen::RecordingPlan plan;
    plan.channels = 4;
    plan.gopCount = 4;
    plan.vehicleId = "API-0042";
    return plan;
}

TEST_F(PlayApiTest, PlaysToTheEndWithOneDataCallPerGopCarryingTheGeneratedTelemetry) {
    const recgen::RecordingPlan plan = FourGops();
    const std::string base = dir_.File("play");
    std::string error;
    ASSERT_TRUE(recgen::WriteRecording(plan, base + ".dvr", base + ".inx", &error)) << error;
    ASSERT_TRUE(OpenPair(base));
    ASSERT_EQ(Command(PLAY_CMD_PLAY), MSG_PLAY_DONE);
    ASSERT_TRUE(WaitForMessage(MSG_PLAY_END));
    EXPECT_EQ(Command(PLAY_CMD_STOP), MSG_STOP_DONE);
    EXPECT_EQ(Command(PLAY_CMD_CLOSE), MSG_CLOSE_DONE);
    EXPECT_EQ(Messages(),
              (std::vector<int>{MSG_PLAY_DONE, MSG_PLAY_END, MSG_STOP_DONE, MSG_CLOSE_DONE}));

    const std::vector<DataReport> data = Data();
    ASSERT_EQ(data.size(), size_t(plan.gopCount));
    const recgen::TelemetryTrack track(plan.route, plan.vehicleId);
    const int frames = recgen::FramesPerChannel(plan);
    for (int i = 0; i < plan.gopCount; ++i) {
        SCOPED_TRACE("GOP " + std::to_string(i));
        const recgen::TelemetryBlock block = track.Block(i, frames);
        const DataReport& d = data[size_t(i)];
        EXPECT_EQ(d.time, plan.startTime + uint32_t(i));
        EXPECT_EQ(d.vehicleId, plan.vehicleId);
        EXPECT_EQ(d.latitude, block.gps->at(0).latitude);
        EXPECT_EQ(d.gx, block.gsensor->at(0).x);
        EXPECT_EQ(d.gy, block.gsensor->at(0).y);
        EXPECT_EQ(d.gz, block.gsensor->at(0).z);
        EXPECT_FLOAT_EQ(d.speed, telemetry::TenthsWordValue(block.speed->at(0)));
        EXPECT_FLOAT_EQ(d.voltage, telemetry::TenthsWordValue(block.voltage->at(0)));
        EXPECT_EQ(d.temperature, block.vehicle->at(0).temperature);
        EXPECT_EQ(d.alarmInput1, block.vehicle->at(0).alarmInputs & 1);
        EXPECT_EQ(d.tyreCount, int(block.tyres->tyres.size()));
    }
}

TEST_F(PlayApiTest, PauseStepFastAndSeekThroughTheExports) {
    const std::string base = dir_.File("long");
    {
        auto writer = recgen::PairWriter::Create(base + ".dvr", base + ".inx");
        for (int i = 0; i < 30; ++i) {
            recgen::GopBuilder builder({.time = 9000 + uint32_t(i)});
            builder.AddFrame({.data = std::vector<uint8_t>(100, 1)});
            ASSERT_TRUE(writer->AddGop(builder.Build()));
        }
        ASSERT_TRUE(writer->Finish());
    }
    ASSERT_TRUE(OpenPair(base));
    ASSERT_EQ(Command(PLAY_CMD_PLAY), MSG_PLAY_DONE);
    EXPECT_EQ(Command(PLAY_CMD_PAUSE), MSG_PAUSE_DONE);
    EXPECT_EQ(t_->zTellStatusType(), STATUS_PAUSED);
    EXPECT_EQ(Command(PLAY_CMD_STEP_FORWARD), MSG_STEP_FORWARD_DONE);
    EXPECT_EQ(Command(PLAY_CMD_STEP_BACKWARD), MSG_STEP_BACKWARD_DONE);
    EXPECT_EQ(Command(PLAY_CMD_PLAY), MSG_PLAY_DONE);
    for (int a = 1; a <= 7; ++a) {
        EXPECT_EQ(Command(PLAY_CMD_FAST_FORWARD, a), MSG_FAST_FORWARD_DONE);
        EXPECT_EQ(t_->zTellStatusType(), STATUS_FAST_FORWARD);
        EXPECT_EQ(Command(PLAY_CMD_FAST_BACKWARD, a), MSG_FAST_BACKWARD_DONE);
        EXPECT_EQ(t_->zTellStatusType(), STATUS_FAST_BACKWARD);
    }
    EXPECT_EQ(Command(PLAY_CMD_FAST_FORWARD, 8), MSG_FAST_FORWARD_REFUSED);
    const long long length = t_->zTellTotalLen();
    EXPECT_EQ(Command(PLAY_CMD_SEEK, 0, length / 2), MSG_SEEK_DONE);
    EXPECT_EQ(t_->zTellStatusType(), STATUS_PLAYING);
    EXPECT_EQ(Command(PLAY_CMD_JUMP, 1), MSG_JUMP_STORED);
    EXPECT_EQ(Command(PLAY_CMD_STOP), MSG_STOP_DONE);
    EXPECT_EQ(t_->zTellp(), 0);  // a stop rewinds the source
    EXPECT_EQ(Errors(), (std::vector<ErrorReport>{{ERR_FAST_FORWARD_SPEED, 0, 0}}));
    EXPECT_EQ(Command(PLAY_CMD_CLOSE), MSG_CLOSE_DONE);
}

TEST_F(PlayApiTest, ReleaseWithAPlaybackRunningReturnsWithinItsBound) {
    const recgen::RecordingPlan plan = FourGops();
    const std::string base = dir_.File("play");
    std::string error;
    ASSERT_TRUE(recgen::WriteRecording(plan, base + ".dvr", base + ".inx", &error)) << error;
    ASSERT_TRUE(OpenPair(base));
    ASSERT_EQ(Command(PLAY_CMD_PLAY), MSG_PLAY_DONE);
    auto release = std::async(std::launch::async, [this] { return t_->zRelease(); });
    // Two threads of 500 ms each at most, and the command and end threads.
    ASSERT_EQ(release.wait_for(std::chrono::seconds(10)), std::future_status::ready);
    EXPECT_TRUE(release.get());
    EXPECT_EQ(t_->zTellStatusType(), STATUS_STOPPED);
    // The library can be initialised again, with no source open.
    ASSERT_TRUE(Init());
    EXPECT_EQ(t_->zTellOpenedType(), OPENED_NONE);
}

}  // namespace
