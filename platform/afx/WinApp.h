// The framework's application object. A program derives from CWinApp (or
// CWinAppEx), makes one global instance and calls its InitInstance from
// main. There is no message loop of the application's own: a program whose
// InitInstance runs its main window as a modal dialog returns when the
// dialog closes.
//
// Threads: the application object belongs to the program's main thread.
#pragma once

#include <string>

#include "platform/afx/CmdTarget.h"

class CWnd;

class CWinApp : public CCmdTarget {
public:
    CWinApp();
    ~CWinApp() override;

    virtual BOOL InitInstance() { return TRUE; }
    virtual int ExitInstance() { return 0; }

    // Names the key below which the framework would keep the application's
    // profile; kept only as a name.
    void SetRegistryKey(const wchar_t* key);
    const wchar_t* RegistryKey() const { return m_registryKey.c_str(); }

    CWnd* m_pMainWnd = nullptr;

private:
    std::wstring m_registryKey;
};

// The extended application; `resourceSmartUpdate` changes nothing here.
class CWinAppEx : public CWinApp {
public:
    explicit CWinAppEx(BOOL resourceSmartUpdate = FALSE) { (void)resourceSmartUpdate; }
};

// The one application object, or null before it is constructed.
CWinApp* AfxGetApp();

// Dialogs always host the browser control; nothing needs enabling.
inline void AfxEnableControlContainer() {}
