#include <gtest/gtest.h>

#include "platform/afx/Afx.h"

namespace {

constexpr UINT kCustom = WM_APP + 5;
constexpr UINT kNotifyCode = 1124;

// A plain window class for the framework's windows in these tests.
const wchar_t* TestClass() {
    static const wchar_t* name = [] {
        WNDCLASSEXW c{sizeof(WNDCLASSEXW),
                      0,
                      DefWindowProcW,
                      0,
                      0,
                      nullptr,
                      nullptr,
                      nullptr,
                      nullptr,
                      nullptr,
                      L"AfxTestWindow",
                      nullptr};
        RegisterClassEx(&c);
        return L"AfxTestWindow";
    }();
    return name;
}

class CBaseWnd : public CWnd {
public:
    DECLARE_DYNAMIC(CBaseWnd)
    std::vector<std::string> calls;

    BOOL Make(CWnd* parent = nullptr) {
        return CreateEx(0, TestClass(), L"", parent != nullptr ? WS_CHILD | WS_VISIBLE : WS_POPUP,
                        0, 0, 50, 50, parent != nullptr ? parent->m_hWnd : nullptr,
                        reinterpret_cast<HMENU>(intptr_t(parent != nullptr ? 77 : 0)));
    }

protected:
    void OnOne() { calls.push_back("base one"); }
    void OnTwo() { calls.push_back("base two"); }
    void OnTimer(UINT_PTR id) { calls.push_back("timer " + std::to_string(id)); }

    DECLARE_MESSAGE_MAP()
};

IMPLEMENT_DYNAMIC(CBaseWnd, CWnd)

BEGIN_MESSAGE_MAP(CBaseWnd, CWnd)
ON_COMMAND(1, &CBaseWnd::OnOne)
ON_COMMAND(2, &CBaseWnd::OnTwo)
ON_WM_TIMER()
END_MESSAGE_MAP()

class CDerivedWnd : public CBaseWnd {
public:
    DECLARE_DYNAMIC(CDerivedWnd)
    CCmdUI* lastUpdate = nullptr;

protected:
    void OnTwo() { calls.push_back("derived two"); }
    void OnRange(UINT id) { calls.push_back("range " + std::to_string(id)); }
    void OnClicked() { calls.push_back("clicked"); }
    void OnTip(NMHDR* header, LRESULT* result) {
        calls.push_back("notify " + std::to_string(header->idFrom));
        *result = 5;
    }
    void OnUpdate(CCmdUI* ui) {
        lastUpdate = ui;
        ui->Enable(FALSE);
    }
    LRESULT OnCustom(WPARAM wp, LPARAM lp) { return LRESULT(wp * 100 + lp); }
    void OnSize(UINT kind, int cx, int cy) {
        calls.push_back("size " + std::to_string(kind) + " " + std::to_string(cx) + "x" +
                        std::to_string(cy));
        CWnd::OnSize(kind, cx, cy);
    }
    LRESULT OnNcHitTest(CPoint p) {
        const LRESULT hit = CWnd::OnNcHitTest(p);  // the default answer first
        return hit == HTCLIENT ? HTCAPTION : hit;
    }

    DECLARE_MESSAGE_MAP()
};

IMPLEMENT_DYNAMIC(CDerivedWnd, CBaseWnd)

BEGIN_MESSAGE_MAP(CDerivedWnd, CBaseWnd)
ON_COMMAND(2, &CDerivedWnd::OnTwo)
ON_COMMAND_RANGE(100, 109, &CDerivedWnd::OnRange)
ON_BN_CLICKED(200, &CDerivedWnd::OnClicked)
ON_NOTIFY(kNotifyCode, 300, &CDerivedWnd::OnTip)
ON_UPDATE_COMMAND_UI(400, &CDerivedWnd::OnUpdate)
ON_MESSAGE(kCustom, &CDerivedWnd::OnCustom)
ON_WM_SIZE()
ON_WM_NCHITTEST()
END_MESSAGE_MAP()

TEST(MessageMaps, CommandsRangesAndControlNotifications) {
    CDerivedWnd w;
    ASSERT_TRUE(w.Make());
    w.calls.clear();
    w.SendMessage(WM_COMMAND, MAKEWPARAM(1, 0), 0);
    w.SendMessage(WM_COMMAND, MAKEWPARAM(2, 0), 0);
    w.SendMessage(WM_COMMAND, MAKEWPARAM(105, 0), 0);
    w.SendMessage(WM_COMMAND, MAKEWPARAM(110, 0), 0);  // outside the range
    w.SendMessage(WM_COMMAND, MAKEWPARAM(200, int(BN_CLICKED)), 0);
    w.SendMessage(WM_COMMAND, MAKEWPARAM(200, int(BN_DOUBLECLICKED)), 0);  // another code
    EXPECT_EQ(w.calls,
              (std::vector<std::string>{"base one", "derived two", "range 105", "clicked"}));
    EXPECT_TRUE(w.OnCmdMsg(1, CN_COMMAND, nullptr, nullptr));
    EXPECT_FALSE(w.OnCmdMsg(3, CN_COMMAND, nullptr, nullptr));
}

TEST(MessageMaps, NotificationsMessagesAndUpdateUi) {
    CDerivedWnd w;
    ASSERT_TRUE(w.Make());
    w.calls.clear();
    NMHDR header{nullptr, 300, kNotifyCode};
    EXPECT_EQ(w.SendMessage(WM_NOTIFY, 300, LPARAM(&header)), 5);
    header.idFrom = 301;
    EXPECT_EQ(w.SendMessage(WM_NOTIFY, 301, LPARAM(&header)), 0);
    EXPECT_EQ(w.calls, std::vector<std::string>{"notify 300"});
    EXPECT_EQ(w.SendMessage(kCustom, 3, 4), 304);
    CCmdUI ui;
    ui.m_nID = 400;
    EXPECT_TRUE(ui.DoUpdate(&w, TRUE));
    EXPECT_EQ(w.lastUpdate, &ui);
    EXPECT_TRUE(ui.m_bEnableChanged);
    ui.m_nID = 401;
    EXPECT_FALSE(ui.DoUpdate(&w, FALSE));
}

TEST(MessageMaps, HandlersGetCrackedParametersAndDefaultProcessing) {
    CDerivedWnd w;
    ASSERT_TRUE(w.Make());
    w.calls.clear();
    w.MoveWindow(0, 0, 70, 30);
    EXPECT_EQ(w.calls, std::vector<std::string>{"size 0 70x30"});
    RECT r{};
    w.GetWindowRect(&r);
    EXPECT_EQ(w.SendMessage(WM_NCHITTEST, 0, MAKELPARAM(r.left + 5, r.top + 5)), HTCAPTION);
    EXPECT_EQ(w.SendMessage(WM_NCHITTEST, 0, MAKELPARAM(r.left - 5, r.top)), HTNOWHERE);
    w.SetWindowText(L"unhandled messages reach the default procedure");
    CString text;
    w.GetWindowText(text);
    EXPECT_STREQ(text, L"unhandled messages reach the default procedure");
    w.SendMessage(WM_TIMER, 9, 0);
    EXPECT_EQ(w.calls.back(), "timer 9") << "entries of the base class's map still apply";
}

// Scroll handlers of both kinds: one takes any control, one only scroll bars.
class CScrollTarget : public CBaseWnd {
public:
    CWnd* anyControl = nullptr;
    CScrollBar* scrollBar = nullptr;
    int calls = 0;

protected:
    void OnHScroll(UINT, UINT, CWnd* control) {
        anyControl = control;
        ++calls;
    }
    void OnVScroll(UINT, UINT, CScrollBar* bar) {
        scrollBar = bar;
        ++calls;
    }

    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CScrollTarget, CBaseWnd)
ON_WM_HSCROLL()
ON_WM_VSCROLL()
END_MESSAGE_MAP()

// A trackbar's object is no scroll bar: it once reached CScrollBar* handlers
// cast to one, which the undefined-behaviour checker reports.
TEST(MessageMaps, ScrollHandlersGetTheControlAsWhatItIs) {
    CScrollTarget target;
    ASSERT_TRUE(target.Make());
    CSliderCtrl slider;
    ASSERT_TRUE(slider.Create(WS_CHILD | TBS_HORZ, CRect(0, 0, 40, 10), &target, 5));
    CBaseWnd barWindow;
    ASSERT_TRUE(barWindow.Make(&target));
    CScrollBar bar;
    const HWND barHandle = barWindow.Detach();
    ASSERT_TRUE(bar.Attach(barHandle));

    target.SendMessage(WM_HSCROLL, TB_LINEDOWN, LPARAM(slider.m_hWnd));
    EXPECT_EQ(target.anyControl, &slider);
    target.SendMessage(WM_VSCROLL, TB_LINEDOWN, LPARAM(slider.m_hWnd));
    EXPECT_EQ(target.scrollBar, nullptr) << "a trackbar is not handed over as a scroll bar";
    target.SendMessage(WM_VSCROLL, TB_LINEDOWN, LPARAM(barHandle));
    EXPECT_EQ(target.scrollBar, &bar);
    target.SendMessage(WM_HSCROLL, TB_LINEDOWN, 0);
    EXPECT_EQ(target.anyControl, nullptr) << "a window's own scrolling has no control";
    EXPECT_EQ(target.calls, 4);
    bar.Detach();
    ::DestroyWindow(barHandle);
}

TEST(Windows, AttachmentLookupAndRuntimeClass) {
    CDerivedWnd w;
    ASSERT_TRUE(w.Make());
    EXPECT_EQ(CWnd::FromHandle(w.m_hWnd), &w);
    EXPECT_EQ(CWnd::FromHandlePermanent(w.m_hWnd), &w);
    EXPECT_TRUE(w.IsKindOf(RUNTIME_CLASS(CWnd)));
    EXPECT_TRUE(w.IsKindOf(RUNTIME_CLASS(CDerivedWnd)));
    EXPECT_FALSE(w.IsKindOf(RUNTIME_CLASS(CDialog)));
    EXPECT_STREQ(w.GetRuntimeClass()->m_lpszClassName, "CDerivedWnd");
    HWND plain = CreateWindowEx(0, TestClass(), L"", WS_POPUP, 0, 0, 5, 5, nullptr, nullptr,
                                nullptr, nullptr);
    CWnd* temp = CWnd::FromHandle(plain);
    ASSERT_NE(temp, nullptr);
    EXPECT_EQ(temp->m_hWnd, plain);
    EXPECT_EQ(CWnd::FromHandlePermanent(plain), nullptr);
    EXPECT_EQ(CWnd::FromHandle(plain), temp);
    DestroyWindow(plain);
    EXPECT_EQ(CWnd::FromHandle(plain), nullptr);
    HWND hwnd = w.m_hWnd;
    w.DestroyWindow();
    EXPECT_EQ(w.m_hWnd, nullptr) << "the object lets go of its destroyed window";
    EXPECT_EQ(CWnd::FromHandlePermanent(hwnd), nullptr);
}

// A control that takes over an existing window and relabels itself first.
class CLabel : public CStatic {
public:
    int presubclassed = 0;

protected:
    void PreSubclassWindow() override { ++presubclassed; }
};

TEST(Windows, SubclassDlgItemAndThePreTranslateChain) {
    CBaseWnd parent;
    ASSERT_TRUE(parent.Make());
    HWND label =
        CreateWindowEx(0, L"Static", L"text", WS_CHILD | WS_VISIBLE, 0, 0, 20, 10, parent.m_hWnd,
                       reinterpret_cast<HMENU>(intptr_t(55)), nullptr, nullptr);
    CLabel control;
    ASSERT_TRUE(control.SubclassDlgItem(55, &parent));
    EXPECT_EQ(control.presubclassed, 1);
    EXPECT_EQ(control.m_hWnd, label);
    EXPECT_EQ(control.SendMessage(WM_NCHITTEST, 0, 0), HTTRANSPARENT)
        << "the original procedure still answers what the object does not";

    struct CEater : public CBaseWnd {
        BOOL PreTranslateMessage(MSG* msg) override { return msg->message == WM_KEYDOWN; }
    } eater;
    ASSERT_TRUE(eater.Make(&parent));
    HWND inner = CreateWindowEx(0, TestClass(), L"", WS_CHILD, 0, 0, 5, 5, eater.m_hWnd, nullptr,
                                nullptr, nullptr);
    MSG key{inner, WM_KEYDOWN, VK_RETURN, 0, 0, {}};
    MSG other{inner, WM_CHAR, L'a', 0, 0, {}};
    EXPECT_TRUE(CWnd::WalkPreTranslateTree(parent.m_hWnd, &key));
    EXPECT_FALSE(CWnd::WalkPreTranslateTree(parent.m_hWnd, &other));
    control.UnsubclassWindow();
    EXPECT_EQ(CWnd::FromHandlePermanent(label), nullptr);
}

}  // namespace
