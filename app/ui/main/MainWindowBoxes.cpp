#include "app/ui/main/MainWindowBoxes.h"

#include <algorithm>

#include "platform/afx/MessageBox.h"
#include "platform/user/MessageQueue.h"
#include "platform/user/Messaging.h"

void CMainWindowBoxes::Show(HWND window, const CString& text) {
    if (GetWindowThreadProcessId(window, nullptr) == GetCurrentThreadId()) {
        {
            std::lock_guard<std::mutex> hold(m_lock);
            if (!IsNewLocked(text))
                return;
            m_open.push_back(text);
        }
        ShowOwned(window, text);
        return;
    }
    std::lock_guard<std::mutex> hold(m_lock);
    if (!IsNewLocked(text))
        return;
    // A window already gone takes no post: its boxes end with it.
    if (::PostMessage(window, kShowBoxMessage, 0, 0))
        m_waiting.push_back(text);
}

void CMainWindowBoxes::ShowWaiting(HWND window) {
    CString text;
    {
        std::lock_guard<std::mutex> hold(m_lock);
        if (m_waiting.empty())
            return;
        text = m_waiting.front();
        m_waiting.pop_front();
        m_open.push_back(text);
    }
    ShowOwned(window, text);
}

bool CMainWindowBoxes::IsNewLocked(const CString& text) const {
    return std::find(m_waiting.begin(), m_waiting.end(), text) == m_waiting.end() &&
           std::find(m_open.begin(), m_open.end(), text) == m_open.end();
}

void CMainWindowBoxes::ShowOwned(HWND window, const CString& text) {
    ::MessageBoxW(window, text, AfxGetAppName(), MB_OK);
    std::lock_guard<std::mutex> hold(m_lock);
    m_open.erase(std::find(m_open.begin(), m_open.end(), text));
}
