#include "app/ui/settings/DialogAbout.h"

#include <sys/stat.h>

#include <algorithm>
#include <chrono>
#include <cstring>
#include <fstream>
#include <regex>
#include <sstream>
#include <thread>

#include "app/res/ResourceIds.h"
#include "app/shell/LanguageTexts.h"
#include "app/shell/LibraryBinding.h"
#include "app/ui/settings/RunProcess.h"
#include "platform/base/Process.h"
#include "tests/app/ui/settings/DialogFixture.h"

namespace {

using settingstest::DialogFixture;
namespace fs = settingstest::fs;

// What the fake libraries say about themselves.
const char* g_infoVersion = "";

void FakeExtractInfo(char* version, char* buildTime, char* buildDate) {
    std::strcpy(version, "1.8");
    std::strcpy(buildTime, "01:02:03");
    std::strcpy(buildDate, "Jan  2 2020");
}

// Writes at most the 32 bytes of the version buffer, without a terminator
// when the text is longer.
int FakeTrevaneInfo(char* version, char* buildTime, char* buildDate) {
    std::memcpy(version, g_infoVersion, std::min<size_t>(std::strlen(g_infoVersion) + 1, 32));
    std::strcpy(buildTime, "04:05:06");
    std::strcpy(buildDate, "Feb 03 2021");
    return 0;
}

class AboutDialog : public DialogFixture {
protected:
    AboutDialog() {
        pfn_zExtractInfo = &FakeExtractInfo;
        pfn_TrevaneInfo = &FakeTrevaneInfo;
        g_infoVersion = "4.8";
    }
    ~AboutDialog() override {
        if (::IsWindow(dlg))
            dlg.DestroyWindow();
        pfn_zExtractInfo = nullptr;
        pfn_TrevaneInfo = nullptr;
    }
    void Open() {
        ASSERT_TRUE(dlg.Create(IDD_ABOUT));
        Pump();
    }

    CDialogAbout dlg;
};

TEST_F(AboutDialog, ShowsTheVersionsOfTheProgramAndOfBothLibraries) {
    ApplyLanguageLine(L"IDS_STRING614=Neue Version suchen");
    struct Case {
        const char* name;
        const char* trevaneVersion;
        std::wstring shown;
    };
    const std::string longVersion(40, 'v');
    const Case cases[] = {
        {"texts as the libraries give them", "4.8", L"4.8"},
        {"a text that overruns its buffer is cut", longVersion.c_str(), std::wstring(31, L'v')},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        g_infoVersion = c.trevaneVersion;
        Open();
        const std::wregex expected(
            L"Marlowin\\.exe V1\\.14 \\d\\d:\\d\\d:\\d\\d [A-Z][a-z]{2} [ \\d]\\d \\d{4}"
            L"\n\nOskulo\\.dll version 1\\.8 01:02:03 Jan  2 2020"
            L"\n\nTrevane\\.dll version " +
            c.shown + L" 04:05:06 Feb 03 2021");
        const std::wstring text = TextOf(dlg, IDC_ABOUT_VERSION);
        EXPECT_TRUE(std::regex_match(text, expected)) << std::string(text.begin(), text.end());
        EXPECT_EQ(TextOf(dlg, IDC_ABOUT_UPDATE), L"Neue Version suchen");
        dlg.DestroyWindow();
    }
}

TEST(UpdaterCommandLine, SplitsBackIntoTheSameArguments) {
    const std::vector<std::vector<std::wstring>> cases = {
        {L"/tmp/dir with blanks/Updater.exe", L"1", L"1.14"},
        {L"plain", L"a\\b", L"trailing\\"},
        {L"", L"tab\there", L"two  blanks"},
        {L"quote\"inside", L"\\\"", L"back\\\\ \"q\" \\"},
    };
    for (const auto& arguments : cases)
        EXPECT_EQ(SplitCommandLine(JoinCommandLine(arguments)), arguments)
            << std::string(JoinCommandLine(arguments).begin(), JoinCommandLine(arguments).end());
}

// The updater started from a current directory with blanks: a script that
// writes the arguments it got, one a line, next to itself.
class UpdaterStart : public AboutDialog {
protected:
    UpdaterStart() : previous_(fs::current_path()) {
        folder_ = dir_ / "updater dir" / "with  blanks";
        fs::create_directories(folder_);
        const fs::path script = folder_ / "Updater";
        std::ofstream(script) << "#!/bin/sh\n"
                                 "cd \"$(dirname \"$0\")\"\n"
                                 "printf '%s\\n' \"$@\" > args.tmp && mv args.tmp args.txt\n";
        ::chmod(script.c_str(), 0755);
        fs::current_path(folder_);
    }
    ~UpdaterStart() override { fs::current_path(previous_); }

    // The script's record, waited for a bounded while.
    std::string Arguments() const {
        const fs::path record = folder_ / "args.txt";
        for (int i = 0; i < 1000 && !fs::exists(record); ++i)
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        std::ostringstream text;
        text << std::ifstream(record).rdbuf();
        return text.str();
    }

    fs::path previous_;
    fs::path folder_;
};

TEST_F(UpdaterStart, GetsOneAndTheVersionWhateverTheDirectory) {
    Open();
    Click(dlg, IDC_ABOUT_UPDATE);
    EXPECT_EQ(Arguments(), "1\n1.14\n");
    EXPECT_TRUE(boxes_.empty());
}

TEST_F(AboutDialog, AMissingUpdaterIsNotAnError) {
    EXPECT_FALSE(RunProcess(CString((dir_ / "Updater.exe").wstring()), {L"1"}));
    const fs::path previous = fs::current_path();
    fs::current_path(dir_);
    Open();
    Click(dlg, IDC_ABOUT_UPDATE);
    fs::current_path(previous);
    EXPECT_TRUE(boxes_.empty());
    EXPECT_TRUE(::IsWindow(dlg));
}

}  // namespace
