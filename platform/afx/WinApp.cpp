#include "platform/afx/WinApp.h"

namespace {

CWinApp* g_app = nullptr;

}  // namespace

CWinApp::CWinApp() {
    g_app = this;
}

CWinApp::~CWinApp() {
    if (g_app == this)
        g_app = nullptr;
}

void CWinApp::SetRegistryKey(const wchar_t* key) {
    m_registryKey = key != nullptr ? key : L"";
}

CWinApp* AfxGetApp() {
    return g_app;
}
