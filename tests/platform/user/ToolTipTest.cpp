#include <cwchar>

#include "ControlFixture.h"
#include "platform/user/Theme.h"

namespace {

class ToolTip : public ControlTest {
public:
    ToolTip() {
        slider = windows.Child(parent, 10011, 50, 50, 100, 20);
        tip = CreateWindowEx(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP, 0,
                             0, 0, 0, parent, nullptr, nullptr, nullptr);
        AddTool(slider, L"Seek");
        TestWindows::Pump();
    }
    ~ToolTip() override { DestroyWindow(tip); }

    void AddTool(HWND tool, wchar_t* text) {
        TOOLINFOW info{sizeof(TOOLINFOW), TTF_IDISHWND, parent, UINT_PTR(tool), {},
                       nullptr,           text,         0,      nullptr};
        SendMessage(tip, TTM_ADDTOOLW, 0, LPARAM(&info));
    }
    void AddTool(HWND tool, const wchar_t* text) { AddTool(tool, const_cast<wchar_t*>(text)); }
    // Dispatches what is queued, relaying the mouse messages to the tooltip as its owner does.
    void Relay() {
        MSG msg{};
        while (PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if (msg.message >= WM_MOUSEFIRST && msg.message <= WM_MOUSELAST)
                SendMessage(tip, TTM_RELAYEVENT, 0, LPARAM(&msg));
            TranslateMessage(&msg);
            DispatchMessage(&msg);
        }
    }
    void MoveTo(POINT p) {
        display.MoveMouse(p);
        Relay();
    }
    void Wait(UINT ms) {
        clock->Advance(ms);
        Relay();
    }
    bool Shown() const { return IsWindowVisible(tip) != 0; }
    std::vector<UINT> TipNotifications() const {
        std::vector<UINT> out;
        for (const LoggedMessage& m : ParentGot(WM_NOTIFY))
            out.push_back(UINT(m.wParam));
        return out;
    }

    HWND slider = nullptr;
    HWND tip = nullptr;
};

TEST_F(ToolTip, TheTipShowsAfterTheInitialDelayAndGoesAfterTheAutopop) {
    MoveTo(At(slider, 10, 10));
    Wait(499);
    EXPECT_FALSE(Shown());
    Wait(1);
    ASSERT_TRUE(Shown());
    RECT r{};
    GetWindowRect(tip, &r);
    EXPECT_EQ(display.PixelAt(r.left + 1, r.top + 1), kTheme.tipBack);
    EXPECT_EQ(WindowFromPoint(POINT{r.left + 2, r.top + 2}), parent)
        << "the tip lets the mouse through";
    Wait(4999);
    EXPECT_TRUE(Shown());
    Wait(1);
    EXPECT_FALSE(Shown());
    MoveTo(At(slider, 12, 10));
    Wait(1000);
    EXPECT_FALSE(Shown()) << "not again until the cursor leaves the tool";
}

TEST_F(ToolTip, LeavingTheToolOrPressingHidesTheTip) {
    MoveTo(At(slider, 10, 10));
    Wait(500);
    ASSERT_TRUE(Shown());
    MoveTo(POINT{300, 250});
    EXPECT_FALSE(Shown());
    MoveTo(At(slider, 10, 10));
    Wait(500);
    ASSERT_TRUE(Shown());
    display.Press(At(slider, 10, 10));
    display.Release(At(slider, 10, 10));
    Relay();
    EXPECT_FALSE(Shown());
    MoveTo(At(slider, 11, 10));
    Wait(1000);
    EXPECT_FALSE(Shown()) << "a press keeps it away while the cursor stays on the tool";
}

TEST_F(ToolTip, ACallbackTextIsAskedForAndAnEmptyAnswerShowsNothing) {
    HWND other = windows.Child(parent, 7, 200, 50, 50, 20);
    AddTool(other, LPSTR_TEXTCALLBACKW);
    MoveTo(At(other, 5, 5));
    Wait(500);
    EXPECT_FALSE(Shown());
    EXPECT_EQ(ParentGot(WM_NOTIFY).size(), 1u) << "asked once";
    TestWindows::On(parent, WM_NOTIFY, [other](HWND, WPARAM, LPARAM l) {
        auto* info = reinterpret_cast<NMTTDISPINFOW*>(l);
        if (info->hdr.code == TTN_GETDISPINFOW && info->hdr.idFrom == UINT_PTR(other))
            std::wcscpy(info->szText, L"12:34:56");
        return LRESULT(0);
    });
    MoveTo(POINT{300, 250});
    MoveTo(At(other, 5, 5));
    Wait(500);
    EXPECT_TRUE(Shown());
}

TEST_F(ToolTip, AnInactiveTooltipOrAnInactiveOwnerShowsNothing) {
    SendMessage(tip, TTM_ACTIVATE, FALSE, 0);
    MoveTo(At(slider, 10, 10));
    Wait(1000);
    EXPECT_FALSE(Shown());
    SendMessage(tip, TTM_ACTIVATE, TRUE, 0);
    MoveTo(POINT{300, 250});
    HWND plain = CreateWindowEx(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP, 0, 0, 0, 0,
                                parent, nullptr, nullptr, nullptr);
    TOOLINFOW info{sizeof(TOOLINFOW),
                   TTF_IDISHWND,
                   parent,
                   UINT_PTR(slider),
                   {},
                   nullptr,
                   const_cast<wchar_t*>(L"x"),
                   0,
                   nullptr};
    SendMessage(plain, TTM_ADDTOOLW, 0, LPARAM(&info));
    SetActiveWindow(nullptr);
    MSG move{slider, WM_MOUSEMOVE, 0, 0, 0, At(slider, 20, 10)};
    SendMessage(plain, TTM_RELAYEVENT, 0, LPARAM(&move));
    SendMessage(tip, TTM_RELAYEVENT, 0, LPARAM(&move));
    Wait(600);
    EXPECT_FALSE(IsWindowVisible(plain)) << "without TTS_ALWAYSTIP";
    EXPECT_TRUE(Shown()) << "with TTS_ALWAYSTIP";
    DestroyWindow(plain);
}

}  // namespace
