#include "platform/base/PrivateProfile.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "platform/base/LastError.h"
#include "shared/TextConvert.h"

namespace {

class PrivateProfileTest : public testing::Test {
protected:
    void SetUp() override {
        char pattern[] = "/tmp/profiletest-XXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        dir_ = pattern;
        path_ = Utf8ToWideString(dir_ + "/config.ini");
    }
    void TearDown() override { std::filesystem::remove_all(dir_); }

    void WriteText(const std::string& text) const {
        std::ofstream(WideToUtf8String(path_), std::ios::binary) << text;
    }
    std::string ReadText() const {
        std::ifstream in(WideToUtf8String(path_), std::ios::binary);
        std::stringstream s;
        s << in.rdbuf();
        return s.str();
    }
    std::wstring Get(const wchar_t* section, const wchar_t* key, const wchar_t* def = L"none") {
        wchar_t buffer[64] = {};
        GetPrivateProfileStringW(section, key, def, buffer, 64, path_.c_str());
        return buffer;
    }

    std::string dir_;
    std::wstring path_;
};

TEST_F(PrivateProfileTest, ReadsWithoutCaseAndTrimsAndUnquotes) {
    WriteText(
        "\xEF\xBB\xBF; a comment\r\n[Main]\r\n  Name = Value one  \r\nQuoted=\"  spaced \"\r\n"
        "Empty=\r\n[Other]\r\nName=other\r\n");
    struct Case {
        const wchar_t* section;
        const wchar_t* key;
        std::wstring expected;
    } cases[] = {
        {L"Main", L"Name", L"Value one"},   {L"MAIN", L"name", L"Value one"},
        {L" main ", L"NAME", L"Value one"}, {L"Main", L"Quoted", L"  spaced "},
        {L"Main", L"Empty", L""},           {L"Other", L"name", L"other"},
        {L"Main", L"Missing", L"none"},     {L"Missing", L"Name", L"none"},
        {L"Main", L"; a comment", L"none"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Get(c.section, c.key), c.expected)
            << WideToUtf8String(c.section) << "/" << WideToUtf8String(c.key);
}

TEST_F(PrivateProfileTest, DefaultsWhenTheFileIsMissing) {
    EXPECT_EQ(Get(L"S", L"K", L"fallback  "), L"fallback") << "blanks at the end are dropped";
    EXPECT_EQ(Get(L"S", L"K", nullptr), L"");
    EXPECT_EQ(GetPrivateProfileIntW(L"S", L"K", 10000, path_.c_str()), 10000u);
    EXPECT_FALSE(std::filesystem::exists(WideToUtf8String(path_))) << "reading makes no file";
}

TEST_F(PrivateProfileTest, IntegersTakeTheLeadingNumber) {
    WriteText("[N]\na=42\nb= -7 \nc=12abc\nd=abc\ne=0x1F\nf=\n");
    struct Case {
        const wchar_t* key;
        UINT expected;
    } cases[] = {{L"a", 42}, {L"b", UINT(-7)}, {L"c", 12}, {L"d", 0},
                 {L"e", 31}, {L"f", 0},        {L"g", 5}};
    for (const Case& c : cases)
        EXPECT_EQ(GetPrivateProfileIntW(L"n", c.key, 5, path_.c_str()), c.expected)
            << WideToUtf8String(c.key);
}

TEST_F(PrivateProfileTest, WritingCreatesFileAndSectionAndKeepsOrder) {
    ASSERT_TRUE(
        WritePrivateProfileStringW(L"UnitSetting", L"DefaultSpeedUnit", L"1", path_.c_str()));
    ASSERT_TRUE(WritePrivateProfileStringW(L"IE", L"Version", L"10000", path_.c_str()));
    ASSERT_TRUE(
        WritePrivateProfileStringW(L"unitsetting", L"DefaultTemperatureUnit", L"0", path_.c_str()));
    ASSERT_TRUE(
        WritePrivateProfileStringW(L"UNITSETTING", L"defaultspeedunit", L"0", path_.c_str()));
    EXPECT_EQ(ReadText(),
              "[UnitSetting]\r\nDefaultSpeedUnit=0\r\nDefaultTemperatureUnit=0\r\n\r\n"
              "[IE]\r\nVersion=10000\r\n");
    EXPECT_EQ(GetPrivateProfileIntW(L"UnitSetting", L"DefaultSpeedUnit", 9, path_.c_str()), 0u);
}

TEST_F(PrivateProfileTest, ChangesKeepCommentsLineBreaksAndNonAsciiText) {
    WriteText("; keep me\n[A]\nx=1\n\n[B]\ny=2\n");
    ASSERT_TRUE(WritePrivateProfileStringW(L"A", L"dir", L"/tmp/\u4e2d\u6587", path_.c_str()));
    EXPECT_EQ(ReadText(), "; keep me\n[A]\nx=1\ndir=/tmp/\xE4\xB8\xAD\xE6\x96\x87\n\n[B]\ny=2\n");
    EXPECT_EQ(Get(L"a", L"DIR"), L"/tmp/\u4e2d\u6587");
}

TEST_F(PrivateProfileTest, AChangedFileKeepsItsPermissionBits) {
    WriteText("[A]\nx=1\n");
    ASSERT_EQ(chmod(WideToUtf8String(path_).c_str(), 0600), 0);
    ASSERT_TRUE(WritePrivateProfileStringW(L"A", L"x", L"2", path_.c_str()));
    struct stat st {};
    ASSERT_EQ(stat(WideToUtf8String(path_).c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0600u);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir_),
                            std::filesystem::directory_iterator()),
              1)
        << "no temporary file is left";
}

TEST_F(PrivateProfileTest, NullValueDeletesKeyAndNullKeyDeletesSection) {
    WriteText("[A]\nx=1\ny=2\n[B]\nz=3\n");
    ASSERT_TRUE(WritePrivateProfileStringW(L"a", L"X", nullptr, path_.c_str()));
    ASSERT_TRUE(WritePrivateProfileStringW(L"b", nullptr, nullptr, path_.c_str()));
    EXPECT_EQ(ReadText(), "[A]\ny=2\n");
    const std::wstring missing = Utf8ToWideString(dir_ + "/absent.ini");
    EXPECT_TRUE(WritePrivateProfileStringW(L"a", L"x", nullptr, missing.c_str()));
    EXPECT_FALSE(std::filesystem::exists(dir_ + "/absent.ini")) << "a delete makes no file";
}

TEST_F(PrivateProfileTest, ListsAndTruncation) {
    WriteText("[First]\nalpha=1\nbeta=2\n[Second]\n");
    wchar_t buffer[32];
    DWORD n = GetPrivateProfileStringW(nullptr, nullptr, L"", buffer, 32, path_.c_str());
    EXPECT_EQ(std::wstring(buffer, n + 1), std::wstring(L"First\0Second\0\0", 14));
    n = GetPrivateProfileStringW(L"first", nullptr, L"", buffer, 32, path_.c_str());
    EXPECT_EQ(std::wstring(buffer, n + 1), std::wstring(L"alpha\0beta\0\0", 12));
    n = GetPrivateProfileStringW(L"first", nullptr, L"", buffer, 8, path_.c_str());
    EXPECT_EQ(n, 6u) << "a list cut to size - 2";
    EXPECT_EQ(std::wstring(buffer, 8), std::wstring(L"alpha\0\0\0", 8));
    n = GetPrivateProfileStringW(L"First", L"alpha", L"", buffer, 1, path_.c_str());
    EXPECT_EQ(n, 0u);
    n = GetPrivateProfileStringW(L"Missing", L"k", L"long default", buffer, 5, path_.c_str());
    EXPECT_EQ(n, 4u);
    EXPECT_STREQ(buffer, L"long");
}

TEST_F(PrivateProfileTest, WritingIntoAMissingDirectoryFails) {
    const std::wstring bad = Utf8ToWideString(dir_ + "/no/such/dir/x.ini");
    EXPECT_FALSE(WritePrivateProfileStringW(L"a", L"b", L"c", bad.c_str()));
    EXPECT_FALSE(WritePrivateProfileStringW(nullptr, L"b", L"c", path_.c_str()));
}

TEST_F(PrivateProfileTest, AFileThatCannotBeReadIsNeverRewrittenFromNothing) {
    const std::string whole = "[MutiLanguage]\nLangFile=Chinese.lang\n[AutoReplay]\nAutoReplay=1\n";
    WriteText(whole);
    const std::string path = WideToUtf8String(path_);
    // Readable by its owner only; the writer below is another user (or, when
    // the test does not run as root, the owner without read permission), who
    // may still replace files in the folder.
    ASSERT_EQ(chmod(path.c_str(), geteuid() == 0 ? 0600 : 0200), 0);
    ASSERT_EQ(chmod(dir_.c_str(), 0777), 0);
    EXPECT_EXIT(
        {
            constexpr uid_t kNobody = 65534;
            if (geteuid() == 0 && (setgid(kNobody) != 0 || setuid(kNobody) != 0))
                std::_Exit(2);
            const BOOL written = WritePrivateProfileStringW(L"UnitSetting", L"DefaultSpeedUnit",
                                                            L"1", path_.c_str());
            std::_Exit(written == FALSE && GetLastError() == EACCES ? 0 : 1);
        },
        testing::ExitedWithCode(0), "");
    ASSERT_EQ(chmod(path.c_str(), 0600), 0);
    EXPECT_EQ(ReadText(), whole) << "every other setting is still there";
}

TEST_F(PrivateProfileTest, FoldersAndFifosAreNeitherReadNorReplaced) {
    const std::string fifo = dir_ + "/fifo.ini";
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    const std::wstring fifoPath = Utf8ToWideString(fifo);
    wchar_t buffer[16] = {};
    GetPrivateProfileStringW(L"A", L"x", L"none", buffer, 16, fifoPath.c_str());
    EXPECT_STREQ(buffer, L"none") << "read without waiting for a writer";
    EXPECT_FALSE(WritePrivateProfileStringW(L"A", L"x", L"1", fifoPath.c_str()));
    struct stat st {};
    ASSERT_EQ(stat(fifo.c_str(), &st), 0);
    EXPECT_TRUE(S_ISFIFO(st.st_mode));
    const std::wstring folder = Utf8ToWideString(dir_);
    EXPECT_FALSE(WritePrivateProfileStringW(L"A", L"x", L"1", folder.c_str()));
    EXPECT_FALSE(WritePrivateProfileStringW(L"A", L"x", nullptr, folder.c_str()));
}

TEST_F(PrivateProfileTest, LineBreaksAreRefusedAndNothingIsInjected) {
    WriteText("[JpegCaptureSetting]\nDefaultDir=/home/u/pic\n[IE]\nMapOff=0\n");
    const std::string before = ReadText();
    struct Case {
        const wchar_t* section;
        const wchar_t* key;
        const wchar_t* value;
    } cases[] = {
        {L"JpegCaptureSetting", L"DefaultDir", L"/home/u/Pictures\n[IE]\nMapOff=1"},
        {L"JpegCaptureSetting", L"DefaultDir", L"/home/u/Pictures\r[IE]"},
        {L"JpegCaptureSetting", L"DefaultDir", L"/home/u/Pictures\r\nMapOff=1"},
        {L"JpegCaptureSetting", L"Default\nMapOff", L"1"},
        {L"IE]\n[IE", L"MapOff", L"1"},
    };
    for (const Case& c : cases) {
        SetLastError(0);
        EXPECT_FALSE(WritePrivateProfileStringW(c.section, c.key, c.value, path_.c_str()))
            << WideToUtf8String(c.value);
        EXPECT_EQ(GetLastError(), DWORD(EINVAL));
    }
    EXPECT_EQ(ReadText(), before);
    EXPECT_EQ(GetPrivateProfileIntW(L"IE", L"MapOff", 7, path_.c_str()), 0u);
    EXPECT_TRUE(WritePrivateProfileStringW(L"JpegCaptureSetting", L"DefaultDir",
                                           L"/home/u/[IE] MapOff=1", path_.c_str()))
        << "other characters are stored as they are";
    EXPECT_EQ(Get(L"JpegCaptureSetting", L"DefaultDir"), L"/home/u/[IE] MapOff=1");
}

}  // namespace
