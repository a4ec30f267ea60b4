// A modeless test dialog on the headless display, with the skinned controls
// placed in pixels, its commands and the private messages posted to it (as
// the application's main window) recorded.
#pragma once

#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include "platform/afx/Afx.h"
#include "platform/backend/HeadlessDisplay.h"
#include "platform/base/FakeClock.h"

namespace skintest {

constexpr COLORREF kDesktop = RGB(1, 1, 1);

class CRecordingDlg : public CDialog {
public:
    explicit CRecordingDlg(UINT templateId) : CDialog(templateId) {}

    std::vector<std::pair<UINT, LPARAM>> commands;  // (wParam, lParam)
    struct Posted {
        UINT message;
        WPARAM wParam;
        LPARAM lParam;
        bool operator==(const Posted&) const = default;
    };
    std::vector<Posted> posted;

    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override {
        commands.emplace_back(UINT(wParam), lParam);
        return TRUE;
    }
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
        if (message >= WM_USER + 100 && message <= WM_USER + 131) {
            posted.push_back({message, wParam, lParam});
            return 0;
        }
        return CDialog::WindowProc(message, wParam, lParam);
    }
};

// Adds a dialog template of the given controls (placed later in pixels).
inline void AddTemplate(UINT id, std::vector<DialogItemTemplate> items) {
    DialogTemplate t;
    t.style = WS_POPUP | WS_VISIBLE;
    t.cx = 200;
    t.cy = 120;
    t.title = L"Skin";
    t.items = std::move(items);
    AddDialogResource(id, t);
}

class Fixture : public ::testing::Test {
protected:
    explicit Fixture(UINT templateId) : dlg(templateId) {}
    void Open(UINT templateId) {
        ASSERT_TRUE(dlg.Create(templateId));
        dlg.MoveWindow(20, 20, 300, 200);
        dlg.ShowWindow(SW_SHOW);
        AfxSetMainWnd(&dlg);
        Pump();
    }
    ~Fixture() override {
        AfxSetMainWnd(nullptr);
        dlg.DestroyWindow();
    }
    void Pump() {
        MSG msg{};
        while (PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessage(&msg);
        }
    }
    static POINT Screen(const CWnd& w, int x, int y) {
        POINT p{x, y};
        w.ClientToScreen(&p);
        return p;
    }
    void Move(const CWnd& w, int x, int y) {
        display.MoveMouse(Screen(w, x, y));
        Pump();
    }
    void Press(const CWnd& w, int x, int y) {
        display.Press(Screen(w, x, y));
        Pump();
    }
    void Release(const CWnd& w, int x, int y) {
        display.Release(Screen(w, x, y));
        Pump();
    }
    // The screen pixel at a client point of a window.
    COLORREF Pixel(const CWnd& w, int x, int y) {
        const POINT p = Screen(w, x, y);
        return display.PixelAt(p.x, p.y);
    }

    ScopedFakeClock clock;
    HeadlessDisplay display{400, 300, kDesktop};
    CRecordingDlg dlg;
};

}  // namespace skintest
