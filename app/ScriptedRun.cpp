#include "app/ScriptedRun.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <thread>

#include "app/WindowScreenshot.h"
#include "app/res/ResourceIds.h"
#include "app/shell/LibraryBinding.h"
#include "app/ui/main/HalbrookDlg.h"
#include "app/ui/playbar/PlayState.h"
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
        WatchPlayback(window);
        if (!IsWindow(window))
            return;
        ReportPlayback();
        if (!m_screenshot.empty()) {
            if (SaveWindowScreenshot(window, m_screenshot))
                std::printf("marlowin: screenshot written to %s\n", m_screenshot.c_str());
            else
                std::fprintf(stderr, "marlowin: the screenshot could not be written\n");
        }
        PostMessage(window, WM_CLOSE, 0, 0);
    }

    // Until the run's time is up, notes the player's position whenever the
    // main window is playing: the first and the last seen.
    void WatchPlayback(HWND window) {
        const DWORD end = timeGetTime() + DWORD(m_seconds) * 1000;
        while (int(end - timeGetTime()) > 0 && IsWindow(window)) {
            CHalbrookDlg* main = g_pMainDlg;
            if (main != nullptr && main->GetPlayState() == PLAY_PLAYING) {
                const int64_t position = Call_zTellp();
                if (m_firstPosition < 0)
                    m_firstPosition = position;
                m_lastPosition = position;
            }
            Sleep(kPollMs);
        }
    }

    // One line that end-to-end checks read: whether the file played, and
    // how far the player's position moved while it did.
    void ReportPlayback() const {
        if (m_firstPosition < 0)
            std::printf("marlowin: nothing played\n");
        else
            std::printf("marlowin: played from position %lld to %lld\n",
                        static_cast<long long>(m_firstPosition),
                        static_cast<long long>(m_lastPosition));
        std::fflush(stdout);
    }

    std::string m_file;
    int m_seconds;
    int64_t m_firstPosition = -1;
    int64_t m_lastPosition = -1;
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
