// The main window on the headless display, bound to the scripted player
// library (tests/app/ui/fake) through the real binding, on a fake clock.
// Message boxes are answered OK and recorded. Settle() runs the window's
// messages and moves the clock until the fake has answered everything.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <mutex>
#include <string>
#include <vector>

#include "app/ui/main/HalbrookDlg.h"
#include "platform/backend/HeadlessDisplay.h"
#include "platform/base/FakeClock.h"
#include "tests/app/ui/fake/FakeTrevane.h"
#include "tests/app/ui/main/TestFolder.h"

namespace maintest {

// The main window with a look into its open popup menus: while a popup runs,
// `onMenuIdle` is called with the menu (it ends the popup when it returns).
class CTestMainDlg : public CHalbrookDlg {
public:
    // Posted by a test before a command that runs a modal dialog: the
    // dialog's loop delivers it once the dialog exists, and `onScript` runs.
    static constexpr UINT kScriptMessage = WM_APP + 50;

    std::function<void()> onMenuIdle;
    std::function<void()> onScript;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
};

class MainWindowFixture : public ::testing::Test {
protected:
    MainWindowFixture();
    ~MainWindowFixture() override;

    // Creates the window at the given client size (the template's size when 0).
    void Open(int width = 0, int height = 0);
    // Closes the window the way its close box does (once).
    void Close();
    // The same while a thread moves the clock, for the close's bounded waits.
    void CloseWithClockRunning();
    void Pump();
    void Settle();
    // Sends the command, as a button or menu item would.
    void Command(UINT id);
    // Posts the message, as the play bar would, and settles.
    void Post(UINT message, WPARAM wParam = 0, LPARAM lParam = 0);
    // Opens `path` through the file dialog, answered by the test.
    void OpenFile(const std::filesystem::path& path);
    // The fake's log since the last ClearLog, without the queries' lines.
    std::vector<std::string> Calls() const { return fake->Log(); }
    std::vector<std::wstring> Boxes();
    std::wstring Status() const { return dlg.m_stStatus.GetText().GetString(); }
    // The video's rectangle on the screen.
    CRect Video() {
        CRect r;
        dlg.m_stVideo.GetWindowRect(&r);
        return r;
    }
    // Makes a recording file pair (empty files) in the temporary folder.
    std::filesystem::path MakeRecording(const std::string& name, const std::string& indexExt);
    // Opens the sample pair and settles it playing.
    void StartPlaying();

    ScopedFakeClock clock;
    HeadlessDisplay display{1600, 1000, RGB(1, 1, 1)};
    TestFolder testFolder;
    // The test's own folder: logs, pictures and the configuration.
    const std::filesystem::path folder = testFolder.Path();
    CTestMainDlg dlg;
    FakeTrevane* fake = nullptr;

private:
    bool closed_ = false;
    std::mutex boxLock_;
    std::vector<std::wstring> boxes_;
};

// The window open at its template's size, with no replay at the end of a
// recording.
class OpenWindowFixture : public MainWindowFixture {
protected:
    void SetUp() override;
};

}  // namespace maintest
