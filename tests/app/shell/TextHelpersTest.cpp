#include "app/shell/TextHelpers.h"

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>

#include <unistd.h>

namespace {

namespace fs = std::filesystem;

class PathTest : public testing::Test {
protected:
    void SetUp() override {
        root_ = fs::temp_directory_path() /
                ("shell-paths-" + std::to_string(::getpid()) + "-" +
                 testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(root_);
        fs::create_directories(root_);
    }
    void TearDown() override { fs::remove_all(root_); }

    std::wstring Wide(const fs::path& p) const { return p.wstring(); }

    fs::path root_;
};

TEST_F(PathTest, DirectoryExistsIgnoresOneTrailingSlashAndRefusesFiles) {
    std::ofstream(root_ / "file") << "x";
    const std::wstring dir = Wide(root_);
    EXPECT_TRUE(DirectoryExists(dir.c_str()));
    EXPECT_TRUE(DirectoryExists((dir + L"/").c_str()));
    EXPECT_FALSE(DirectoryExists(Wide(root_ / "file").c_str()));
    EXPECT_FALSE(DirectoryExists(Wide(root_ / "missing").c_str()));
    EXPECT_FALSE(DirectoryExists(L""));
    EXPECT_FALSE(DirectoryExists(nullptr));
}

TEST_F(PathTest, CreateDirectoryPathMakesEveryMissingParent) {
    const fs::path target = root_ / "DVR" / "log";
    EXPECT_TRUE(CreateDirectoryPath((Wide(target) + L"/").c_str()));
    EXPECT_TRUE(fs::is_directory(root_ / "DVR"));
    EXPECT_TRUE(fs::is_directory(target));
    EXPECT_TRUE(CreateDirectoryPath(Wide(target).c_str()));  // already there
}

TEST_F(PathTest, CreateDirectoryPathTakesNamesOutsideAscii) {
    const std::wstring target = Wide(root_) + L"/\u5317\u4EAC/\u0416\u0443\u0440\u043D\u0430\u043B";
    EXPECT_TRUE(CreateDirectoryPath(target.c_str()));
    EXPECT_TRUE(DirectoryExists(target.c_str()));
}

TEST_F(PathTest, CreateDirectoryPathFailsWhereAFileStands) {
    std::ofstream(root_ / "taken") << "x";
    EXPECT_FALSE(CreateDirectoryPath(Wide(root_ / "taken" / "sub").c_str()));
    EXPECT_FALSE(CreateDirectoryPath(nullptr));
}

TEST(TextHelpers, ConversionsOfTheProgram) {
    std::unique_ptr<char[]> utf8(StringToUtf8(CString(L"\u00C4")));
    EXPECT_EQ(std::memcmp(utf8.get(), "\xC3\x84\0\0", 4), 0);
    std::unique_ptr<char[]> empty(StringToUtf8(CString()));
    EXPECT_EQ(empty[0], '\0');
    EXPECT_EQ(empty[1], '\0');
    std::unique_ptr<wchar_t[]> wide(
        AnsiToWide("Stra\xC3\x9F"
                   "e"));
    EXPECT_STREQ(wide.get(), L"Stra\u00DFe");
    EXPECT_EQ(AnsiToWide(nullptr), nullptr);
}

}  // namespace
