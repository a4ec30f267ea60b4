#include "app/ui/main/WindowPresence.h"

#include "app/ui/main/SentMessageWait.h"
#include "platform/base/Event.h"

WindowPresence g_mainWindow;

WindowPresence::WindowPresence() : m_empty(CreateEvent(true, true)) {}

WindowPresence::Visit::Visit(WindowPresence& presence)
    : m_presence(presence), m_window(presence.Enter()) {}

WindowPresence::Visit::~Visit() {
    if (m_window != nullptr)
        m_presence.Leave();
}

void WindowPresence::Arrive(CHalbrookDlg* window) {
    std::lock_guard<std::mutex> hold(m_lock);
    m_window = window;
}

bool WindowPresence::Depart(const CHalbrookDlg* window, DWORD boundMs) {
    {
        std::lock_guard<std::mutex> hold(m_lock);
        if (m_window != window)
            return true;
        m_window = nullptr;
    }
    return WaitServingSentMessages(m_empty, boundMs) == WAIT_OBJECT_0;
}

CHalbrookDlg* WindowPresence::Enter() {
    std::lock_guard<std::mutex> hold(m_lock);
    if (m_window == nullptr)
        return nullptr;
    if (m_inside++ == 0)
        ResetEvent(m_empty);
    return m_window;
}

void WindowPresence::Leave() {
    std::lock_guard<std::mutex> hold(m_lock);
    if (--m_inside == 0)
        SetEvent(m_empty);
}
