#include "app/shell/AppConfig.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "app/shell/HalbrookApp.h"
#include "platform/afx/MessageBox.h"
#include "platform/base/Module.h"
#include "platform/base/Registry.h"
#include "platform/user/Messages.h"
#include "shared/TextConvert.h"

namespace {

namespace fs = std::filesystem;

constexpr wchar_t kEmulationKey[] =
    L"SOFTWARE\\Microsoft\\Internet Explorer\\Main\\FeatureControl\\FEATURE_BROWSER_EMULATION";

std::wstring Wide(const fs::path& p) {
    return Utf8ToWideString(p.string());
}

std::wstring ExecutableName() {
    return Utf8ToWideString(fs::read_symlink("/proc/self/exe").filename().string());
}

// DVR_ROOT, the registry store and the INI file in a temporary directory;
// message boxes answered and recorded.
class AppConfig : public testing::Test {
protected:
    void SetUp() override {
        dir_ = fs::temp_directory_path() /
               ("appconfig-" + std::to_string(::getpid()) + "-" +
                testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(dir_);
        fs::create_directories(dir_);
        setenv("DVR_ROOT", (dir_ / "DVR").c_str(), 1);
        setenv("DVR_REGISTRY_FILE", (dir_ / "registry").c_str(), 1);
        savedIni_ = g_strIniPath;
        g_strIniPath = Wide(dir_ / "AppConfig.ini").c_str();
        SetMessageBoxHook([this](const MessageBoxRequest& r) {
            boxes_.push_back(r.text);
            captions_.push_back(r.caption);
            return IDOK;
        });
    }
    void TearDown() override {
        SetMessageBoxHook(nullptr);
        g_strIniPath = savedIni_;
        unsetenv("DVR_ROOT");
        unsetenv("DVR_REGISTRY_FILE");
        fs::remove_all(dir_);
    }
    void WriteIni(const std::string& text) { std::ofstream(dir_ / "AppConfig.ini") << text; }

    // The emulation value of this executable: its type and number.
    std::pair<DWORD, DWORD> Emulation() {
        HKEY key = nullptr;
        EXPECT_EQ(RegOpenKeyExW(HKEY_LOCAL_MACHINE, kEmulationKey, 0, KEY_READ, &key),
                  ERROR_SUCCESS);
        DWORD type = 0, value = 0, size = sizeof value;
        RegQueryValueExW(key, ExecutableName().c_str(), nullptr, &type,
                         reinterpret_cast<BYTE*>(&value), &size);
        RegCloseKey(key);
        return {type, value};
    }
    void SetEmulation(DWORD type, const void* data, DWORD size) {
        HKEY key = nullptr;
        ASSERT_EQ(RegOpenKeyExW(HKEY_LOCAL_MACHINE, kEmulationKey, 0, KEY_WRITE, &key),
                  ERROR_SUCCESS);
        RegSetValueExW(key, ExecutableName().c_str(), 0, type, static_cast<const BYTE*>(data),
                       size);
        RegCloseKey(key);
    }

    fs::path dir_;
    CString savedIni_;
    std::vector<std::wstring> boxes_;
    std::vector<std::wstring> captions_;
};

TEST_F(AppConfig, WithoutAFileEverythingTakesItsDefault) {
    theApp.ReadAppConfig();
    EXPECT_STREQ(g_strLangFile, L"");
    EXPECT_EQ(std::wstring(g_szJpegDir), Wide(dir_ / "DVR" / "pic"));
    EXPECT_EQ(std::wstring(g_szCaptureDir), Wide(dir_ / "DVR" / "capture"));
    EXPECT_EQ(std::wstring(g_szLogDir), Wide(dir_ / "DVR" / "log"));
    for (const char* sub : {"pic", "capture", "log"})
        EXPECT_TRUE(fs::is_directory(dir_ / "DVR" / sub)) << sub;
    EXPECT_EQ(g_nSpeedUnit, 0);
    EXPECT_EQ(g_nTemperatureUnit, 0);
    EXPECT_EQ(g_nMapType, 0);
    EXPECT_EQ(g_nIEVersion, 10000);
    EXPECT_EQ(g_nAutoReplay, 0);
    EXPECT_EQ(g_nMapOff, 0);
    EXPECT_EQ(g_nGopV3Out, 1);
    EXPECT_EQ(Emulation(), std::make_pair(REG_DWORD, DWORD(10000)));
    EXPECT_TRUE(boxes_.empty()) << "a fresh store has the emulation key";
}

TEST_F(AppConfig, ConfiguredValuesAreTakenAsTheyStand) {
    const fs::path elsewhere = dir_ / "elsewhere";
    WriteIni("[MutiLanguage]\nLangFile=" + std::string(40, 'L') +
             "\n[JpegCaptureSetting]\nDefaultDir=" + (elsewhere / "p").string() +
             "\n[ScreenCaptureSetting]\nDefaultDir=" + (elsewhere / "c" / "deep").string() +
             "\n[LogFileSetting]\nDefaultDir=" + (elsewhere / "\xE6\x97\xA5\xE5\xBF\x97").string() +
             "\n[UnitSetting]\nDefaultSpeedUnit=1\nDefaultTemperatureUnit=7\nDefaultMapType=-3\n"
             "[IE]\nVersion=abc\nMapOff=0x10\nGopV3Out=0\n[AutoReplay]\nAutoReplay=2junk\n");
    theApp.ReadAppConfig();
    EXPECT_EQ(g_strLangFile.GetLength(), 31) << "cut to its 32-character buffer";
    EXPECT_TRUE(fs::is_directory(elsewhere / "p"));
    EXPECT_TRUE(fs::is_directory(elsewhere / "c" / "deep"));
    EXPECT_TRUE(fs::is_directory(elsewhere / "\xE6\x97\xA5\xE5\xBF\x97"));
    EXPECT_TRUE(fs::is_directory(dir_ / "DVR")) << "made whatever the directories are";
    EXPECT_FALSE(fs::exists(dir_ / "DVR" / "pic"));
    EXPECT_EQ(g_nSpeedUnit, 1);
    EXPECT_EQ(g_nTemperatureUnit, 7);
    EXPECT_EQ(g_nMapType, -3);
    EXPECT_EQ(g_nIEVersion, 0);
    EXPECT_EQ(g_nMapOff, 16);
    EXPECT_EQ(g_nGopV3Out, 0);
    EXPECT_EQ(g_nAutoReplay, 2);
    EXPECT_EQ(Emulation(), std::make_pair(REG_DWORD, DWORD(0))) << "written without a range check";
}

TEST_F(AppConfig, TheShippedFileGivesTheDefaults) {
    fs::copy_file(fs::path(ProgramDirectory()) / "config" / "AppConfig.ini",
                  dir_ / "AppConfig.ini");
    theApp.ReadAppConfig();
    EXPECT_STREQ(g_strLangFile, L"English.lang");
    EXPECT_EQ(std::wstring(g_szLogDir), Wide(dir_ / "DVR" / "log"));
    EXPECT_EQ(g_nIEVersion, 10000);
    EXPECT_EQ(g_nGopV3Out, 1);
}

TEST_F(AppConfig, TheEmulationValueIsMadeARightDwordWithoutAMessage) {
    const wchar_t text[] = L"10000";
    SetEmulation(REG_SZ, text, sizeof text);
    theApp.ReadAppConfig();
    EXPECT_EQ(Emulation(), std::make_pair(REG_DWORD, DWORD(10000)));

    const DWORD other = 11001;
    SetEmulation(REG_DWORD, &other, sizeof other);
    theApp.ReadAppConfig();
    EXPECT_EQ(Emulation(), std::make_pair(REG_DWORD, DWORD(10000)));
    EXPECT_TRUE(boxes_.empty());
}

TEST_F(AppConfig, AnEqualEmulationValueIsNotWrittenAgain) {
    const DWORD same = 10000;
    SetEmulation(REG_DWORD, &same, sizeof same);
    // Every change of the store replaces its file, so an untouched inode
    // shows that nothing was written.
    const auto inode = [&] {
        struct stat st {};
        ::stat((dir_ / "registry").c_str(), &st);
        return st.st_ino;
    };
    const auto before = inode();
    theApp.ReadAppConfig();
    EXPECT_EQ(inode(), before);
    EXPECT_TRUE(boxes_.empty());
}

TEST_F(AppConfig, AStoreThatCannotBeOpenedIsReported) {
    std::ofstream(dir_ / "file") << "x";
    setenv("DVR_REGISTRY_FILE", (dir_ / "file" / "registry").c_str(), 1);
    theApp.ReadAppConfig();
    EXPECT_EQ(boxes_, std::vector<std::wstring>{L"Open registry fail"});
    EXPECT_EQ(captions_, std::vector<std::wstring>{L"Marlowin"}) << "the program's name";
    EXPECT_TRUE(fs::is_directory(dir_ / "DVR" / "log")) << "start-up goes on";
}

}  // namespace
