#include "export/avi/AviWriter.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <vector>

#include "tests/export/support/AviReader.h"
#include "tests/tools/recgen/TempDir.h"

namespace {

constexpr int kW = 352, kH = 288, kFps = 25, kRate = 8000;

std::vector<uint8_t> Solid(int w, int h, uint8_t y, uint8_t second, uint8_t third) {
    std::vector<uint8_t> p(std::size_t(w * h * 3 / 2));
    std::fill_n(p.begin(), w * h, y);
    std::fill_n(p.begin() + w * h, w * h / 4, second);
    std::fill_n(p.begin() + w * h * 5 / 4, w * h / 4, third);
    return p;
}

// `bytes` of a 16-bit mono ramp.
std::vector<uint8_t> Pcm(int bytes) {
    std::vector<uint8_t> pcm(static_cast<std::size_t>(bytes));
    for (int i = 0; i + 1 < bytes; i += 2) {
        const int16_t s = int16_t((i * 37) % 16000 - 8000);
        pcm[std::size_t(i)] = uint8_t(s & 0xFF);
        pcm[std::size_t(i + 1)] = uint8_t(uint16_t(s) >> 8);
    }
    return pcm;
}

class AviWriterTest : public testing::Test {
protected:
    std::string File() const { return dir_.File("w.avi"); }

    // Writes `seconds` x kFps frames of a dark picture, each with one
    // frame's share of audio of `chunk` bytes.
    void WriteSeconds(oskulo::CAviWriter& w, int seconds, int chunk) {
        const std::vector<uint8_t> audio = Pcm(chunk);
        for (int i = 0; i < seconds * kFps; ++i) {
            std::vector<uint8_t> p = Solid(kW, kH, 60, 110, 150);
            ASSERT_EQ(w.WriteFrame(audio.data(), chunk, kFps, p.data(), int(p.size()), kW, kH, 4),
                      0);
        }
    }

    TempDir dir_;
};

TEST_F(AviWriterTest, WritesVideoAndWmaAudioThatReadBack) {
    oskulo::CAviWriter w;
    ASSERT_TRUE(w.Open(File().c_str(), kW, kH, kFps, kRate, 16, 1));
    WriteSeconds(w, 3, 640);
    ASSERT_TRUE(w.Close());

    const AviContents avi = ReadAvi(File());
    ASSERT_TRUE(avi.opened);
    EXPECT_EQ(avi.formatName, "avi");
    EXPECT_EQ(avi.videoCodec, "mpeg4");  // the AVI format's default in this FFmpeg
    EXPECT_EQ(avi.audioCodec, "wmav1");
    EXPECT_EQ(avi.width, kW);
    EXPECT_EQ(avi.height, kH);
    EXPECT_DOUBLE_EQ(avi.frameRate, kFps);
    EXPECT_EQ(avi.pictures.size(), 3u * kFps);
    EXPECT_NEAR(avi.videoSeconds, 3.0, 1e-6);
    EXPECT_EQ(avi.audioSampleRate, kRate);
    EXPECT_EQ(avi.audioChannels, 1);
    // All audio handed in comes out; the last codec frame is padded.
    EXPECT_GE(avi.decodedAudioSamples, 3 * kRate);
    EXPECT_LT(avi.decodedAudioSamples, 3 * kRate + 2048);
    EXPECT_NEAR(avi.audioSeconds, avi.videoSeconds, 0.3);
    ASSERT_FALSE(avi.audioPts.empty());
    EXPECT_EQ(avi.audioPts.front(), 0);
    for (std::size_t i = 1; i < avi.audioPts.size(); ++i)
        EXPECT_GT(avi.audioPts[i], avi.audioPts[i - 1]) << "packet " << i;
    EXPECT_NEAR(avi.pictures[40].Y(kW / 2, kH / 2), 60, 4);
}

TEST_F(AviWriterTest, MissingOrBrokenAudioIsReplacedBySilenceOfOneFrame) {
    oskulo::CAviWriter w;
    ASSERT_TRUE(w.Open(File().c_str(), kW, kH, kFps, kRate, 16, 1));
    WriteSeconds(w, 1, 0);    // no audio: 640 bytes of silence per frame
    WriteSeconds(w, 1, 641);  // not a whole number of samples
    ASSERT_TRUE(w.Close());
    const AviContents avi = ReadAvi(File());
    EXPECT_GE(avi.decodedAudioSamples, 2 * kRate);
    EXPECT_LT(avi.decodedAudioSamples, 2 * kRate + 2048);
}

TEST_F(AviWriterTest, RefusesBadSizesAndASecondOpen) {
    oskulo::CAviWriter w;
    EXPECT_FALSE(w.Open(File().c_str(), 0, kH, kFps, kRate, 16, 1));
    EXPECT_FALSE(w.Open(File().c_str(), kW, 0, kFps, kRate, 16, 1));
    EXPECT_FALSE(w.Open(File().c_str(), kW, kH, 0, kRate, 16, 1));
    EXPECT_FALSE(std::filesystem::exists(File()));
    EXPECT_FALSE(w.Close());
    ASSERT_TRUE(w.Open(File().c_str(), kW, kH, kFps, kRate, 16, 1));
    EXPECT_FALSE(w.Open(dir_.File("other.avi").c_str(), kW, kH, kFps, kRate, 16, 1));
    EXPECT_TRUE(w.Close());
    EXPECT_FALSE(w.Close());
    EXPECT_TRUE(w.Open(File().c_str(), kW, kH, kFps, kRate, 16, 1)) << "open again after close";
    EXPECT_TRUE(w.Close());
}

TEST_F(AviWriterTest, AFileThatCannotBeCreatedFailsTheOpen) {
    oskulo::CAviWriter w;
    EXPECT_FALSE(w.Open(dir_.File("missing/w.avi").c_str(), kW, kH, kFps, kRate, 16, 1));
    EXPECT_TRUE(w.Open(File().c_str(), kW, kH, kFps, kRate, 16, 1));
    EXPECT_TRUE(w.Close());
}

TEST_F(AviWriterTest, ASmallPictureWritesItsAudioButNoFrame) {
    oskulo::CAviWriter w;
    ASSERT_TRUE(w.Open(File().c_str(), kW, kH, kFps, kRate, 16, 1));
    std::vector<uint8_t> p = Solid(kW, kH, 60, 128, 128);
    const std::vector<uint8_t> audio = Pcm(640);
    EXPECT_EQ(w.WriteFrame(audio.data(), 640, kFps, p.data(), kW * kH, kW, kH, 4), 1);
    EXPECT_EQ(w.WriteFrame(audio.data(), 640, kFps, p.data(), int(p.size()), kW, kH, 4), 0);
    ASSERT_TRUE(w.Close());
    const AviContents avi = ReadAvi(File());
    EXPECT_EQ(avi.pictures.size(), 1u);
    EXPECT_GE(avi.decodedAudioSamples, 640);
}

TEST_F(AviWriterTest, WithoutTextsThePictureIsLeftUntouched) {
    oskulo::CAviWriter w;
    ASSERT_TRUE(w.Open(File().c_str(), kW, kH, kFps, kRate, 16, 1));
    const std::vector<uint8_t> original = Solid(kW, kH, 81, 90, 240);
    std::vector<uint8_t> p = original;
    w.SetTexts(L"", 2, 2, nullptr, 2, 270);
    EXPECT_EQ(w.WriteFrame(nullptr, 0, kFps, p.data(), int(p.size()), kW, kH, 4), 0);
    EXPECT_EQ(p, original);
    EXPECT_TRUE(w.Close());
}

TEST_F(AviWriterTest, TextsAreBurntInBrighterThanTheirSurroundings) {
    oskulo::CAviWriter w;
    ASSERT_TRUE(w.Open(File().c_str(), kW, kH, kFps, kRate, 16, 1));
    const wchar_t* time = L"2023-11-14 22:13:20";
    const wchar_t* osd = L"GEN-0001  61.0km/h";
    for (int i = 0; i < kFps; ++i) {
        std::vector<uint8_t> p = Solid(kW, kH, 60, 128, 128);
        w.SetTexts(time, 2, 2, osd, 2, kH - 14);
        ASSERT_EQ(w.WriteFrame(nullptr, 0, kFps, p.data(), int(p.size()), kW, kH, 4), 0);
    }
    ASSERT_TRUE(w.Close());
    const AviContents avi = ReadAvi(File());
    ASSERT_EQ(avi.pictures.size(), std::size_t(kFps));
    const AviPicture& pic = avi.pictures[10];
    EXPECT_GT(pic.CountBrighter(2, 2, 160, 16, 150), 40) << "date line";
    EXPECT_GT(pic.CountBrighter(2, kH - 14, 160, kH, 150), 40) << "telemetry line";
    EXPECT_EQ(pic.CountBrighter(2, 100, 160, 114, 150), 0) << "nothing drawn in between";
    EXPECT_GT(pic.MeanY(2, 2, 160, 16), pic.MeanY(2, 100, 160, 114) + 10);
}

TEST_F(AviWriterTest, TheTelemetryLineAloneTakesTheTopPosition) {
    oskulo::CAviWriter w;
    ASSERT_TRUE(w.Open(File().c_str(), kW, kH, kFps, kRate, 16, 1));
    std::vector<uint8_t> p = Solid(kW, kH, 60, 128, 128);
    w.SetTexts(L"", 2, 2, L"GEN-0001", 2, kH - 14);
    ASSERT_EQ(w.WriteFrame(nullptr, 0, kFps, p.data(), int(p.size()), kW, kH, 4), 0);
    ASSERT_TRUE(w.Close());
    // In the picture handed in, the text was drawn in place.
    auto bright = [&](int y0, int y1) {
        int n = 0;
        for (int y = y0; y < y1; ++y)
            for (int x = 2; x < 120; ++x)
                n += p[std::size_t(y * kW + x)] > 200 ? 1 : 0;
        return n;
    };
    EXPECT_GT(bright(2, 16), 20);
    EXPECT_EQ(bright(kH - 14, kH), 0);
    // Rows the text cannot reach keep their exact samples.
    const std::vector<uint8_t> original = Solid(kW, kH, 60, 128, 128);
    EXPECT_TRUE(std::equal(p.begin() + 40 * kW, p.begin() + kW * kH, original.begin() + 40 * kW));
    for (const int plane : {kW * kH, kW * kH * 5 / 4}) {
        const long from = plane + 20 * kW / 2, to = plane + kW * kH / 4;
        EXPECT_TRUE(std::equal(p.begin() + from, p.begin() + to, original.begin() + from));
    }
}

TEST(TextOverlay, FontHeightFollowsThePictureSize) {
    EXPECT_EQ(oskulo::CTextOverlay::FontHeightFor(352, 288), 14);
    EXPECT_EQ(oskulo::CTextOverlay::FontHeightFor(704, 576), 25);
    EXPECT_EQ(oskulo::CTextOverlay::FontHeightFor(1280, 720), 40);
    EXPECT_EQ(oskulo::CTextOverlay::FontHeightFor(1920, 1080), 40);
}

}  // namespace
