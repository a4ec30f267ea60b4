#include "MainWindowFixture.h"

#include <chrono>
#include <fstream>
#include <thread>

#include "FileDialogAnswer.h"
#include "app/shell/AppConfig.h"
#include "app/shell/LanguageTexts.h"
#include "app/shell/LibraryBinding.h"
#include "app/ui/main/MainWindowRegistration.h"
#include "platform/afx/Afx.h"
#include "platform/user/FileDialog.h"
#include "platform/user/Menus.h"
#include "platform/user/MessageBox.h"
#include "tests/app/ui/fake/BoundFakeTrevane.h"
#include "tests/support/ClockTicker.h"

namespace maintest {

namespace {

struct Prepared {
    Prepared() { RegisterMainWindow(); }
};

}  // namespace

LRESULT CTestMainDlg::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_ENTERIDLE && onMenuIdle) {
        onMenuIdle();
        EndMenu();
        return 0;
    }
    if (message == kScriptMessage && onScript) {
        onScript();
        return 0;
    }
    return CHalbrookDlg::WindowProc(message, wParam, lParam);
}

MainWindowFixture::MainWindowFixture() {
    static Prepared prepared;
    SetDefaultLanguageTexts();
    g_strIniPath = CString((folder / "AppConfig.ini").wstring().c_str());
    dlg.SetLibraryFiles(L"FakeTrevane.dll", L"FakeOskulo.dll");
    // Every test binds again; the libraries stay loaded.
    g_hTrevaneLib = nullptr;
    g_hOskuloLib = nullptr;
    SetMessageBoxHook([this](const MessageBoxRequest& request) {
        std::lock_guard<std::mutex> hold(boxLock_);
        boxes_.push_back(request.text);
        return IDOK;
    });
}

MainWindowFixture::~MainWindowFixture() {
    // The clock runs, so the close's bounded waits end even when a test
    // left a command unanswered.
    if (dlg.GetSafeHwnd() != nullptr && !closed_) {
        Settle();
        CloseWithClockRunning();
    }
    if (dlg.GetSafeHwnd() != nullptr)
        dlg.DestroyWindow();
    AfxSetMainWnd(nullptr);
    SetMessageBoxHook(nullptr);
    SetFileDialogHook(nullptr);
}

void MainWindowFixture::Open(int width, int height) {
    fake = LoadedFakeTrevane();
    ASSERT_NE(fake, nullptr);
    fake->Reset();
    ASSERT_TRUE(dlg.Create(IDD_MAIN));
    AfxSetMainWnd(&dlg);
    if (width > 0) {
        CRect window, client;
        dlg.GetWindowRect(&window);
        dlg.GetClientRect(&client);
        dlg.MoveWindow(0, 0, width + window.Width() - client.Width(),
                       height + window.Height() - client.Height());
    }
    dlg.ShowWindow(SW_SHOW);
    Settle();
    fake->ClearLog();
}

void OpenWindowFixture::SetUp() {
    g_nAutoReplay = 0;
    Open();
}

void MainWindowFixture::Close() {
    closed_ = true;
    dlg.SendMessage(WM_CLOSE);
}

void MainWindowFixture::CloseWithClockRunning() {
    // At the pace of real time, never faster: a loaded machine does not end a
    // bounded wait of the close before the worker it waits for has left,
    // which would leave that worker waiting on a clock the test is about to
    // destroy.
    ClockTicker ticker(*clock);
    Close();
}

void MainWindowFixture::Pump() {
    MSG msg{};
    while (PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (!CWnd::WalkPreTranslateTree(dlg.GetSafeHwnd(), &msg)) {
            TranslateMessage(&msg);
            DispatchMessage(&msg);
        }
    }
}

void MainWindowFixture::Settle() {
    for (int round = 0; round < 4000; ++round) {
        Pump();
        if (fake->Idle()) {
            std::this_thread::sleep_for(std::chrono::milliseconds(2));
            Pump();
            if (fake->Idle())
                return;
        }
        clock->Advance(50);
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    ADD_FAILURE() << "the fake player did not settle";
}

void MainWindowFixture::Command(UINT id) {
    dlg.SendMessage(WM_COMMAND, MAKEWPARAM(id, 0), 0);
    Settle();
}

void MainWindowFixture::Post(UINT message, WPARAM wParam, LPARAM lParam) {
    dlg.PostMessage(message, wParam, lParam);
    Settle();
}

void MainWindowFixture::OpenFile(const std::filesystem::path& path) {
    OpenThroughFileDialog(dlg, path.wstring());
    Settle();
}

std::vector<std::wstring> MainWindowFixture::Boxes() {
    std::lock_guard<std::mutex> hold(boxLock_);
    return boxes_;
}

std::filesystem::path MainWindowFixture::MakeRecording(const std::string& name,
                                                       const std::string& indexExt) {
    const std::filesystem::path data = folder / name;
    std::ofstream(data).put('d');
    std::filesystem::path index = data;
    index.replace_extension(indexExt);
    if (!indexExt.empty())
        std::ofstream(index).put('i');
    return data;
}

void MainWindowFixture::StartPlaying() {
    OpenFile(MakeRecording("sample.dvr", ".inx"));
    fake->ClearLog();
}

}  // namespace maintest
