#include "app/shell/HalbrookApp.h"

#include "app/shell/AppConfig.h"
#include "app/shell/ConfigFile.h"
#include "app/shell/LanguageTexts.h"
#include "platform/afx/MessageBox.h"
#include "platform/afx/MessageCrackers.h"
#include "platform/base/Module.h"
#include "platform/user/CommonControls.h"

CHalbrookApp theApp;

BEGIN_MESSAGE_MAP(CHalbrookApp, CWinAppEx)
ON_COMMAND(ID_HELP, &CHalbrookApp::OnHelp)
END_MESSAGE_MAP()

CHalbrookApp::CHalbrookApp() : CWinAppEx(TRUE) {
    // Not the executable's file name: the program's own name, as written.
    AfxSetAppName(kAppName);
}

void CHalbrookApp::OnHelp() {
    AfxMessageBox(L"Failed to launch help.", MB_OK);
}

BOOL CHalbrookApp::InitInstance() {
    const INITCOMMONCONTROLSEX controls = {sizeof(INITCOMMONCONTROLSEX), ICC_WIN95_CLASSES};
    InitCommonControlsEx(&controls);
    CWinAppEx::InitInstance();
    AfxEnableControlContainer();
    SetRegistryKey(L"Marlowin");
    m_mainWindowMissing = false;
    if (!FindProgramDirectory())
        return FALSE;
    g_strIniPath = CString(ConfigFilePath(g_szProgramDir).c_str());
    ReadAppConfig();
    LoadLanguageFile(g_strLangFile);
    RunMainWindow();
    return FALSE;
}

bool CHalbrookApp::FindProgramDirectory() {
    if (GetModuleFileNameW(nullptr, g_szProgramDir, kConfigPathSize) == 0)
        return false;
    return PathRemoveFileSpecW(g_szProgramDir) != FALSE;
}

void CHalbrookApp::RunMainWindow() {
    if (!m_mainWindowFactory) {
        m_mainWindowMissing = true;
        return;
    }
    std::unique_ptr<CDialog> mainWindow = m_mainWindowFactory();
    m_pMainWnd = mainWindow.get();
    AfxSetMainWnd(mainWindow.get());
    mainWindow->DoModal();
    AfxSetMainWnd(nullptr);
    m_pMainWnd = nullptr;
}
