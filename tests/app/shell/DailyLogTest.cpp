#include "app/shell/DailyLog.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "app/shell/TextHelpers.h"
#include "platform/base/FakeClock.h"
#include "platform/base/Module.h"

namespace {

namespace fs = std::filesystem;

constexpr int64_t kBeforeMidnight = 1700006399;  // 2023-11-14 23:59:59 UTC

std::string Contents(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

class DailyLogTest : public testing::Test {
protected:
    void SetUp() override {
        setenv("TZ", "UTC0", 1);
        tzset();
        clock_->SetUnixTime(kBeforeMidnight);
        dir_ = fs::temp_directory_path() /
               ("daily-log-" + std::to_string(::getpid()) + "-" +
                testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(dir_);
        fs::create_directories(dir_);
        log_.SetLogDirectory(dir_.c_str());
    }
    void TearDown() override { fs::remove_all(dir_); }

    ScopedFakeClock clock_;
    fs::path dir_;
    CDailyLog log_;
};

TEST_F(DailyLogTest, LinesOnEitherSideOfMidnightLandInTheirOwnDaysFiles) {
    EXPECT_TRUE(log_.WriteLog(CString(L"late")));
    clock_->Advance(1000);
    EXPECT_TRUE(log_.WriteLog(CString(L"early")));
    EXPECT_EQ(Contents(dir_ / "2023-11-14.log"), "23:59:59 [Marlowin]: late\r\n");
    EXPECT_EQ(Contents(dir_ / "2023-11-15.log"), "00:00:00 [Marlowin]: early\r\n");
}

TEST_F(DailyLogTest, LinesAreUtf8WithoutAByteOrderMarkAndAppend) {
    EXPECT_TRUE(log_.WriteLog(CString(L"\u5317\u4EAC \u00C4")));
    EXPECT_TRUE(log_.WriteLog(CString()));
    EXPECT_EQ(Contents(dir_ / "2023-11-14.log"),
              "23:59:59 [Marlowin]: \xE5\x8C\x97\xE4\xBA\xAC \xC3\x84\r\n"
              "23:59:59 [Marlowin]: \r\n");
}

TEST_F(DailyLogTest, ADirectoryNamedOutsideAsciiTakesTheFile) {
    const fs::path cyrillic = dir_ / "\xD0\x96\xD1\x83\xD1\x80\xD0\xBD\xD0\xB0\xD0\xBB";
    fs::create_directories(cyrillic);
    log_.SetLogDirectory(cyrillic.c_str());
    EXPECT_TRUE(log_.WriteLog(CString(L"x")));
    EXPECT_TRUE(fs::exists(cyrillic / "2023-11-14.log"));
}

TEST_F(DailyLogTest, AMissingDirectoryLosesTheLineAndSaysSo) {
    log_.SetLogDirectory((dir_ / "missing").c_str());
    EXPECT_FALSE(log_.WriteLog(CString(L"lost")));
    EXPECT_FALSE(fs::exists(dir_ / "missing"));
    EXPECT_FALSE(log_.AppendLogLine(nullptr));
}

TEST_F(DailyLogTest, ALongTextIsCutOnACharacterBoundaryAndKeepsItsLineEnd) {
    std::wstring text(400, L'\u00C4');  // two bytes each
    EXPECT_TRUE(log_.WriteLog(CString(text)));
    const std::string line = Contents(dir_ / "2023-11-14.log");
    EXPECT_LE(line.size(), size_t(kLogLineSize - 1));
    ASSERT_GE(line.size(), 2u);
    EXPECT_EQ(line.substr(line.size() - 2), "\r\n");
    const std::unique_ptr<wchar_t[]> back(Utf8ToWide(line.c_str()));
    EXPECT_EQ(std::wstring(back.get()).find(L'\uFFFD'), std::wstring::npos);
}

TEST_F(DailyLogTest, LinesFromManyThreadsStayWhole) {
    std::vector<std::thread> writers;
    for (int t = 0; t < 8; ++t) {
        writers.emplace_back([this, t] {
            for (int i = 0; i < 50; ++i)
                log_.WriteLog(CString(std::wstring(100, wchar_t(L'a' + t))));
        });
    }
    for (auto& w : writers)
        w.join();
    std::istringstream lines(Contents(dir_ / "2023-11-14.log"));
    int count = 0;
    for (std::string line; std::getline(lines, line); ++count) {
        ASSERT_EQ(line.size(), 21u + 100u + 1u) << line;  // prefix, text, CR
        EXPECT_EQ(line.find_first_not_of(line[21], 21), line.size() - 1);
    }
    EXPECT_EQ(count, 8 * 50);
}

TEST_F(DailyLogTest, NoDirectoryMeansTheProgramDirectory) {
    char path[kLogPathSize];
    ASSERT_TRUE(BuildLogFileName(nullptr, path));
    EXPECT_EQ(std::string(path), ProgramDirectory() + "/2023-11-14.log");
    EXPECT_FALSE(BuildLogFileName("x", nullptr));
}

}  // namespace
