// A window class for tests: every message a test window receives is logged,
// and a test may answer any message of any window with a handler of its own.
#pragma once

#include <functional>
#include <vector>

#include "platform/user/User.h"

struct LoggedMessage {
    HWND hwnd;
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
};

using MessageHandler = std::function<LRESULT(HWND, WPARAM, LPARAM)>;

class TestWindows {
public:
    static constexpr const wchar_t* kClass = L"TestWindow";
    static constexpr const wchar_t* kDoubleClickClass = L"TestWindowDblClk";

    TestWindows();   // registers the classes once; clears the log and handlers
    ~TestWindows();  // destroys the windows this thread made through it

    HWND Top(int x, int y, int w, int h, DWORD style = WS_POPUP | WS_VISIBLE, DWORD exStyle = 0,
             const wchar_t* cls = kClass);
    HWND Child(HWND parent, int id, int x, int y, int w, int h, DWORD style = WS_CHILD | WS_VISIBLE,
               const wchar_t* cls = kClass);

    // Any thread.
    static void On(HWND hwnd, UINT message, MessageHandler handler);
    static std::vector<LoggedMessage> Log();
    static std::vector<UINT> MessagesOf(HWND hwnd);
    static std::vector<HWND> WindowsThatGot(UINT message);
    static void ClearLog();

    // Dispatches everything queued on this thread (including paints and due timers).
    static void Pump();

private:
    std::vector<HWND> made_;
};
