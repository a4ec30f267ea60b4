#include "player/source/SeekHandle64.h"

#include <gtest/gtest.h>

#include <cerrno>

#include "platform/base/LastError.h"
#include "player/source/DataSource.h"
#include "tests/tools/recgen/TempDir.h"

namespace {

TEST(SeekHandle64, SeeksFromEachOriginBeyondFourGiB) {
    TempDir dir;
    HANDLE file = CreateFile(dir.File("image").c_str(), GENERIC_READ | GENERIC_WRITE, CREATE_NEW);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    const uint64_t far = (uint64_t(6) << 30) + 512;
    EXPECT_EQ(SeekHandle64(file, far, FILE_BEGIN), far);
    ASSERT_TRUE(WriteFile(file, "end", 3, nullptr));
    EXPECT_EQ(SeekHandle64(file, uint64_t(-3), FILE_CURRENT), far);
    EXPECT_EQ(SeekHandle64(file, 0, FILE_END), far + 3);
    EXPECT_EQ(SeekHandle64(file, uint64_t(-1) << 40, FILE_CURRENT), kSeekFailed);  // before 0
    EXPECT_EQ(GetLastError(), DWORD(EINVAL));
    EXPECT_EQ(SeekHandle64(file, 1, 7), kSeekFailed);  // no such origin
    EXPECT_TRUE(CloseHandle(file));
    EXPECT_EQ(SeekHandle64(file, 0, FILE_BEGIN), kSeekFailed);  // stale handle
}

TEST(DataSource, PathsStartEmptyAndCutPathsAreRefused) {
    CDataSource paths;
    EXPECT_STREQ(paths.DataFile, "");
    EXPECT_STREQ(paths.TimeIndexFile, "");
    EXPECT_STREQ(paths.EventIndexFile, "");
    EXPECT_STREQ(paths.QuickIndexFile, "");
    EXPECT_TRUE(StorePath(paths.DataFile, std::string(259, 'p').c_str()));
    EXPECT_EQ(std::string(paths.DataFile), std::string(259, 'p'));
    EXPECT_FALSE(StorePath(paths.DataFile, std::string(260, 'p').c_str()));
    EXPECT_STREQ(paths.DataFile, "");
    EXPECT_TRUE(StorePath(paths.EventIndexFile, nullptr));
    EXPECT_STREQ(paths.EventIndexFile, "");
}

}  // namespace
