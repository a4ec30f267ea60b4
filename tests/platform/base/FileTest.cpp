#include "platform/base/File.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "platform/base/LastError.h"

namespace {

class FileTest : public testing::Test {
protected:
    void SetUp() override {
        char pattern[] = "/tmp/filetest-XXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        dir_ = pattern;
    }
    void TearDown() override { std::filesystem::remove_all(dir_); }
    std::string PathOf(const std::string& name) const { return dir_ + "/" + name; }

    std::string dir_;
};

TEST_F(FileTest, WriteThenReadBackWithSeeksFromEveryOrigin) {
    const std::string path = PathOf("d\xc3\xa4ta.bin");  // a non-ASCII UTF-8 name
    HANDLE w = CreateFile(path.c_str(), GENERIC_WRITE, CREATE_ALWAYS);
    ASSERT_NE(w, INVALID_HANDLE_VALUE);
    DWORD n = 0;
    EXPECT_TRUE(WriteFile(w, "0123456789", 10, &n));
    EXPECT_EQ(n, 10u);
    EXPECT_TRUE(CloseHandle(w));

    HANDLE r = CreateFile(path.c_str(), GENERIC_READ, OPEN_EXISTING);
    ASSERT_NE(r, INVALID_HANDLE_VALUE);
    LONGLONG pos = -1;
    EXPECT_TRUE(SetFilePointerEx(r, -3, &pos, FILE_END));
    EXPECT_EQ(pos, 7);
    EXPECT_TRUE(SetFilePointerEx(r, -5, &pos, FILE_CURRENT));
    EXPECT_EQ(pos, 2);
    char got[16] = {};
    EXPECT_TRUE(ReadFile(r, got, 16, &n));
    EXPECT_EQ(n, 8u);  // a short read at the end is not a failure
    EXPECT_EQ(std::string(got, n), "23456789");
    EXPECT_TRUE(SetFilePointerEx(r, 4, &pos, FILE_BEGIN));
    EXPECT_TRUE(ReadFile(r, got, 2, &n));
    EXPECT_EQ(std::string(got, n), "45");
    LONGLONG size = 0;
    EXPECT_TRUE(GetFileSizeEx(r, &size));
    EXPECT_EQ(size, 10);
    EXPECT_FALSE(SetFilePointerEx(r, -1, &pos, FILE_BEGIN));
    EXPECT_EQ(GetLastError(), DWORD(EINVAL));
    EXPECT_TRUE(CloseHandle(r));
}

TEST_F(FileTest, OffsetsBeyondFourGiB) {
    HANDLE f = CreateFile(PathOf("sparse").c_str(), GENERIC_READ | GENERIC_WRITE, CREATE_NEW);
    ASSERT_NE(f, INVALID_HANDLE_VALUE);
    const LONGLONG far = (LONGLONG(5) << 30) + 3;
    LONGLONG pos = 0;
    EXPECT_TRUE(SetFilePointerEx(f, far, &pos, FILE_BEGIN));
    EXPECT_EQ(pos, far);
    EXPECT_TRUE(WriteFile(f, "x", 1, nullptr));
    LONGLONG size = 0;
    EXPECT_TRUE(GetFileSizeEx(f, &size));
    EXPECT_EQ(size, far + 1);
    EXPECT_TRUE(SetFilePointerEx(f, far, nullptr, FILE_BEGIN));
    char c = 0;
    DWORD n = 0;
    EXPECT_TRUE(ReadFile(f, &c, 1, &n));
    EXPECT_EQ(c, 'x');
    EXPECT_TRUE(CloseHandle(f));
}

TEST_F(FileTest, FailuresLeaveTheirErrno) {
    EXPECT_EQ(CreateFile(PathOf("missing").c_str(), GENERIC_READ, OPEN_EXISTING),
              INVALID_HANDLE_VALUE);
    EXPECT_EQ(GetLastError(), DWORD(ENOENT));
    HANDLE f = CreateFile(PathOf("once").c_str(), GENERIC_WRITE, CREATE_NEW);
    ASSERT_NE(f, INVALID_HANDLE_VALUE);
    EXPECT_EQ(CreateFile(PathOf("once").c_str(), GENERIC_WRITE, CREATE_NEW), INVALID_HANDLE_VALUE);
    EXPECT_EQ(GetLastError(), DWORD(EEXIST));
    EXPECT_TRUE(CloseHandle(f));

    char c = 0;
    DWORD n = 7;
    EXPECT_FALSE(ReadFile(f, &c, 1, &n));  // closed: stale handle
    EXPECT_EQ(n, 0u);
    EXPECT_EQ(GetLastError(), DWORD(EBADF));
    EXPECT_FALSE(SetFilePointerEx(nullptr, 0, nullptr, FILE_BEGIN));
    LONGLONG size = 0;
    EXPECT_FALSE(GetFileSizeEx(INVALID_HANDLE_VALUE, &size));
}

TEST_F(FileTest, TruncateExistingEmptiesTheFile) {
    HANDLE f = CreateFile(PathOf("t").c_str(), GENERIC_WRITE, CREATE_ALWAYS);
    ASSERT_NE(f, INVALID_HANDLE_VALUE);
    EXPECT_TRUE(WriteFile(f, "abc", 3, nullptr));
    EXPECT_TRUE(CloseHandle(f));
    f = CreateFile(PathOf("t").c_str(), GENERIC_READ | GENERIC_WRITE, TRUNCATE_EXISTING);
    ASSERT_NE(f, INVALID_HANDLE_VALUE);
    LONGLONG size = -1;
    EXPECT_TRUE(GetFileSizeEx(f, &size));
    EXPECT_EQ(size, 0);
    EXPECT_TRUE(CloseHandle(f));
}

}  // namespace
