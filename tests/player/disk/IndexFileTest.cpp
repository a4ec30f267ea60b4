#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>

#include "player/disk/IndexFile.h"
#include "tests/tools/recgen/TempDir.h"

namespace {

void WriteRecords(const std::string& path, uint8_t first) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    for (int i = 0; i < 32; ++i)
        out.put(char(first + i));
}

// The disk reader reopens its time index after writing a repaired header: a
// reopen that fails must not take the readable stream away.
TEST(IndexFile, AReopenThatFailsKeepsTheOpenStreamAndOneThatWorksReadsAfresh) {
    TempDir dir;
    const std::string path = dir.File("timeindex");
    WriteRecords(path, 0);
    CIndexFile file(16);
    ASSERT_TRUE(file.Open(path.c_str()));
    uint8_t record[16] = {};
    ASSERT_TRUE(file.Read(1, record));
    EXPECT_EQ(record[0], 16);

    const std::string moved = dir.File("moved");
    std::filesystem::rename(path, moved);
    EXPECT_FALSE(file.Reopen(path.c_str()));
    ASSERT_TRUE(file.Read(1, record));
    EXPECT_EQ(record[0], 16);

    WriteRecords(path, 100);
    EXPECT_TRUE(file.Reopen(path.c_str()));
    ASSERT_TRUE(file.Read(0, record));
    EXPECT_EQ(record[0], 100);
}

}  // namespace
