// The program's application object and its start-up: the program
// directory, config/AppConfig.ini (AppConfig.h), the directories the program
// writes into, the browser-emulation registry value the map browser needs,
// the language texts, and the modal run of the main window.
//
// The main window is made through a factory that the program's window part
// registers before InitInstance runs; without one, start-up ends after the
// language texts are loaded (MainWindowMissing() then says so).
//
// Threads: everything here runs on the program's main (UI) thread before any
// other thread exists.
#pragma once

#include <functional>
#include <memory>

#include "platform/afx/Dialog.h"
#include "platform/afx/WinApp.h"

// The framework's help command.
inline constexpr UINT ID_HELP = 0xE146;

class CHalbrookApp : public CWinAppEx {
public:
    using MainWindowFactory = std::function<std::unique_ptr<CDialog>()>;

    CHalbrookApp();

    // Always FALSE: the program ends when it returns, after the main window
    // closed or when start-up could not find the program's path.
    BOOL InitInstance() override;

    // Reads AppConfig.ini into the configuration globals, makes the
    // directories and sets the browser emulation.
    void ReadAppConfig();
    // Makes sure the emulation value for this executable holds g_nIEVersion;
    // failures are shown in a message box and start-up goes on.
    void SetBrowserEmulation();

    void SetMainWindowFactory(MainWindowFactory factory) {
        m_mainWindowFactory = std::move(factory);
    }
    // True after an InitInstance that reached the main window without a
    // factory to make it.
    bool MainWindowMissing() const { return m_mainWindowMissing; }

    // ID_HELP: the program ships no help file, so this says that help
    // cannot be shown.
    void OnHelp();

    // The application's name, the caption of every message box.
    static constexpr const wchar_t* kAppName = L"Marlowin";

private:
    bool FindProgramDirectory();
    void RunMainWindow();

    MainWindowFactory m_mainWindowFactory;
    bool m_mainWindowMissing = false;

    DECLARE_MESSAGE_MAP()
};

extern CHalbrookApp theApp;
