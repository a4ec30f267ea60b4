#include "platform/base/MoveFile.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "platform/base/LastError.h"
#include "shared/TextConvert.h"

namespace {

std::string Read(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

std::string TempDir(const char* under) {
    std::string pattern = std::string(under) + "/movetest-XXXXXX";
    return mkdtemp(pattern.data()) != nullptr ? pattern : std::string();
}

class MoveFileTest : public testing::Test {
protected:
    void SetUp() override {
        here_ = TempDir("/tmp");
        ASSERT_FALSE(here_.empty());
    }
    void TearDown() override {
        std::filesystem::remove_all(here_);
        if (!there_.empty())
            std::filesystem::remove_all(there_);
    }

    std::string here_;
    std::string there_;
};

TEST_F(MoveFileTest, MovesWithinAFileSystemAndNeverReplaces) {
    std::ofstream(here_ + "/a.avi") << "first";
    std::ofstream(here_ + "/b.avi") << "second";
    SetLastError(0);
    EXPECT_FALSE(MoveFileUtf8((here_ + "/a.avi").c_str(), (here_ + "/b.avi").c_str()));
    EXPECT_EQ(GetLastError(), DWORD(EEXIST));
    EXPECT_EQ(Read(here_ + "/b.avi"), "second");
    EXPECT_EQ(Read(here_ + "/a.avi"), "first");
    const std::wstring from = Utf8ToWideString(here_ + "/a.avi");
    const std::wstring to = Utf8ToWideString(here_ + "/\u00fcber.avi");
    EXPECT_TRUE(MoveFileW(from.c_str(), to.c_str()));
    EXPECT_EQ(Read(here_ + "/\xC3\xBC"
                           "ber.avi"),
              "first");
    EXPECT_FALSE(std::filesystem::exists(here_ + "/a.avi"));
    EXPECT_FALSE(MoveFileW(from.c_str(), to.c_str())) << "the source is gone";
}

TEST_F(MoveFileTest, MovesAcrossFileSystemsWithoutReplacing) {
    struct stat shm {
    }, tmp{};
    if (stat("/dev/shm", &shm) != 0 || stat("/tmp", &tmp) != 0 || shm.st_dev == tmp.st_dev)
        GTEST_SKIP() << "/dev/shm and /tmp are one file system here";
    there_ = TempDir("/dev/shm");
    ASSERT_FALSE(there_.empty());
    const std::string from = there_ + "/temp_all.avi";
    std::string bytes(300000, '\0');
    for (size_t i = 0; i < bytes.size(); ++i)
        bytes[i] = char(i * 7);
    std::ofstream(from, std::ios::binary) << bytes;
    chmod(from.c_str(), 0640);
    std::ofstream(here_ + "/taken.avi") << "keep";
    SetLastError(0);
    EXPECT_FALSE(MoveFileUtf8(from.c_str(), (here_ + "/taken.avi").c_str()));
    EXPECT_EQ(GetLastError(), DWORD(EEXIST));
    EXPECT_EQ(Read(here_ + "/taken.avi"), "keep");
    EXPECT_TRUE(std::filesystem::exists(from));

    ASSERT_TRUE(MoveFileUtf8(from.c_str(), (here_ + "/final.avi").c_str())) << GetLastError();
    EXPECT_EQ(Read(here_ + "/final.avi"), bytes);
    EXPECT_FALSE(std::filesystem::exists(from));
    struct stat st {};
    ASSERT_EQ(stat((here_ + "/final.avi").c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0640u);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(here_),
                            std::filesystem::directory_iterator()),
              2)
        << "no temporary file is left";

    std::filesystem::create_directory(there_ + "/dir");
    SetLastError(0);
    EXPECT_FALSE(MoveFileUtf8((there_ + "/dir").c_str(), (here_ + "/dir").c_str()));
    EXPECT_EQ(GetLastError(), DWORD(EXDEV)) << "directories stay on their file system";
}

}  // namespace
