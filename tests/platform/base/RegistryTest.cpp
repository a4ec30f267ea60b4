#include "platform/base/Registry.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

namespace {

const wchar_t* const kEmulation =
    L"SOFTWARE\\Microsoft\\Internet Explorer\\Main\\FeatureControl\\FEATURE_BROWSER_EMULATION";

class RegistryTest : public testing::Test {
protected:
    void SetUp() override {
        char pattern[] = "/tmp/registrytest-XXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        dir_ = pattern;
        UseStore(dir_ + "/store/registry");
    }
    void TearDown() override {
        unsetenv("DVR_REGISTRY_FILE");
        std::filesystem::remove_all(dir_);
    }
    void UseStore(const std::string& path) { setenv("DVR_REGISTRY_FILE", path.c_str(), 1); }
    std::string StoreText() const {
        std::ifstream in(dir_ + "/store/registry");
        std::stringstream s;
        s << in.rdbuf();
        return s.str();
    }

    std::string dir_;
};

DWORD ReadDword(HKEY key, const wchar_t* name, LONG* status, DWORD* type) {
    DWORD value = 0;
    DWORD size = sizeof value;
    *status = RegQueryValueExW(key, name, nullptr, type, reinterpret_cast<BYTE*>(&value), &size);
    return value;
}

TEST_F(RegistryTest, AFreshStoreHasTheBrowserEmulationKey) {
    HKEY key = nullptr;
    ASSERT_EQ(RegOpenKeyExW(HKEY_LOCAL_MACHINE, kEmulation, 0, KEY_READ | KEY_WRITE, &key),
              ERROR_SUCCESS);
    EXPECT_TRUE(std::filesystem::exists(dir_ + "/store/registry")) << "made with its directory";
    LONG status = 0;
    DWORD type = 0;
    ReadDword(key, L"Marlowin", &status, &type);
    EXPECT_EQ(status, ERROR_FILE_NOT_FOUND);
    const DWORD version = 10000;
    ASSERT_EQ(RegSetValueExW(key, L"Marlowin", 0, REG_DWORD,
                             reinterpret_cast<const BYTE*>(&version), sizeof version),
              ERROR_SUCCESS);
    EXPECT_EQ(RegCloseKey(key), ERROR_SUCCESS);

    // Another handle, another spelling: the value was kept in the file.
    ASSERT_EQ(RegOpenKeyExW(HKEY_LOCAL_MACHINE,
                            L"software\\MICROSOFT\\internet explorer\\main\\featurecontrol\\"
                            L"feature_browser_emulation\\",
                            0, KEY_READ, &key),
              ERROR_SUCCESS);
    EXPECT_EQ(ReadDword(key, L"marlowin", &status, &type), 10000u);
    EXPECT_EQ(status, ERROR_SUCCESS);
    EXPECT_EQ(type, REG_DWORD);
    EXPECT_EQ(RegSetValueExW(key, L"x", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&version), 4),
              ERROR_ACCESS_DENIED)
        << "opened for reading only";
    RegCloseKey(key);
    EXPECT_NE(StoreText().find("\"Marlowin\"=dword:00002710"), std::string::npos) << StoreText();
}

TEST_F(RegistryTest, OpenNeverCreatesAndCreateDoes) {
    HKEY key = nullptr;
    EXPECT_EQ(RegOpenKeyExW(HKEY_CURRENT_USER, L"Software\\Ours\\Deep", 0, KEY_READ, &key),
              ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(key, nullptr);
    DWORD disposition = 0;
    ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, L"Software\\Ours\\Deep", 0, nullptr, 0,
                              KEY_ALL_ACCESS, nullptr, &key, &disposition),
              ERROR_SUCCESS);
    EXPECT_EQ(disposition, REG_CREATED_NEW_KEY);
    RegCloseKey(key);
    ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, L"software\\ours\\deep", 0, nullptr, 0,
                              KEY_ALL_ACCESS, nullptr, &key, &disposition),
              ERROR_SUCCESS);
    EXPECT_EQ(disposition, REG_OPENED_EXISTING_KEY);
    RegCloseKey(key);
    EXPECT_EQ(RegDeleteKeyW(HKEY_CURRENT_USER, L"Software\\Ours"), ERROR_KEY_HAS_CHILDREN);
    EXPECT_EQ(RegDeleteKeyW(HKEY_CURRENT_USER, L"Software\\Ours\\Deep"), ERROR_SUCCESS);
    EXPECT_EQ(RegOpenKeyExW(HKEY_CURRENT_USER, L"Software\\Ours\\Deep", 0, KEY_READ, &key),
              ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(RegCloseKey(key), ERROR_INVALID_HANDLE) << "no handle was made";
}

TEST_F(RegistryTest, ValuesOfEveryKindSurviveTheFile) {
    HKEY key = nullptr;
    ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, L"Software\\Kinds", 0, nullptr, 0, KEY_ALL_ACCESS,
                              nullptr, &key, nullptr),
              ERROR_SUCCESS);
    const std::wstring text = L"a \"quoted\"\\path\nnext line \u00e9";
    const BYTE binary[] = {0, 1, 0xFF, '\n'};
    ASSERT_EQ(RegSetValueExW(key, L"Text", 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                             DWORD((text.size() + 1) * sizeof(wchar_t))),
              ERROR_SUCCESS);
    ASSERT_EQ(RegSetValueExW(key, L"odd \"name\"", 0, REG_BINARY, binary, sizeof binary),
              ERROR_SUCCESS);
    RegCloseKey(key);

    ASSERT_EQ(RegOpenKeyExW(HKEY_CURRENT_USER, L"Software\\Kinds", 0, KEY_READ, &key),
              ERROR_SUCCESS);
    DWORD type = 0, size = 0;
    ASSERT_EQ(RegQueryValueExW(key, L"text", nullptr, &type, nullptr, &size), ERROR_SUCCESS);
    EXPECT_EQ(type, REG_SZ);
    EXPECT_EQ(size, (text.size() + 1) * sizeof(wchar_t));
    std::wstring back(text.size() + 1, L'?');
    DWORD small = 4;
    EXPECT_EQ(RegQueryValueExW(key, L"text", nullptr, &type, reinterpret_cast<BYTE*>(back.data()),
                               &small),
              ERROR_MORE_DATA);
    EXPECT_EQ(small, size);
    ASSERT_EQ(
        RegQueryValueExW(key, L"text", nullptr, &type, reinterpret_cast<BYTE*>(back.data()), &size),
        ERROR_SUCCESS);
    EXPECT_EQ(std::wstring(back.c_str()), text);
    BYTE got[8] = {};
    size = sizeof got;
    ASSERT_EQ(RegQueryValueExW(key, L"odd \"name\"", nullptr, &type, got, &size), ERROR_SUCCESS);
    EXPECT_EQ(type, REG_BINARY);
    EXPECT_EQ(std::vector<BYTE>(got, got + size), std::vector<BYTE>(binary, binary + 4));
    RegCloseKey(key);
}

TEST_F(RegistryTest, AStoreThatCannotBeOpenedFails) {
    std::filesystem::create_directories(dir_ + "/blocked");
    std::ofstream(dir_ + "/blocked/file") << "not a directory";
    UseStore(dir_ + "/blocked/file/registry");
    HKEY key = nullptr;
    EXPECT_EQ(RegOpenKeyExW(HKEY_LOCAL_MACHINE, kEmulation, 0, KEY_READ, &key),
              ERROR_REGISTRY_IO_FAILED);
    EXPECT_EQ(key, nullptr);
    UseStore(dir_ + "/blocked");  // a directory, not a file
    EXPECT_EQ(RegOpenKeyExW(HKEY_LOCAL_MACHINE, kEmulation, 0, KEY_READ, &key),
              ERROR_REGISTRY_IO_FAILED);
}

TEST_F(RegistryTest, AnExistingStoreGainsTheStandardKeysAndKeepsItsOwn) {
    std::filesystem::create_directories(dir_ + "/store");
    std::ofstream(dir_ + "/store/registry") << "[HKEY_CURRENT_USER\\Software\\Mine]\n"
                                               "\"v\"=dword:0000002a\n";
    HKEY key = nullptr;
    ASSERT_EQ(RegOpenKeyExW(HKEY_LOCAL_MACHINE, kEmulation, 0, KEY_READ, &key), ERROR_SUCCESS);
    RegCloseKey(key);
    ASSERT_EQ(RegOpenKeyExW(HKEY_CURRENT_USER, L"Software\\Mine", 0, KEY_READ, &key),
              ERROR_SUCCESS);
    LONG status = 0;
    DWORD type = 0;
    EXPECT_EQ(ReadDword(key, L"v", &status, &type), 42u);
    RegCloseKey(key);
}

}  // namespace
