#include "app/ui/settings/LanguageList.h"

#include <string>
#include <utility>
#include <vector>

#include "shared/TextConvert.h"
#include "tests/app/ui/settings/DialogFixture.h"

namespace {

using settingstest::DialogFixture;
using Choices = std::vector<std::pair<std::wstring, std::wstring>>;

Choices ListOf(const wchar_t* programDir) {
    Choices list;
    for (const LanguageChoice& c : ListLanguageFiles(programDir))
        list.emplace_back(c.fileName.Std(), c.displayName.Std());
    return list;
}

class LanguageList : public DialogFixture {};

TEST_F(LanguageList, OffersTheLangFilesThatNameTheirLanguage) {
    const std::string longest(kLangFileSize - 1 - 5, 'l');  // ".lang" makes it fit exactly
    Write("config/lang/b.lang", "IDS_STATE_READY=Bereit\nLanguage=Deutsch\n");
    Write("config/lang/a.lang", "Language=\xE7\xAE\x80\xE4\xBD\x93\xE4\xB8\xAD\xE6\x96\x87\r\n");
    Write("config/lang/\xC3\x9C.lang",
          "Language=T\xC3\xBCrk\xC3\xA7"
          "e\n");
    Write("config/lang/" + longest + ".lang", "Language=Long\n");
    Write("config/lang/" + longest + "x.lang", "Language=Too long to keep\n");
    Write("config/lang/unnamed.lang", "IDS_STATE_READY=x\n");
    Write("config/lang/empty name.lang", "Language=\n");
    Write("config/lang/upper.LANG", "Language=Upper\n");
    Write("config/lang/notes.txt", "Language=Notes\n");
    Write("config/lang/folder.lang/inside.lang", "Language=Inside\n");
    const Choices expected = {
        {L"a.lang", L"\u7B80\u4F53\u4E2D\u6587"},
        {L"b.lang", L"Deutsch"},
        {Utf8ToWideString(longest) + L".lang", L"Long"},
        {L"\u00DC.lang", L"T\u00FCrk\u00E7e"},
    };
    EXPECT_EQ(ListOf(g_szProgramDir), expected);
}

TEST_F(LanguageList, NoFolderOrAnEmptyOneOffersNothing) {
    EXPECT_TRUE(ListOf(g_szProgramDir).empty()) << "empty folder";
    settingstest::fs::remove_all(dir_ / "config");
    EXPECT_TRUE(ListOf(g_szProgramDir).empty()) << "no folder";
}

TEST_F(LanguageList, TheShippedLanguagesAreOffered) {
    const Choices expected = {{L"Chinese.lang", L"\u7B80\u4F53\u4E2D\u6587"},
                              {L"English.lang", L"English"}};
    EXPECT_EQ(ListOf(Utf8ToWideString(MARLOWIN_APP_DIR).c_str()), expected);
}

}  // namespace
