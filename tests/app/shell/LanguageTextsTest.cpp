#include "app/shell/LanguageTexts.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cstdlib>
#include <cwchar>
#include <filesystem>
#include <fstream>
#include <set>
#include <string>
#include <thread>

#include "app/shell/AppConfig.h"
#include "platform/base/Module.h"
#include "shared/TextConvert.h"

namespace {

namespace fs = std::filesystem;

// Program directory in a temporary directory with config/lang/ below it.
class LanguageFiles : public testing::Test {
protected:
    void SetUp() override {
        std::wcscpy(savedDir_, g_szProgramDir);
        dir_ = fs::temp_directory_path() / ("lang-" + std::to_string(::getpid()));
        fs::remove_all(dir_);
        fs::create_directories(dir_ / "config" / "lang");
        std::wcscpy(g_szProgramDir, Utf8ToWideString(dir_.string()).c_str());
    }
    void TearDown() override {
        std::wcscpy(g_szProgramDir, savedDir_);
        fs::remove_all(dir_);
        SetDefaultLanguageTexts();
    }
    fs::path Write(const std::string& name, const std::string& bytes) {
        const fs::path file = dir_ / "config" / "lang" / name;
        std::ofstream(file, std::ios::binary) << bytes;
        return file;
    }

    fs::path dir_;
    wchar_t savedDir_[kConfigPathSize] = {};
};

struct LoadCase {
    const char* name;
    std::string bytes;
    const wchar_t* ready;  // IDS_STATE_READY afterwards
    const wchar_t* pause;  // IDS_STATE_PAUSE afterwards
};

TEST_F(LanguageFiles, LinesSetTheirKeysExactly) {
    const LoadCase cases[] = {
        {"a key sets its text", "IDS_STATE_READY=Bereit\n", L"Bereit", L"Pause"},
        {"a space before '=' is part of the key", "IDS_STATE_READY =Bereit\n", L"Ready", L"Pause"},
        {"a space after '=' is part of the value", "IDS_STATE_READY= Bereit\n", L" Bereit",
         L"Pause"},
        {"keys keep their case", "ids_state_ready=Bereit\n", L"Ready", L"Pause"},
        {"'=' inside a value", "IDS_STATE_READY=a=b==c\n", L"a=b==c", L"Pause"},
        {"an empty value", "IDS_STATE_READY=\n", L"", L"Pause"},
        {"the last of two lines wins", "IDS_STATE_READY=one\nIDS_STATE_READY=two\n", L"two",
         L"Pause"},
        {"CR LF line ends", "IDS_STATE_READY=Bereit\r\nIDS_STATE_PAUSE=Halt\r\n", L"Bereit",
         L"Halt"},
        {"no final line break", "IDS_STATE_PAUSE=Halt", L"Ready", L"Halt"},
        {"'%' and backslashes stay", "IDS_STATE_READY=100% \\n \"q\"\n", L"100% \\n \"q\"",
         L"Pause"},
        {"comments and unknown keys are skipped",
         "; c\n[s]\nIDS_NOPE=x\nno equals\nIDS_STATE_PAUSE=Halt\n", L"Ready", L"Halt"},
        {"a byte-order mark is not part of the first key",
         "\xEF\xBB\xBFIDS_STATE_READY=Bereit\nIDS_STATE_PAUSE=Halt\n", L"Bereit", L"Halt"},
        {"non-ASCII text", "IDS_STATE_READY=\xE5\xB0\xB1\xE7\xBB\xAA\n", L"\u5C31\u7EEA", L"Pause"},
    };
    for (const LoadCase& c : cases) {
        Write("case.lang", c.bytes);
        EXPECT_TRUE(LoadLanguageFile(L"case.lang")) << c.name;
        EXPECT_STREQ(IDS_STATE_READY, c.ready) << c.name;
        EXPECT_STREQ(IDS_STATE_PAUSE, c.pause) << c.name;
    }
}

TEST_F(LanguageFiles, ALongLineIsAppliedWholeAndTheFileGoesOn) {
    const std::string longValue(3000, 'x');
    Write("long.lang", "IDS_STATE_READY=a\nIDS_STRING256=" + longValue + "\nIDS_STATE_PAUSE=b\n");
    EXPECT_TRUE(LoadLanguageFile(L"long.lang"));
    EXPECT_STREQ(IDS_STATE_READY, L"a");
    EXPECT_EQ(IDS_STRING256.Get(), CString(std::wstring(3000, L'x')));
    EXPECT_STREQ(IDS_STATE_PAUSE, L"b") << "lines after a long line still apply";
}

TEST_F(LanguageFiles, EveryLoadStartsFromTheEnglishDefaults) {
    Write("a.lang", "IDS_STATE_READY=A\nIDS_EVENT_TYPE_0=NULL\n");
    Write("b.lang", "IDS_STATE_PAUSE=B\n");
    EXPECT_TRUE(LoadLanguageFile(L"a.lang"));
    EXPECT_STREQ(IDS_EVENT_TYPE_0, L"NULL");
    EXPECT_TRUE(LoadLanguageFile(L"b.lang"));
    EXPECT_STREQ(IDS_STATE_READY, L"Ready");
    EXPECT_STREQ(IDS_EVENT_TYPE_0, L"UNKNOW");
    EXPECT_STREQ(IDS_STATE_PAUSE, L"B");
}

TEST_F(LanguageFiles, AFileThatCannotBeReadLeavesTheDefaults) {
    Write("a.lang", "IDS_STATE_READY=A\n");
    EXPECT_TRUE(LoadLanguageFile(L"a.lang"));
    EXPECT_FALSE(LoadLanguageFile(L"")) << "the directory itself";
    EXPECT_STREQ(IDS_STATE_READY, L"Ready");
    EXPECT_FALSE(LoadLanguageFile(L"missing.lang"));
    EXPECT_STREQ(IDS_STRING224, L"fast forard");
}

// Each case runs in a child with an alarm, so that a read that waits or never
// ends fails the test instead of hanging it.
template <typename Check>
void HoldsWithin10Seconds(const char* what, Check check) {
    EXPECT_EXIT(
        {
            ::alarm(10);
            std::_Exit(check() ? 0 : 1);
        },
        testing::ExitedWithCode(0), "")
        << what;
}

TEST_F(LanguageFiles, NamesAndFilesThatAreNoLanguageFileEndInEnglish) {
    const fs::path lang = dir_ / "config" / "lang";
    ASSERT_EQ(::mkfifo((lang / "fifo.lang").c_str(), 0600), 0);
    fs::create_symlink("/dev/zero", lang / "zero.lang");
    Write("big.lang", "IDS_STATE_READY=Big\n");
    fs::resize_file(lang / "big.lang", 100u << 20);  // 100 MB, sparse
    Write("real.lang", "IDS_STATE_READY=Real\n");
    fs::create_directories(dir_ / "outside");
    std::ofstream(dir_ / "outside" / "x.lang") << "IDS_STATE_READY=Outside\n";
    struct Case {
        const char* what;
        const wchar_t* name;
    } cases[] = {
        {"a path to /dev/zero that fits the field", L"../../../../../../dev/zero"},
        {"a FIFO", L"fifo.lang"},
        {"a link to a device", L"zero.lang"},
        {"a 100 MB file", L"big.lang"},
        {"a name with a separator", L"../../outside/x.lang"},
        {"a backslash separator", L"..\\..\\outside\\x.lang"},
    };
    for (const Case& c : cases) {
        HoldsWithin10Seconds(c.what, [&] {
            IDS_STATE_READY.Set(L"stale");
            return !LoadLanguageFile(c.name) && std::wcscmp(IDS_STATE_READY, L"Ready") == 0;
        });
    }
    EXPECT_TRUE(LoadLanguageFile(L"real.lang")) << "a regular file in the folder still loads";
    EXPECT_STREQ(IDS_STATE_READY, L"Real");
    for (const char* name : {"fifo.lang", "zero.lang", "big.lang"}) {
        HoldsWithin10Seconds(name, [&] {
            CString display = L"kept";
            ReadLanguageDisplayName(Utf8ToWideString((lang / name).string()).c_str(), display);
            return display == L"kept";
        });
    }
}

TEST_F(LanguageFiles, TextsWithoutKeysKeepTheirValues) {
    Write("a.lang", "IDS_EVENT_TYPE_10=X\ng_strStorageFormatText=X\nCH1=X\n");
    EXPECT_TRUE(LoadLanguageFile(L"a.lang"));
    EXPECT_STREQ(g_strStorageFormatText, L"STORAGE FORMAT");
    EXPECT_STREQ(g_strChannelNames[0], L"CH1");
    EXPECT_STREQ(g_strChannelNames[15], L"CH16");
}

struct NameCase {
    const char* name;
    std::string bytes;
    const wchar_t* displayName;
};

TEST_F(LanguageFiles, TheDisplayNameIsTheFirstLanguageLine) {
    const NameCase cases[] = {
        {"first line", "Language=Deutsch\nIDS_STATE_READY=Bereit\n", L"Deutsch"},
        {"later line, first one wins", "; x\nLanguage=One\nLanguage=Two\n", L"One"},
        {"CR LF", "Language=Deutsch\r\n", L"Deutsch"},
        {"byte-order mark", "\xEF\xBB\xBFLanguage=\xD0\xA0\xD1\x83\xD1\x81\n",
         L"\u0420\u0443\u0441"},
        {"none", "IDS_STATE_READY=Bereit\n", L"(unchanged)"},
    };
    for (const NameCase& c : cases) {
        const fs::path file = Write("name.lang", c.bytes);
        CString name = L"(unchanged)";
        ReadLanguageDisplayName(Utf8ToWideString(file.string()).c_str(), name);
        EXPECT_STREQ(name, c.displayName) << c.name;
    }
    CString name = L"kept";
    ReadLanguageDisplayName(L"/nonexistent/x.lang", name);
    EXPECT_STREQ(name, L"kept");
}

TEST(LanguageTexts, DefaultsAreTheEnglishTextsAsWritten) {
    SetDefaultLanguageTexts();
    EXPECT_STREQ(IDS_STATE_READY, L"Ready");
    EXPECT_STREQ(ID_MENU_TEMPERATRUE_UNIT, L"Temperature Unit");
    EXPECT_STREQ(IDC_STATIC_JT, L"JEPG File Directory");
    EXPECT_STREQ(IDS_STRING229, L"maxmum volume");
    EXPECT_STREQ(IDS_EVENT_TYPE_48, L"12V SHORT");
    EXPECT_STREQ(IDS_EVENT_POWER_OFF_4, L"POWER OFF EVENT 4");
}

// Every key of the table, for the shipped files.
const std::set<std::wstring>& AllKeys() {
    static const std::set<std::wstring> keys = {
#define LANGUAGE_TEXT(key, englishDefault) L## #key,
#include "app/shell/LanguageKeyTable.h"
#undef LANGUAGE_TEXT
    };
    return keys;
}

TEST(ShippedLanguageFiles, EachNamesItsLanguageAndGivesEveryKey) {
    const fs::path langDir = fs::path(ProgramDirectory()) / "config" / "lang";
    ASSERT_EQ(AllKeys().size(), 165u);
    for (const char* file : {"English.lang", "Chinese.lang"}) {
        std::ifstream in(langDir / file);
        ASSERT_TRUE(in) << file;
        std::set<std::wstring> keys;
        std::string line;
        while (std::getline(in, line)) {
            const std::size_t equals = line.find('=');
            if (equals != std::string::npos && line.substr(0, equals) != "Language")
                keys.insert(Utf8ToWideString(line.substr(0, equals)));
        }
        EXPECT_EQ(keys, AllKeys()) << file;
        CString name;
        ReadLanguageDisplayName(Utf8ToWideString((langDir / file).string()).c_str(), name);
        EXPECT_FALSE(name.IsEmpty()) << file;
    }
    CString name;
    ReadLanguageDisplayName(Utf8ToWideString((langDir / "Chinese.lang").string()).c_str(), name);
    EXPECT_STREQ(name, L"\u7B80\u4F53\u4E2D\u6587");
}

TEST(ShippedLanguageFiles, BothShippedFilesLoad) {
    wchar_t saved[kConfigPathSize];
    std::wcscpy(saved, g_szProgramDir);
    std::wcscpy(g_szProgramDir, Utf8ToWideString(ProgramDirectory()).c_str());
    ASSERT_TRUE(LoadLanguageFile(L"Chinese.lang"));
    EXPECT_STREQ(IDS_STATE_READY, L"\u5C31\u7EEA");
    ASSERT_TRUE(LoadLanguageFile(L"English.lang"));
    EXPECT_STREQ(IDS_STATE_READY, L"Ready");
    EXPECT_STREQ(
        IDS_STRING256,
        L"Open file fail, there must be a .inx file with same name in the same directory!");
    std::wcscpy(g_szProgramDir, saved);
}

TEST(LanguageText, StandsWhereTextIsTaken) {
    LanguageText text;
    text.Set(L"Picture saved to");
    CString built(text);
    CString assigned;
    assigned = text;
    assigned += text;
    const CString joined = text + L" /tmp";
    EXPECT_STREQ(built, L"Picture saved to");
    EXPECT_STREQ(assigned, L"Picture saved toPicture saved to");
    EXPECT_STREQ(joined, L"Picture saved to /tmp");
    EXPECT_TRUE(text == L"Picture saved to");
    EXPECT_EQ(text.GetLength(), 16);
    const wchar_t* before = text;
    text.Set(L"other");
    EXPECT_STREQ(before, L"Picture saved to") << "a reader's old value stays valid";
}

TEST(LanguageText, ReadersSeeWholeValuesWhileTheTextIsReplaced) {
    LanguageText text;
    const CString a(std::wstring(200, L'a'));
    const CString b(std::wstring(3, L'b'));
    text.Set(a);
    std::atomic<bool> stop{false};
    std::atomic<int> torn{0};
    std::thread reader([&] {
        while (!stop) {
            const CString seen = text.Get();
            if (seen != a && seen != b)
                ++torn;
        }
    });
    for (int i = 0; i < 2000; ++i)
        text.Set(i % 2 != 0 ? a : b);
    stop = true;
    reader.join();
    EXPECT_EQ(torn, 0);
}

}  // namespace
