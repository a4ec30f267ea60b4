// Message boxes shown on the main window's behalf. Each is owned by the main
// window and modal to it, so it stays over the window, centred on it, and the
// window takes no input while it is open; ending the window ends it.
//
// A box can only be owned by a window of its own thread, and a player or
// worker thread must not stop for the user: a box asked for on another
// thread is handed to the window's thread (kShowBoxMessage), and the asking
// thread goes on at once. A text already open or waiting is not shown a
// second time, so a fault the player reports again and again gives one box.
//
// Threads: Show from any thread; ShowWaiting on the window's thread.
#pragma once

#include <deque>
#include <mutex>
#include <vector>

#include "platform/afx/String.h"
#include "platform/user/Messages.h"

inline constexpr UINT kShowBoxMessage = WM_APP + 22;

class CMainWindowBoxes {
public:
    // Shows `text` owned by `window`: now on the window's thread (returning
    // when the box is answered), else posted to it.
    void Show(HWND window, const CString& text);
    // The handler of kShowBoxMessage: shows the box waiting longest.
    void ShowWaiting(HWND window);

private:
    // False when the same text is open or waiting already. Lock held.
    bool IsNewLocked(const CString& text) const;
    void ShowOwned(HWND window, const CString& text);

    std::mutex m_lock;
    std::deque<CString> m_waiting;  // guarded by m_lock
    std::vector<CString> m_open;    // guarded by m_lock, innermost last
};
