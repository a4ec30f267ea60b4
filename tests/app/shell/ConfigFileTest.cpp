#include "app/shell/ConfigFile.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "shared/TextConvert.h"

namespace {

namespace fs = std::filesystem;

constexpr uid_t kNobody = 65534;
constexpr fs::perms kAllWrite =
    fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write;

std::string Read(const fs::path& file) {
    std::ostringstream text;
    text << std::ifstream(file).rdbuf();
    return text.str();
}

// A program folder with its shipped config/AppConfig.ini and an empty user
// configuration folder, both in a temporary directory any user may enter.
class ConfigFile : public testing::Test {
protected:
    void SetUp() override {
        dir_ = fs::temp_directory_path() /
               ("configfile-" + std::to_string(::getpid()) + "-" +
                testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(dir_);
        fs::create_directories(ProgramDir() / "config");
        fs::create_directories(UserHome());
        std::ofstream(ProgramDir() / "config" / "AppConfig.ini") << "[UnitSetting]\n";
        fs::permissions(dir_, fs::perms::all);
        fs::permissions(UserHome(), fs::perms::all);
        setenv("XDG_CONFIG_HOME", UserHome().c_str(), 1);
    }
    void TearDown() override {
        unsetenv("XDG_CONFIG_HOME");
        fs::remove_all(dir_);
    }
    fs::path ProgramDir() const { return dir_ / "program"; }
    fs::path UserHome() const { return dir_ / "home"; }
    fs::path UserCopy() const { return UserHome() / "marlowin" / "AppConfig.ini"; }
    std::string Chosen() const {
        return WideToUtf8String(ConfigFilePath(Utf8ToWideString(ProgramDir().string())));
    }

    // Runs `check` in a child that cannot write the program folder: as an
    // unprivileged user when the test runs as root (root may write anything),
    // else with the folder's write permissions taken away.
    // With `fileWritable` the file itself stays writable for everyone.
    template <typename Check>
    void AsUserWhoCannotWriteTheProgram(Check check, bool fileWritable = false) {
        fs::permissions(ProgramDir() / "config", kAllWrite, fs::perm_options::remove);
        fs::permissions(ProgramDir() / "config" / "AppConfig.ini", kAllWrite,
                        fileWritable ? fs::perm_options::add : fs::perm_options::remove);
        EXPECT_EXIT(
            {
                if (geteuid() == 0 && (setgid(kNobody) != 0 || setuid(kNobody) != 0))
                    std::_Exit(2);
                std::_Exit(check() ? 0 : 1);
            },
            testing::ExitedWithCode(0), "");
    }

    fs::path dir_;
};

TEST_F(ConfigFile, AWritableProgramCopyIsUsedInPlace) {
    EXPECT_EQ(Chosen(), (ProgramDir() / "config" / "AppConfig.ini").string());
    EXPECT_FALSE(fs::exists(UserCopy()));
}

TEST_F(ConfigFile, AnUnwritableProgramFolderGivesTheUserACopyOfTheShippedFile) {
    AsUserWhoCannotWriteTheProgram([this] {
        return Chosen() == UserCopy().string() && Read(UserCopy()) == "[UnitSetting]\n";
    });
}

TEST_F(ConfigFile, AWritableFileInAFolderThatTakesNoFilesIsNotChosen) {
    AsUserWhoCannotWriteTheProgram(
        [this] {
            // The file itself could be written: only the folder, where every write
            // makes its temporary file, cannot.
            return Chosen() == UserCopy().string() && Read(UserCopy()) == "[UnitSetting]\n";
        },
        /*fileWritable=*/true);
}

TEST_F(ConfigFile, TheUsersCopyIsKeptOnLaterStarts) {
    fs::create_directories(UserCopy().parent_path());
    fs::permissions(UserCopy().parent_path(), fs::perms::all);
    std::ofstream(UserCopy()) << "[MutiLanguage]\nLangFile=Chinese.lang\n";
    fs::permissions(UserCopy(), fs::perms::all);
    AsUserWhoCannotWriteTheProgram([this] {
        return Chosen() == UserCopy().string() &&
               Read(UserCopy()) == "[MutiLanguage]\nLangFile=Chinese.lang\n";
    });
}

TEST_F(ConfigFile, TheShippedFileIsReadWhenNoCopyCanBeMade) {
    fs::permissions(UserHome(), kAllWrite, fs::perm_options::remove);
    AsUserWhoCannotWriteTheProgram(
        [this] { return Chosen() == (ProgramDir() / "config" / "AppConfig.ini").string(); });
}

}  // namespace
