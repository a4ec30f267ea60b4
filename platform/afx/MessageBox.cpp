#include "platform/afx/MessageBox.h"

#include <mutex>
#include <string>

#include "platform/afx/Wnd.h"
#include "platform/base/Module.h"
#include "platform/user/MessageQueue.h"

namespace {

std::mutex g_mutex;
std::wstring* g_appName = nullptr;  // guarded by g_mutex; made on first use

std::wstring ProgramName() {
    wchar_t path[4096] = {};
    const DWORD n = GetModuleFileNameW(nullptr, path, 4096);
    std::wstring name(path, n);
    name = name.substr(name.rfind(L'/') + 1);
    const size_t dot = name.rfind(L'.');
    return dot == std::wstring::npos || dot == 0 ? name : name.substr(0, dot);
}

HWND OwnerForThisThread() {
    CWnd* main = AfxGetMainWnd();
    HWND hwnd = main != nullptr ? main->GetSafeHwnd() : nullptr;
    return hwnd != nullptr && GetWindowThreadProcessId(hwnd, nullptr) == GetCurrentThreadId()
               ? hwnd
               : nullptr;
}

}  // namespace

const wchar_t* AfxGetAppName() {
    std::lock_guard lock(g_mutex);
    if (g_appName == nullptr)
        g_appName = new std::wstring(ProgramName());
    return g_appName->c_str();
}

void AfxSetAppName(const wchar_t* name) {
    std::lock_guard lock(g_mutex);
    if (g_appName == nullptr)
        g_appName = new std::wstring;
    *g_appName = name != nullptr ? name : L"";
}

int AfxMessageBox(const wchar_t* text, UINT type, UINT) {
    return ::MessageBoxW(OwnerForThisThread(), text, AfxGetAppName(), type);
}

int AfxMessageBox(UINT promptId, UINT type, UINT helpId) {
    const wchar_t* text = nullptr;
    if (LoadStringW(nullptr, promptId, reinterpret_cast<wchar_t*>(&text), 0) == 0)
        text = L"";
    return AfxMessageBox(text, type, helpId);
}

int CWnd::MessageBox(const wchar_t* text, const wchar_t* caption, UINT type) {
    return ::MessageBoxW(m_hWnd, text, caption != nullptr ? caption : AfxGetAppName(), type);
}
