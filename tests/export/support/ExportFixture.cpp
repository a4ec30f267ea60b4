#include "tests/export/support/ExportFixture.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>

#include "format/gop/GopParser.h"
#include "tests/export/recording/RecordingGops.h"

ExportFixture::ExportFixture() {
    if (const char* root = std::getenv("DVR_ROOT")) {
        hadRoot_ = true;
        savedRoot_ = root;
    }
    std::filesystem::create_directories(OutputDir());
    std::filesystem::create_directories(RootDir());
    setenv("DVR_ROOT", RootDir().c_str(), 1);
}

ExportFixture::~ExportFixture() {
    if (hadRoot_)
        setenv("DVR_ROOT", savedRoot_.c_str(), 1);
    else
        unsetenv("DVR_ROOT");
}

std::string ExportFixture::AviName(int channel) const {
    return OutputDir() + "/ch" + std::to_string(channel) + ".avi";
}

std::vector<ParsedGop> ExportFixture::Record(const recgen::RecordingPlan& plan) {
    std::vector<ParsedGop> gops;
    CGopParser parser;
    for (std::vector<uint8_t>& bytes : ReadAllGops(MakeRecording(plan, dir_.File("r")))) {
        ParsedGop gop;
        gop.bytes = std::move(bytes);
        gop.audio.resize(kAudioBufferSize);
        gop.info = std::make_unique<GopInfo>();
        std::memset(gop.info.get(), 0, sizeof(GopInfo));
        gop.info->audioData = gop.audio.data();
        const int version =
            parser.Parse(gop.bytes.data(), uint32_t(gop.bytes.size()), gop.info.get(), true);
        EXPECT_GE(version, 0) << "GOP " << gops.size();
        if (version < 4) {
            for (int& fps : gop.info->fps)
                fps /= 2;
        }
        gops.push_back(std::move(gop));
    }
    EXPECT_EQ(int(gops.size()), plan.gopCount);
    return gops;
}

ExtractParams ExportFixture::ParamsFor(const GopInfo& first, int sampleRate, int sampleBits) const {
    ExtractParams p{};
    p.numChannels = first.channels;
    p.audioRate = sampleRate;
    p.audioBits = sampleBits;
    p.refWidth = first.lastWidth;
    p.refHeight = first.lastHeight;
    for (int k = 0; k < first.channelCount && k < kExtractChannels; ++k) {
        p.outWidth[k] = first.width[k];
        p.outHeight[k] = first.height[k];
        p.outFps[k] = first.fps[k];
        std::snprintf(p.aviPath[k], kExtractPathSize, "%s", AviName(k + 1).c_str());
        std::snprintf(p.movBase[k], kExtractPathSize, "%s", MovBase(k + 1).c_str());
    }
    std::snprintf(p.dvrPath, kExtractPathSize, "%s/copy.dvr", OutputDir().c_str());
    std::snprintf(p.inxPath, kExtractPathSize, "%s/copy.inx", OutputDir().c_str());
    std::snprintf(p.mosaicPath, kExtractPathSize, "%s", MosaicName().c_str());
    std::snprintf(p.outputDir, kExtractPathSize, "%s", OutputDir().c_str());
    return p;
}

void ExportFixture::ExpectRawCopyOf(const std::vector<ParsedGop>& gops, const std::string& dvr,
                                    const std::string& inx) {
    const std::vector<std::vector<uint8_t>> copied = ReadAllGops({dvr, inx});
    ASSERT_EQ(copied.size(), gops.size());
    for (std::size_t g = 0; g < copied.size(); ++g) {
        ASSERT_GE(copied[g].size(), gops[g].bytes.size());
        EXPECT_TRUE(std::equal(gops[g].bytes.begin(), gops[g].bytes.end(), copied[g].begin()))
            << "GOP " << g;
    }
}
