#include "app/ScriptedRun.h"

#include <cstdio>
#include <cstdlib>
#include <string>
#include <thread>

#include "app/WindowScreenshot.h"
#include "app/res/ResourceIds.h"
#include "app/ui/main/HalbrookDlg.h"
#include "platform/base/Clock.h"
#include "platform/user/FileDialog.h"
#include "platform/user/User.h"
#include "shared/TextConvert.h"

namespace {

constexpr int kDefaultSeconds = 5;
constexpr DWORD kPollMs = 50;
constexpr int kWindowWaitPolls = 200;

std::string Variable(const char* name) {
    const char* value = std::getenv(name);
    return value != nullptr ? value : "";
}

class CEnvironmentRun final : public CScriptedRun {
public:
    CEnvironmentRun(std::string file, int seconds, std::string screenshot)
        : m_file(std::move(file)), m_seconds(seconds), m_screenshot(std::move(screenshot)) {
        m_thread = std::thread([this] { Run(); });
    }
    void Join() override {
        if (m_thread.joinable())
            m_thread.join();
    }

private:
    static HWND MainWindow() {
        CHalbrookDlg* main = g_pMainDlg;
        return main != nullptr ? main->GetSafeHwnd() : nullptr;
    }

    // The main window once it is shown; null when it never shows.
    static HWND WaitForMainWindow() {
        for (int i = 0; i < kWindowWaitPolls; ++i) {
            const HWND window = MainWindow();
            if (window != nullptr && IsWindowVisible(window))
                return window;
            Sleep(kPollMs);
        }
        return nullptr;
    }

    void AnswerFileDialogOnce() {
        const std::wstring file = Utf8ToWideString(m_file);
        SetFileDialogHook([file](const FileDialogRequest&) {
            SetFileDialogHook(nullptr);
            FileDialogAnswer answer;
            answer.action = FileDialogAnswer::Open;
            answer.name = file;
            return answer;
        });
    }

    void Run() {
        const HWND window = WaitForMainWindow();
        if (window == nullptr)
            return;
        AnswerFileDialogOnce();
        PostMessage(window, WM_COMMAND, MAKEWPARAM(IDC_MAIN_OPEN_FILE, 0), 0);
        Sleep(DWORD(m_seconds) * 1000);
        if (!IsWindow(window))
            return;
        if (!m_screenshot.empty()) {
            if (SaveWindowScreenshot(window, m_screenshot))
                std::printf("marlowin: screenshot written to %s\n", m_screenshot.c_str());
            else
                std::fprintf(stderr, "marlowin: the screenshot could not be written\n");
        }
        PostMessage(window, WM_CLOSE, 0, 0);
    }

    std::string m_file;
    int m_seconds;
    std::string m_screenshot;
    std::thread m_thread;
};

}  // namespace

std::unique_ptr<CScriptedRun> CScriptedRun::FromEnvironment() {
    const std::string file = Variable("MARLOWIN_OPEN");
    if (file.empty())
        return nullptr;
    const int seconds = std::atoi(Variable("MARLOWIN_RUN_SECONDS").c_str());
    return std::make_unique<CEnvironmentRun>(file, seconds > 0 ? seconds : kDefaultSeconds,
                                             Variable("MARLOWIN_SCREENSHOT"));
}
