#include "TestWindows.h"

#include <map>
#include <mutex>

namespace {

std::mutex g_mutex;
std::vector<LoggedMessage> g_log;
std::map<std::pair<HWND, UINT>, MessageHandler> g_handlers;

LRESULT TestProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    MessageHandler handler;
    {
        std::lock_guard lock(g_mutex);
        g_log.push_back(LoggedMessage{hwnd, message, wParam, lParam});
        auto it = g_handlers.find({hwnd, message});
        if (it != g_handlers.end())
            handler = it->second;
    }
    return handler ? handler(hwnd, wParam, lParam) : DefWindowProc(hwnd, message, wParam, lParam);
}

void RegisterOnce() {
    static const bool done = [] {
        WNDCLASSEXW c{sizeof(WNDCLASSEXW),
                      0,
                      TestProc,
                      0,
                      0,
                      nullptr,
                      nullptr,
                      LoadCursor(nullptr, IDC_ARROW),
                      nullptr,
                      nullptr,
                      TestWindows::kClass,
                      nullptr};
        RegisterClassEx(&c);
        c.style = CS_DBLCLKS;
        c.lpszClassName = TestWindows::kDoubleClickClass;
        RegisterClassEx(&c);
        return true;
    }();
    (void)done;
}

}  // namespace

TestWindows::TestWindows() {
    RegisterOnce();
    std::lock_guard lock(g_mutex);
    g_log.clear();
    g_handlers.clear();
}

TestWindows::~TestWindows() {
    for (auto it = made_.rbegin(); it != made_.rend(); ++it)
        DestroyWindow(*it);
    std::lock_guard lock(g_mutex);
    g_handlers.clear();
}

HWND TestWindows::Top(int x, int y, int w, int h, DWORD style, DWORD exStyle, const wchar_t* cls) {
    HWND hwnd =
        CreateWindowEx(exStyle, cls, L"top", style, x, y, w, h, nullptr, nullptr, nullptr, nullptr);
    made_.push_back(hwnd);
    return hwnd;
}

HWND TestWindows::Child(HWND parent, int id, int x, int y, int w, int h, DWORD style,
                        const wchar_t* cls) {
    return CreateWindowEx(0, cls, L"child", style, x, y, w, h, parent,
                          reinterpret_cast<HMENU>(intptr_t(id)), nullptr, nullptr);
}

void TestWindows::On(HWND hwnd, UINT message, MessageHandler handler) {
    std::lock_guard lock(g_mutex);
    g_handlers[{hwnd, message}] = std::move(handler);
}

std::vector<LoggedMessage> TestWindows::Log() {
    std::lock_guard lock(g_mutex);
    return g_log;
}

std::vector<UINT> TestWindows::MessagesOf(HWND hwnd) {
    std::vector<UINT> out;
    for (const LoggedMessage& m : Log()) {
        if (m.hwnd == hwnd)
            out.push_back(m.message);
    }
    return out;
}

std::vector<HWND> TestWindows::WindowsThatGot(UINT message) {
    std::vector<HWND> out;
    for (const LoggedMessage& m : Log()) {
        if (m.message == message)
            out.push_back(m.hwnd);
    }
    return out;
}

void TestWindows::ClearLog() {
    std::lock_guard lock(g_mutex);
    g_log.clear();
}

void TestWindows::Pump() {
    MSG msg{};
    while (PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessage(&msg);
    }
}
