#include "platform/base/Process.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "platform/base/LastError.h"
#include "platform/base/Module.h"
#include "platform/base/Waitable.h"
#include "shared/TextConvert.h"

namespace {

TEST(CommandLineTest, SplitsByThePlatformRules) {
    struct Case {
        const wchar_t* line;
        std::vector<std::wstring> expected;
    } cases[] = {
        {L"a b\tc", {L"a", L"b", L"c"}},
        {L"  \"with blanks\" x  ", {L"with blanks", L"x"}},
        {L"pre\"mid dle\"post", {L"premid dlepost"}},
        {L"a\\\\b \\\"q\\\" c\\\\\"d e\"", {L"a\\\\b", L"\"q\"", L"c\\d e"}},
        {L"\"\" \"a\"\"b\"", {L"", L"a\"b"}},
        {L"", {}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(SplitCommandLine(c.line), c.expected) << WideToUtf8String(c.line);
}

class ProcessTest : public testing::Test {
protected:
    void SetUp() override {
        char pattern[] = "/tmp/process test-XXXXXX";  // a blank in every path
        ASSERT_NE(mkdtemp(pattern), nullptr);
        dir_ = pattern;
    }
    void TearDown() override { std::filesystem::remove_all(dir_); }
    std::string Output() const {
        std::ifstream in(dir_ + "/out put.txt");
        std::stringstream s;
        s << in.rdbuf();
        return s.str();
    }

    std::string dir_;
};

TEST_F(ProcessTest, StartsWithArgumentsContainingBlanksAndNoShell) {
    const std::wstring program = Utf8ToWideString(ProgramDirectory() + "/argv_writer.exe");
    const std::wstring out = Utf8ToWideString(dir_ + "/out put.txt");
    std::wstring line =
        L"\"" + program + L"\" \"" + out + L"\" 1 \"1.14 beta\" \"$HOME;`x`|y\" \"say \\\"hi\\\"\"";
    STARTUPINFOW si{};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi{};
    const std::wstring cwd = Utf8ToWideString(dir_);
    ASSERT_TRUE(CreateProcessW(program.c_str(), line.data(), nullptr, nullptr, FALSE,
                               CREATE_NO_WINDOW | CREATE_DEFAULT_ERROR_MODE, nullptr, cwd.c_str(),
                               &si, &pi))
        << GetLastError();
    ASSERT_EQ(WaitForSingleObject(pi.hProcess, 10000), WAIT_OBJECT_0);
    DWORD code = 0;
    EXPECT_TRUE(GetExitCodeProcess(pi.hProcess, &code));
    EXPECT_EQ(code, 4u);
    EXPECT_EQ(Output(), "1\n1.14 beta\n$HOME;`x`|y\nsay \"hi\"\ncwd=" + dir_ + "\n");
    EXPECT_TRUE(CloseHandle(pi.hProcess));
    EXPECT_TRUE(CloseHandle(pi.hThread));
}

TEST_F(ProcessTest, TheProgramComesFromTheCommandLineWithoutAnApplicationName) {
    const std::string program = ProgramDirectory() + "/argv_writer";
    std::wstring line = Utf8ToWideString("\"" + program + "\" \"" + dir_ + "/out put.txt\" only");
    PROCESS_INFORMATION pi{};
    ASSERT_TRUE(CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                               nullptr, &pi));
    ASSERT_EQ(WaitForSingleObject(pi.hProcess, 10000), WAIT_OBJECT_0);
    EXPECT_EQ(Output().substr(0, 5), "only\n");
    CloseHandle(pi.hProcess);
    CloseHandle(pi.hThread);
}

// Arguments that a command line would have to quote arrive as they stand.
TEST_F(ProcessTest, StartProcessPassesTheArgumentsAsTheyStand) {
    const std::wstring program = Utf8ToWideString(ProgramDirectory() + "/argv_writer");
    const std::wstring out = Utf8ToWideString(dir_ + "/out put.txt");
    PROCESS_INFORMATION pi{};
    ASSERT_TRUE(StartProcess({program, out, L"C:\\dir\\", L"a \"b\"", L""}, nullptr, &pi))
        << GetLastError();
    ASSERT_EQ(WaitForSingleObject(pi.hProcess, 10000), WAIT_OBJECT_0);
    EXPECT_EQ(Output().substr(0, Output().find("cwd=")), "C:\\dir\\\na \"b\"\n\n");
    CloseHandle(pi.hProcess);
    CloseHandle(pi.hThread);
    PROCESS_INFORMATION none{};
    EXPECT_FALSE(StartProcess({}, nullptr, &none));
}

TEST_F(ProcessTest, AMissingProgramFails) {
    std::wstring line = L"nothing here";
    PROCESS_INFORMATION pi{};
    const std::wstring program = Utf8ToWideString(dir_ + "/Updater.exe");
    SetLastError(0);
    EXPECT_FALSE(CreateProcessW(program.c_str(), line.data(), nullptr, nullptr, FALSE, 0, nullptr,
                                nullptr, nullptr, &pi));
    EXPECT_EQ(GetLastError(), DWORD(ENOENT));
}

TEST(AdminTest, FollowsTheEffectiveUser) {
    EXPECT_EQ(IsUserAnAdmin(), geteuid() == 0 ? TRUE : FALSE);
}

}  // namespace
