#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "tests/player/api/ApiFixture.h"
#include "tools/recgen/GopBuilder.h"
#include "tools/recgen/PairWriter.h"

namespace {

using ExportsTest = ApiFixture;

// Four channels of small GOPs without video content; GOP i has time 7000 + i.
void WriteSmallPair(const std::string& base, int gops, uint32_t channelCountCode = 2) {
    auto writer = recgen::PairWriter::Create(base + ".dvr", base + ".inx");
    ASSERT_NE(writer, nullptr);
    for (int i = 0; i < gops; ++i) {
        recgen::GopBuilder builder({.version = 4,
                                    .channelCountCode = channelCountCode,
                                    .time = 7000 + uint32_t(i),
                                    .sampleRateCode = 2});
        builder.AddFrame({.data = std::vector<uint8_t>(100, 1)});
        ASSERT_TRUE(writer->AddGop(builder.Build()));
    }
    ASSERT_TRUE(writer->Finish());
}

TEST_F(ExportsTest, QueriesWithNoSourceAnswerMinusOneOrFalse) {
    EXPECT_EQ(t_->zTellOpenedType(), -1);
    EXPECT_EQ(t_->zTellStatusType(), STATUS_IDLE);
    EXPECT_EQ(t_->zTellGopVersion(), -1);
    EXPECT_EQ(t_->zTellScreenNum(), -1);
    EXPECT_EQ(t_->zTellSampleRate(), -1);
    EXPECT_EQ(t_->zTellSampleBits(), -1);
    EXPECT_EQ(t_->zTellFullScreenIdx(), -1);
    EXPECT_EQ(t_->zTellDivStatus(), -1);
    EXPECT_EQ(t_->zTellBegTime(), -1);
    EXPECT_EQ(t_->zTellEndTime(), -1);
    EXPECT_EQ(t_->zTellp(), -1LL);
    EXPECT_EQ(t_->zTellTotalLen(), -1LL);
    char carId[16];
    EXPECT_EQ(t_->zTellCarId(carId), -1);
    InxHd header{};
    InxUnit unit{};
    QuickInxHd quickHeader{};
    QuickInxUnit quickUnit{};
    EXPECT_FALSE(t_->zTellTimeInxHd(&header));
    EXPECT_FALSE(t_->zTellTimeInxUnit(1, &unit));
    EXPECT_FALSE(t_->zTellEvtInxHd(&header));
    EXPECT_FALSE(t_->zTellEvtInxUnit(1, &unit));
    EXPECT_FALSE(t_->zTellQuickInxHd(&quickHeader));
    EXPECT_FALSE(t_->zTellQuickInxUnit(1, &quickUnit));
    EXPECT_FALSE(t_->zSetFullScreen(0));
    EXPECT_FALSE(t_->zSetDivStatus(5));
    EXPECT_EQ(t_->zStartExtract(0, 0, 512, 0), -1);
    EXPECT_EQ(t_->zStopExtract(), 0);
    EXPECT_FALSE(t_->zDownload(0, 0, 0, 0));
    EXPECT_TRUE(t_->zGetGPSData(0, 0, 0, 0));
    EXPECT_FALSE(t_->zOpenEx(3, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0));
    EXPECT_EQ(t_->zTellOpenedType(), -1);
}

TEST_F(ExportsTest, CommandsWithNoSourceAreRefusedWithTheirErrors) {
    EXPECT_EQ(Command(PLAY_CMD_CLOSE), MSG_CLOSE_REFUSED);
    EXPECT_EQ(Command(PLAY_CMD_PLAY), MSG_PLAY_FAILED);
    EXPECT_EQ(Command(PLAY_CMD_STOP), MSG_STOP_REFUSED);
    EXPECT_EQ(Errors(), std::vector<ErrorReport>{});
    EXPECT_EQ(Command(PLAY_CMD_PAUSE), MSG_PAUSE_REFUSED);
    EXPECT_EQ(Command(PLAY_CMD_SEEK, 0, 0), MSG_SEEK_FAILED);
    EXPECT_EQ(Command(PLAY_CMD_CAPTURE), MSG_CAPTURE_FAILED);
    EXPECT_EQ(Errors(), (std::vector<ErrorReport>{{ERR_PAUSE_NOT_PLAYING, 0, 0},
                                                  {ERR_SEEK_NO_DATA, 0, 0},
                                                  {ERR_CAPTURE_NO_SOURCE, 0, 0}}));
    EXPECT_TRUE(t_->zPlayMSG(PLAY_CMD_NONE, 0, 0, 0, nullptr));
    EXPECT_EQ(Command(PLAY_CMD_JUMP, 2), MSG_JUMP_STORED);
    EXPECT_EQ(Messages(), (std::vector<int>{MSG_CLOSE_REFUSED, MSG_PLAY_FAILED, MSG_STOP_REFUSED,
                                            MSG_PAUSE_REFUSED, MSG_SEEK_FAILED, MSG_CAPTURE_FAILED,
                                            MSG_JUMP_STORED}));
}

TEST_F(ExportsTest, OpeningAFourChannelPair) {
    const std::string base = dir_.File("small");
    WriteSmallPair(base, 3);
    ASSERT_TRUE(OpenPair(base));
    EXPECT_FALSE(OpenPair(base));  // one source at a time
    EXPECT_EQ(t_->zTellOpenedType(), OPENED_FILE_PAIR);
    EXPECT_EQ(t_->zTellScreenNum(), 4);
    EXPECT_EQ(t_->zTellGopVersion(), 4);
    EXPECT_EQ(t_->zTellSampleRate(), 16000);
    EXPECT_EQ(t_->zTellSampleBits(), 16);
    EXPECT_EQ(t_->zTellBegTime(), 7000);
    EXPECT_EQ(t_->zTellp(), 0);
    EXPECT_GT(t_->zTellTotalLen(), 0);
    char carId[16] = "x";
    EXPECT_EQ(t_->zTellCarId(carId), 0);
    EXPECT_STREQ(carId, "");  // the probe learns no vehicle id
    EXPECT_EQ(t_->zTellCarId(nullptr), -1);
    InxHd header{};
    ASSERT_TRUE(t_->zTellTimeInxHd(&header));
    EXPECT_EQ(header.magic, kInxMagic);
    EXPECT_FALSE(t_->zTellEvtInxHd(&header));
    // Fewer than 8 channels: no division, full screen up to the channel count.
    EXPECT_EQ(t_->zTellDivStatus(), -1);
    EXPECT_FALSE(t_->zSetDivStatus(1));
    EXPECT_EQ(t_->zTellFullScreenIdx(), 0);
    EXPECT_TRUE(t_->zSetFullScreen(4));
    EXPECT_EQ(t_->zTellFullScreenIdx(), 4);
    EXPECT_FALSE(t_->zSetFullScreen(5));
    EXPECT_FALSE(t_->zSetFullScreen(-1));
    EXPECT_EQ(Command(PLAY_CMD_CAPTURE), MSG_CAPTURE_FAILED);  // no pictures are drawn
    EXPECT_EQ(Command(PLAY_CMD_CLOSE), MSG_CLOSE_DONE);
    EXPECT_EQ(t_->zTellOpenedType(), -1);
}

// The division mode follows the channel count; only 8 channels and more
// are divided.
TEST_F(ExportsTest, DivisionModesByChannelCount) {
    struct Case {
        uint32_t code;
        int channels;
        int division;
    };
    for (const Case& c : {Case{1, 1, -1}, Case{3, 8, 5}, Case{4, 12, 6}, Case{5, 16, 7}}) {
        SCOPED_TRACE(std::to_string(c.channels) + " channels");
        const std::string base = dir_.File("div" + std::to_string(c.channels));
        WriteSmallPair(base, 1, c.code);
        ASSERT_TRUE(OpenPair(base));
        EXPECT_EQ(t_->zTellScreenNum(), c.channels);
        EXPECT_EQ(t_->zTellDivStatus(), c.division);
        EXPECT_EQ(t_->zSetDivStatus(2), c.channels >= 8);
        EXPECT_FALSE(t_->zSetDivStatus(0));
        EXPECT_FALSE(t_->zSetDivStatus(8));
        EXPECT_EQ(t_->zTellDivStatus(), c.channels >= 8 ? 2 : -1);
        ASSERT_EQ(Command(PLAY_CMD_CLOSE), MSG_CLOSE_DONE);
    }
}

TEST_F(ExportsTest, CaptureIsRefusedWhileTheChannelCountIsUnknown) {
    const std::string base = dir_.File("unprobed");
    {
        auto writer = recgen::PairWriter::Create(base + ".dvr", base + ".inx");
        recgen::GopBuilder builder({.time = 7000});
        builder.AddFrame({.data = std::vector<uint8_t>(100, 1)});
        ASSERT_TRUE(writer->AddGop(builder.Build(), {.badMagic = true}));
        ASSERT_TRUE(writer->Finish());
    }
    ASSERT_TRUE(OpenPair(base));  // opens, but its probe accepts no GOP
    EXPECT_EQ(t_->zTellScreenNum(), -1);
    EXPECT_EQ(t_->zTellFullScreenIdx(), -1);
    EXPECT_FALSE(t_->zSetFullScreen(0));
    EXPECT_EQ(Command(PLAY_CMD_CAPTURE), MSG_CAPTURE_FAILED);
    EXPECT_EQ(Errors(), (std::vector<ErrorReport>{{ERR_CAPTURE_CHANNELS_UNKNOWN, 0, 0}}));
}

TEST_F(ExportsTest, OpenErrorsCarryTheSystemError) {
    const std::string base = dir_.File("small");
    WriteSmallPair(base, 2);
    std::filesystem::remove(base + ".inx");
    EXPECT_FALSE(OpenPair(base));
    EXPECT_EQ(Errors(), (std::vector<ErrorReport>{{ERR_INDEX_OPEN_FAILED, DWORD(ENOENT), 0}}));
    EXPECT_FALSE(OpenPair(dir_.File("missing")));  // no .dvr: refused without a report
    EXPECT_TRUE(Errors().empty());
    { std::ofstream(base + ".inx", std::ios::binary) << "short"; }
    EXPECT_FALSE(OpenPair(base));
    const std::vector<ErrorReport> errors = Errors();
    ASSERT_EQ(errors.size(), 1u);
    EXPECT_EQ(errors[0].code, ERR_INDEX_UNREADABLE);
}

TEST_F(ExportsTest, OpenExStopsAndClosesAnOpenSourceAndFails) {
    const std::string base = dir_.File("small");
    WriteSmallPair(base, 3);
    ASSERT_TRUE(OpenPair(base));
    ASSERT_EQ(Command(PLAY_CMD_PLAY), MSG_PLAY_DONE);
    EXPECT_FALSE(t_->zOpenEx(3, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0));
    EXPECT_EQ(t_->zTellOpenedType(), OPENED_NONE);
    EXPECT_EQ(t_->zTellStatusType(), STATUS_IDLE);
    EXPECT_EQ(Command(PLAY_CMD_CLOSE), MSG_CLOSE_REFUSED);  // the command thread still answers
}

TEST_F(ExportsTest, EveryVolumeReadsBackAsSet) {
    for (int volume = 0; volume <= 100; ++volume) {
        ASSERT_TRUE(t_->zSetVoiceVolume(volume));
        int back = -1;
        ASSERT_TRUE(t_->zTellVoiceVolume(&back));
        EXPECT_EQ(back, volume);
    }
    EXPECT_FALSE(t_->zSetVoiceVolume(101));
    EXPECT_FALSE(t_->zSetVoiceVolume(-1));
    EXPECT_FALSE(t_->zTellVoiceVolume(nullptr));
}

TEST_F(ExportsTest, VoiceSwitchesSetTheGain) {
    int volume = -1;
    EXPECT_FALSE(t_->zOpenVoice());  // the voice is on after zInit
    ASSERT_TRUE(t_->zTellVoiceVolume(&volume));
    EXPECT_EQ(volume, 75);  // gain 2.0
    EXPECT_TRUE(t_->zCloseVoice());
    ASSERT_TRUE(t_->zTellVoiceVolume(&volume));
    EXPECT_EQ(volume, 0);
    EXPECT_TRUE(t_->zOpenVoice());
}

TEST_F(ExportsTest, TrevaneInfoGivesVersionAndBuildStamp) {
    char version[32], time[32], date[32];
    EXPECT_EQ(t_->TrevaneInfo(version, time, date), 0);
    EXPECT_STREQ(version, "4.8");
    EXPECT_EQ(std::strlen(time), 8u);
    EXPECT_EQ(time[2], ':');
    EXPECT_EQ(std::strlen(date), 11u);
}

TEST_F(ExportsTest, RecordingWriterStartsAndStopsAPair) {
    const std::string base = dir_.File("rec");
    ASSERT_TRUE(t_->zSetRecord(base.c_str(), true));
    ASSERT_TRUE(t_->zSetRecord(base.c_str(), false));
    EXPECT_EQ(ReadWholeFile(base + ".inx").size(), 32u);  // header and end mark
    EXPECT_FALSE(OpenPair(base));                         // no data was recorded: data length 0
}

}  // namespace
