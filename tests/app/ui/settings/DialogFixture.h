// The dialogs of app/ui/settings on the headless display: their templates
// registered, a program directory in a fresh temporary folder with
// config/lang/ below it and g_strIniPath there, the configuration globals
// and the language texts put back afterwards, and every message box
// recorded and answered from a list (OK when the list is used up).
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "app/shell/AppConfig.h"
#include "platform/afx/Afx.h"
#include "platform/backend/HeadlessDisplay.h"
#include "platform/base/FakeClock.h"

namespace settingstest {

namespace fs = std::filesystem;

class DialogFixture : public ::testing::Test {
protected:
    DialogFixture();
    ~DialogFixture() override;

    static void Pump();
    // A click on the dialog's control, as the user's would end.
    static void Click(const CWnd& dialog, int id);
    static std::wstring TextOf(const CWnd& dialog, int id);
    static bool Ended(const CWnd& dialog, intptr_t* result);

    // A file below the program directory ("config/lang/x.lang"), UTF-8 bytes.
    fs::path Write(const std::string& relative, const std::string& bytes) const;
    // The value of an AppConfig.ini key; "<missing>" when it is not there.
    static std::wstring IniValue(const wchar_t* section, const wchar_t* key);

    fs::path dir_;
    std::vector<std::wstring> boxes_;  // texts of the message boxes shown
    std::vector<int> answers_;         // buttons pressed, in order

private:
    struct SavedConfiguration {
        std::wstring programDir, iniPath, langFile, jpegDir, captureDir, logDir;
        int autoReplay;
    };
    static SavedConfiguration Save();
    static void Restore(const SavedConfiguration& saved);

    SavedConfiguration saved_;
    ScopedFakeClock clock_;
    HeadlessDisplay display_{1024, 768, RGB(1, 1, 1)};
};

}  // namespace settingstest
