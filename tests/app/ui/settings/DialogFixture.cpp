#include "tests/app/ui/settings/DialogFixture.h"

#include <unistd.h>

#include <cwchar>
#include <fstream>

#include "app/res/DialogTemplates.h"
#include "app/shell/LanguageTexts.h"
#include "platform/base/PrivateProfile.h"
#include "platform/user/FolderBrowser.h"
#include "shared/TextConvert.h"

namespace settingstest {

namespace {

void CopyInto(wchar_t (&global)[kConfigPathSize], const std::wstring& value) {
    std::swprintf(global, kConfigPathSize, L"%ls", value.c_str());
}

fs::path FreshFolder() {
    static int count = 0;
    const auto* test = ::testing::UnitTest::GetInstance()->current_test_info();
    const fs::path dir =
        fs::temp_directory_path() / ("settings " + std::to_string(::getpid()) + "-" + test->name() +
                                     "-" + std::to_string(++count));
    fs::remove_all(dir);
    fs::create_directories(dir / "config" / "lang");
    return dir;
}

}  // namespace

DialogFixture::DialogFixture() : saved_(Save()) {
    RegisterDialogTemplates();
    SetDefaultLanguageTexts();
    dir_ = FreshFolder();
    CopyInto(g_szProgramDir, Utf8ToWideString(dir_.string()));
    g_strIniPath = CString(Utf8ToWideString((dir_ / "config" / "AppConfig.ini").string()));
    SetMessageBoxHook([this](const MessageBoxRequest& r) {
        boxes_.push_back(r.text);
        const size_t shown = boxes_.size();
        return shown <= answers_.size() ? answers_[shown - 1] : IDOK;
    });
}

DialogFixture::~DialogFixture() {
    SetMessageBoxHook(nullptr);
    SetFolderBrowserHook(nullptr);
    Restore(saved_);
    SetDefaultLanguageTexts();
    fs::remove_all(dir_);
}

DialogFixture::SavedConfiguration DialogFixture::Save() {
    return {g_szProgramDir, g_strIniPath.Std(), g_strLangFile.Std(), g_szJpegDir,
            g_szCaptureDir, g_szLogDir,         g_nAutoReplay};
}

void DialogFixture::Restore(const SavedConfiguration& saved) {
    CopyInto(g_szProgramDir, saved.programDir);
    g_strIniPath = CString(saved.iniPath);
    g_strLangFile = CString(saved.langFile);
    CopyInto(g_szJpegDir, saved.jpegDir);
    CopyInto(g_szCaptureDir, saved.captureDir);
    CopyInto(g_szLogDir, saved.logDir);
    g_nAutoReplay = saved.autoReplay;
}

void DialogFixture::Pump() {
    MSG msg{};
    while (PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessage(&msg);
    }
}

void DialogFixture::Click(const CWnd& dialog, int id) {
    ::SendMessage(::GetDlgItem(dialog, id), BM_CLICK, 0, 0);
    Pump();
}

std::wstring DialogFixture::TextOf(const CWnd& dialog, int id) {
    CString text;
    dialog.GetDlgItemText(id, text);
    return text.Std();
}

bool DialogFixture::Ended(const CWnd& dialog, intptr_t* result) {
    return HasDialogEnded(dialog, result) != FALSE;
}

fs::path DialogFixture::Write(const std::string& relative, const std::string& bytes) const {
    const fs::path file = dir_ / relative;
    fs::create_directories(file.parent_path());
    std::ofstream(file, std::ios::binary) << bytes;
    return file;
}

std::wstring DialogFixture::IniValue(const wchar_t* section, const wchar_t* key) {
    wchar_t value[512] = {};
    GetPrivateProfileStringW(section, key, L"<missing>", value, 512, g_strIniPath);
    return value;
}

}  // namespace settingstest
