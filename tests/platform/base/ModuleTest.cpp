#include "platform/base/Module.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <cerrno>
#include <cwchar>
#include <filesystem>

#include "platform/base/LastError.h"
#include "shared/TextConvert.h"

namespace {

TEST(ModuleTest, WindowsNamesMapToSharedObjects) {
    struct Case {
        const char* name;
        const char* expected;
    } cases[] = {
        {"Trevane.dll", "libTrevane.so"},
        {"Oskulo.DLL", "libOskulo.so"},
        {"dir/sub/X.dll", "dir/sub/libX.so"},
        {"libm.so.6", "libm.so.6"},
        {".dll", "lib.so"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(SharedObjectName(c.name), c.expected) << c.name;
}

TEST(ModuleTest, TheFileSpecIsCutFromAPath) {
    struct Case {
        const wchar_t* path;
        const wchar_t* expected;
        BOOL removed;
    } cases[] = {
        {L"/opt/app/marlowin", L"/opt/app", TRUE},
        {L"/marlowin", L"/", TRUE},
        {L"/", L"/", FALSE},
        {L"marlowin", L"", TRUE},
        {L"", L"", FALSE},
    };
    for (const Case& c : cases) {
        wchar_t buffer[64] = {};
        std::wcscpy(buffer, c.path);
        EXPECT_EQ(PathRemoveFileSpecW(buffer), c.removed) << WideToUtf8String(c.path);
        EXPECT_STREQ(buffer, c.expected) << WideToUtf8String(c.path);
    }
}

TEST(ModuleTest, LoadsTheLibraryFromTheProgramDirectoryWhateverTheCurrentOne) {
    const std::filesystem::path before = std::filesystem::current_path();
    std::filesystem::current_path("/");
    HMODULE module = LoadLibraryW(L"ProbeLib.dll");
    std::filesystem::current_path(before);
    ASSERT_NE(module, nullptr);
    auto answer =
        reinterpret_cast<int (*)()>(reinterpret_cast<void*>(GetProcAddress(module, "ProbeAnswer")));
    ASSERT_NE(answer, nullptr);
    EXPECT_EQ(answer(), 4711);
    SetLastError(0);
    EXPECT_EQ(GetProcAddress(module, "NoSuchExport"), nullptr);
    EXPECT_EQ(GetLastError(), DWORD(ENOENT));
    EXPECT_TRUE(FreeLibrary(module));
}

TEST(ModuleTest, OtherNamesTakeTheUsualSearch) {
    HMODULE module = LoadLibraryW(L"libm.so.6");
    ASSERT_NE(module, nullptr);
    auto cosine = reinterpret_cast<double (*)(double)>(
        reinterpret_cast<void*>(GetProcAddress(module, "cos")));
    ASSERT_NE(cosine, nullptr);
    EXPECT_EQ(cosine(0.0), 1.0);
    EXPECT_TRUE(FreeLibrary(module));
}

TEST(ModuleTest, MissingLibrariesFail) {
    SetLastError(0);
    EXPECT_EQ(LoadLibraryW(L"NoSuchLibrary.dll"), nullptr);
    EXPECT_EQ(GetLastError(), DWORD(ENOENT));
    EXPECT_EQ(LoadLibraryW(L""), nullptr);
    EXPECT_EQ(GetProcAddress(nullptr, "ProbeAnswer"), nullptr);
}

TEST(ModuleTest, TheProgramPathAndDirectory) {
    wchar_t path[4096] = {};
    const DWORD n = GetModuleFileNameW(nullptr, path, 4096);
    ASSERT_GT(n, 0u);
    const std::string utf8 = WideToUtf8String(path);
    EXPECT_EQ(std::filesystem::path(utf8).filename(), "platform_base_services_tests");
    EXPECT_EQ(ProgramDirectory(), std::filesystem::path(utf8).parent_path().string());
    wchar_t small[5] = {};
    EXPECT_EQ(GetModuleFileNameW(nullptr, small, 5), 5u) << "cut to the buffer";
    EXPECT_EQ(std::wstring(small), std::wstring(path, 4));
}

}  // namespace
