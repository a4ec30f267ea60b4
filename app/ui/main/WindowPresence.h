// The main window as the player's threads and the position thread reach it.
// A callback visits: it finds the window, or nothing once the window has
// started to go, and then does nothing. The window's teardown marks it gone
// and waits, bounded and serving sent messages, for the visits under way,
// so no thread resumes inside a window that has been destroyed.
//
// Threads: Visit from any thread; Arrive and Depart on the UI thread.
#pragma once

#include <mutex>

#include "platform/base/Handle.h"

class CHalbrookDlg;

class WindowPresence {
public:
    WindowPresence();

    // One visit: the window while it lasts, or null once it is gone.
    class Visit {
    public:
        explicit Visit(WindowPresence& presence);
        ~Visit();
        Visit(const Visit&) = delete;
        Visit& operator=(const Visit&) = delete;
        CHalbrookDlg* Window() const { return m_window; }
        explicit operator bool() const { return m_window != nullptr; }
        CHalbrookDlg* operator->() const { return m_window; }

    private:
        WindowPresence& m_presence;
        CHalbrookDlg* m_window;
    };

    void Arrive(CHalbrookDlg* window);
    // No visit finds `window` from now on; waits for the visits under way,
    // at most `boundMs` on the injectable clock. False when one is still
    // inside at the bound.
    bool Depart(const CHalbrookDlg* window, DWORD boundMs);

private:
    CHalbrookDlg* Enter();
    void Leave();

    std::mutex m_lock;
    CHalbrookDlg* m_window = nullptr;  // guarded by m_lock
    int m_inside = 0;                  // guarded by m_lock
    // Manual reset: set while no visit is inside. Kept for the process: a
    // thread still running at exit may visit after static destruction began.
    HANDLE m_empty = nullptr;
};

// The one main window's presence; the callbacks and the position thread
// visit it.
extern WindowPresence g_mainWindow;
