// A headless screen with one top-level test window at the screen's origin,
// for driving controls with injected input: the parent's messages are logged
// by TestWindows, timers run on a fake clock.
#pragma once

#include <gtest/gtest.h>

#include "TestWindows.h"
#include "platform/backend/HeadlessDisplay.h"
#include "platform/base/FakeClock.h"

class ControlTest : public ::testing::Test {
public:
    static constexpr COLORREF kDesktop = RGB(0, 0, 64);

    ControlTest() {
        parent = windows.Top(0, 0, 400, 300);
        TestWindows::Pump();
    }

    HWND Make(const wchar_t* cls, const wchar_t* text, DWORD style, int x, int y, int w, int h,
              int id = 100) {
        HWND hwnd = CreateWindowEx(0, cls, text, WS_CHILD | WS_VISIBLE | style, x, y, w, h, parent,
                                   reinterpret_cast<HMENU>(intptr_t(id)), nullptr, nullptr);
        TestWindows::Pump();
        return hwnd;
    }

    // Screen point of a control's client point.
    static POINT At(HWND hwnd, int x, int y) {
        POINT p{x, y};
        ClientToScreen(hwnd, &p);
        return p;
    }
    void Click(POINT p) {
        display.Click(p);
        TestWindows::Pump();
    }
    void Drag(POINT from, POINT to) {
        display.Press(from);
        display.MoveMouse(to);
        display.Release(to);
        TestWindows::Pump();
    }
    void Key(UINT vk) {
        display.Key(vk);
        TestWindows::Pump();
    }
    void KeyWith(UINT modifier, UINT vk) {
        InjectKey(modifier, true);
        display.Key(vk);
        InjectKey(modifier, false);
        TestWindows::Pump();
    }
    void Type(const std::wstring& text) {
        for (wchar_t c : text)
            display.Key(UINT(c >= L'a' && c <= L'z' ? c - L'a' + L'A' : c));
        TestWindows::Pump();
    }
    static std::wstring Text(HWND hwnd) {
        wchar_t buffer[256] = {};
        GetWindowText(hwnd, buffer, 256);
        return buffer;
    }

    // The parent's messages of one kind, in order.
    std::vector<LoggedMessage> ParentGot(UINT message) const {
        std::vector<LoggedMessage> out;
        for (const LoggedMessage& m : TestWindows::Log()) {
            if (m.hwnd == parent && m.message == message)
                out.push_back(m);
        }
        return out;
    }
    // The notification codes of WM_COMMAND the parent got.
    std::vector<UINT> CommandCodes() const {
        std::vector<UINT> out;
        for (const LoggedMessage& m : ParentGot(WM_COMMAND))
            out.push_back(HIWORD(m.wParam));
        return out;
    }

    ScopedFakeClock clock;
    HeadlessDisplay display{400, 300, kDesktop};
    TestWindows windows;
    HWND parent = nullptr;
};
