// The library as the program binds it: dlopen of libOskulo.so and its six
// exports by name.
#include <dlfcn.h>
#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <regex>

#include "export/InfoText.h"
#include "shared/ExportInterface.h"
#include "tests/export/support/AviReader.h"
#include "tests/export/support/ExportFixture.h"

namespace {

class ExportsTest : public ExportFixture {
protected:
    void SetUp() override {
        handle_ = dlopen(OSKULO_LIBRARY, RTLD_NOW | RTLD_LOCAL);
        ASSERT_NE(handle_, nullptr) << dlerror();
        info_ = Bind<zExtractInfoProc>("zExtractInfo");
        pre_ = Bind<zExtractPreProc>("zExtractPre");
        write_ = Bind<zExtractWriteProc>("zExtractWrite");
        fin_ = Bind<zExtractFinProc>("zExtractFin");
        opened_ = Bind<zIsExtractOpenedProc>("zIsExtractOpened");
        output_ = Bind<zExtractOutputProc>("zExtractOutput");
    }

    void TearDown() override {
        if (handle_ != nullptr)
            dlclose(handle_);
    }

    template <typename Proc>
    Proc Bind(const char* name) {
        void* symbol = dlsym(handle_, name);
        EXPECT_NE(symbol, nullptr) << name;
        return reinterpret_cast<Proc>(symbol);
    }

    void* handle_ = nullptr;
    zExtractInfoProc info_ = nullptr;
    zExtractPreProc pre_ = nullptr;
    zExtractWriteProc write_ = nullptr;
    zExtractFinProc fin_ = nullptr;
    zIsExtractOpenedProc opened_ = nullptr;
    zExtractOutputProc output_ = nullptr;
};

TEST_F(ExportsTest, InfoGivesVersionBuildTimeAndDate) {
    char version[20], time[20], date[20];
    info_(version, time, date);
    EXPECT_STREQ(version, "1.8");
    EXPECT_TRUE(std::regex_match(time, std::regex(R"(\d\d:\d\d:\d\d)"))) << time;
    EXPECT_TRUE(std::regex_match(date, std::regex(R"([A-Z][a-z]{2} [ 0-9]\d \d{4})"))) << date;
}

// A text longer than the limit: 18 bytes and the terminator, nothing past them.
TEST(InfoText, IsCutWithin19Bytes) {
    char out[40];
    std::memset(out, 'x', sizeof out);
    oskulo::WriteInfoText(out, "0123456789abcdefghijklmnopqrstuvwxyz");
    EXPECT_STREQ(out, "0123456789abcdefgh");
    for (std::size_t i = 19; i < sizeof out; ++i)
        EXPECT_EQ(out[i], 'x') << "byte " << i;
}

TEST_F(ExportsTest, AnExportThroughTheBoundFunctions) {
    recgen::RecordingPlan plan;
    plan.channels = 4;
    plan.gopCount = 2;
    std::vector<ParsedGop> gops = Record(plan);
    ASSERT_EQ(gops.size(), 2u);
    ExtractParams params = ParamsFor(*gops[0].info, 8000, 16);
    params.aviOn[1] = 1;
    EXPECT_FALSE(opened_());
    ExtractParams wrong = params;
    wrong.numChannels = 6;
    EXPECT_FALSE(pre_(wrong));
    ASSERT_TRUE(pre_(params));
    EXPECT_TRUE(opened_());
    EXPECT_FALSE(pre_(params));
    EXPECT_EQ(write_(0, gops[0].bytes.data(), int(gops[0].bytes.size()), nullptr), 1);
    for (ParsedGop& gop : gops)
        EXPECT_EQ(write_(1, gop.bytes.data(), int(gop.bytes.size()), gop.info.get()), 0);
    fin_();
    EXPECT_FALSE(opened_());
    const AviContents avi = ReadAvi(AviName(2));
    EXPECT_EQ(avi.videoCodec, "mpeg4");
    EXPECT_EQ(avi.pictures.size(), 50u);

    char path[kExtractPathSize] = {};
    EXPECT_EQ(output_(0, path, sizeof path), 0);
    EXPECT_EQ(path, AviName(2));
    char cut[8];
    EXPECT_EQ(output_(0, cut, sizeof cut), 0);
    EXPECT_EQ(std::string(cut), AviName(2).substr(0, 7));
    std::strcpy(path, "untouched");
    EXPECT_EQ(output_(1, path, sizeof path), -1);
    EXPECT_EQ(output_(-1, path, sizeof path), -1);
    EXPECT_STREQ(path, "untouched");
}

// The comma-locale run of this suite calls the library from a process whose
// whole locale writes decimal commas: what the library writes keeps the
// recorder's decimal point (the sample route starts at 52.52 N, 13.405 E).
TEST_F(ExportsTest, SubtitleNumbersKeepTheDecimalPointInAnyLocale) {
    recgen::RecordingPlan plan;
    plan.channels = 4;
    plan.gopCount = 2;
    std::vector<ParsedGop> gops = Record(plan);
    ASSERT_EQ(gops.size(), 2u);
    ExtractParams params = ParamsFor(*gops[0].info, 8000, 16);
    params.movOn[0] = 1;
    params.osdSpeed = 1;
    params.osdGps = 1;
    params.speedUnit = 1;
    ASSERT_TRUE(pre_(params));
    for (ParsedGop& gop : gops)
        EXPECT_EQ(write_(1, gop.bytes.data(), int(gop.bytes.size()), gop.info.get()), 0);
    fin_();
    const std::vector<uint8_t> bytes = ReadWholeFile(MovBase(1) + ".ssa");
    const std::string text(bytes.begin(), bytes.end());
    EXPECT_NE(text.find(" 13.405000"), std::string::npos) << text;
    EXPECT_NE(text.find("52.520000"), std::string::npos) << text;
    EXPECT_TRUE(std::regex_search(text, std::regex(R"(\d\.\dmile/h)"))) << text;
    EXPECT_EQ(text.find("13,4"), std::string::npos) << text;
}

// An output that failed gives the system's reason: here the raw copy whose
// index would be its data file.
TEST_F(ExportsTest, AFailedOutputGivesItsReason) {
    recgen::RecordingPlan plan;
    plan.gopCount = 1;
    std::vector<ParsedGop> gops = Record(plan);
    ASSERT_EQ(gops.size(), 1u);
    ExtractParams params = ParamsFor(*gops[0].info, 8000, 16);
    params.rawOn = 1;
    std::memcpy(params.inxPath, params.dvrPath, sizeof params.inxPath);
    EXPECT_FALSE(pre_(params));
    char path[kExtractPathSize] = {};
    EXPECT_EQ(output_(0, path, sizeof path), EINVAL);
    EXPECT_EQ(path, RawDvr());
    EXPECT_EQ(output_(1, path, sizeof path), -1);
}

TEST_F(ExportsTest, ExportsNothingButTheSixFunctions) {
    const std::string command = std::string("nm -D --defined-only ") + OSKULO_LIBRARY;
    FILE* pipe = popen(command.c_str(), "r");
    ASSERT_NE(pipe, nullptr);
    std::vector<std::string> names;
    char line[512];
    while (std::fgets(line, sizeof line, pipe) != nullptr) {
        std::string text(line);
        text.erase(text.find_last_not_of("\n") + 1);
        names.push_back(text.substr(text.find_last_of(' ') + 1));
    }
    ASSERT_EQ(pclose(pipe), 0);
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names,
              (std::vector<std::string>{"zExtractFin", "zExtractInfo", "zExtractOutput",
                                        "zExtractPre", "zExtractWrite", "zIsExtractOpened"}));
}

}  // namespace
