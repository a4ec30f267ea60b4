// The player's report of sectors a rebuild passed unreadable reaches the
// daily log, with their count, whether or not the main window is there;
// other player errors write no line.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "app/shell/DailyLog.h"
#include "app/shell/LanguageTexts.h"
#include "app/ui/main/PlayerCallbacks.h"
#include "platform/base/FakeClock.h"
#include "shared/PlayerInterface.h"

namespace {

namespace fs = std::filesystem;

constexpr int64_t kNoon = 1700049600;  // 2023-11-15 12:00:00 UTC

std::string Contents(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

class RebuildErrorLog : public testing::Test {
protected:
    void SetUp() override {
        setenv("TZ", "UTC0", 1);
        tzset();
        clock_->SetUnixTime(kNoon);
        SetDefaultLanguageTexts();
        dir_ = fs::temp_directory_path() / ("rebuild-log-" + std::to_string(::getpid()));
        fs::remove_all(dir_);
        fs::create_directories(dir_);
        g_dailyLog.SetLogDirectory(dir_.c_str());
    }
    void TearDown() override {
        g_dailyLog.SetLogDirectory("");
        fs::remove_all(dir_);
    }

    ScopedFakeClock clock_;
    fs::path dir_;
};

TEST_F(RebuildErrorLog, UnreadableSectorsOfARebuildAreLoggedWithTheirCount) {
    OnPlayerError(ERR_FILE_SEEK_FAILED, 0, 0);
    EXPECT_FALSE(fs::exists(dir_ / "2023-11-15.log")) << "other codes write no line";
    OnPlayerError(ERR_REBUILD_UNREADABLE_SECTORS, 0, 37);
    EXPECT_EQ(Contents(dir_ / "2023-11-15.log"),
              "12:00:00 [Marlowin]: Rebuild Time Index: unreadable sectors passed: 37\r\n");
}

}  // namespace
