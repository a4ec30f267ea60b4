// A main window as the program runs it: a modal dialog whose bare client area
// drags it, with a video pane that a renderer thread fills and a worker
// thread that sends and posts to it while its loop runs.
#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include "platform/afx/Afx.h"
#include "platform/backend/HeadlessDisplay.h"
#include "platform/user/Theme.h"
#include "tests/platform/user/Reaper.h"

namespace {

constexpr UINT kTemplate = 6001;
constexpr int kPane = 10007;
constexpr UINT kTrack = WM_USER + 105;
constexpr UINT kPaintNow = WM_USER + 106;
constexpr COLORREF kDesktop = RGB(1, 2, 3);
constexpr COLORREF kVideo = RGB(0, 200, 0);

// Waits (in real time, boundedly) for what another thread's loop will do.
template <typename F>
bool Eventually(F done) {
    const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(5);
    while (!done()) {
        if (std::chrono::steady_clock::now() > end)
            return false;
        std::this_thread::yield();
    }
    return true;
}

class CMainDlg : public CDialog {
public:
    CMainDlg() : CDialog(kTemplate) {}

    std::thread worker;
    std::thread::id trackedOn;
    int tracks = 0;
    CStatic m_pane;
    std::function<void(CMainDlg*)> script;

protected:
    void DoDataExchange(CDataExchange* dx) override { DDX_Control(dx, kPane, m_pane); }
    BOOL OnInitDialog() override {
        CDialog::OnInitDialog();
        worker = std::thread(script, this);
        return TRUE;
    }
    LRESULT OnNcHitTest(CPoint p) {
        const LRESULT hit = CDialog::OnNcHitTest(p);
        return hit == HTCLIENT ? HTCAPTION : hit;
    }
    LRESULT OnTrack(WPARAM wp, LPARAM) {
        trackedOn = std::this_thread::get_id();
        return LRESULT(++tracks * 10 + int(wp));
    }
    LRESULT OnPaintNow(WPARAM, LPARAM) {
        UpdateWindow();
        return 0;
    }
    HBRUSH OnCtlColor(CDC* dc, CWnd* wnd, UINT kind) {
        HBRUSH brush = CDialog::OnCtlColor(dc, wnd, kind);
        return wnd != nullptr && wnd->GetDlgCtrlID() == kPane ? HBRUSH(GetStockObject(BLACK_BRUSH))
                                                              : brush;
    }

    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CMainDlg, CDialog)
ON_WM_NCHITTEST()
ON_WM_CTLCOLOR()
ON_MESSAGE(kTrack, &CMainDlg::OnTrack)
ON_MESSAGE(kPaintNow, &CMainDlg::OnPaintNow)
END_MESSAGE_MAP()

TEST(MainWindowFlow, WorkersRendererAndDraggingWhileTheModalLoopRuns) {
    Reaper reaper;
    HeadlessDisplay display(800, 600, kDesktop);
    DialogTemplate t;
    t.style = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_MAXIMIZEBOX | DS_MODALFRAME;
    t.x = 20;
    t.y = 20;
    t.cx = 200;
    t.cy = 120;
    t.title = L"Marlowin";
    t.items = {{L"Static", L"", kPane, WS_VISIBLE, 0, 10, 10, 80, 50}};
    AddDialogResource(kTemplate, t);

    CMainDlg dlg;
    LRESULT tracked = 0;
    COLORREF paneOnScreen = 0;
    COLORREF beside = 0;
    RECT before{};
    RECT after{};
    dlg.script = [&](CMainDlg* d) {
        HWND self = d->m_hWnd;
        tracked = SendMessage(self, kTrack, 2, 0);  // served inside the modal loop
        SendMessage(self, kPaintNow, 0, 0);
        RECT pane{};
        GetWindowRect(GetDlgItem(self, kPane), &pane);
        {
            WindowPixels px(GetDlgItem(self, kPane));
            for (LONG y = px.Area().top; y < px.Area().bottom; ++y) {
                for (LONG x = px.Area().left; x < px.Area().right; ++x)
                    px.Buffer().Row(y)[x] = 0x00C800;
            }
        }
        RequestWindowPresentation(self);
        paneOnScreen = display.PixelAt(pane.left + 5, pane.top + 5);
        beside = display.PixelAt(pane.right + 5, pane.top + 5);
        GetWindowRect(self, &before);
        const POINT grab{pane.right + 20, pane.bottom + 10};  // bare client: a caption
        display.Press(grab);
        display.MoveMouse(POINT{grab.x + 30, grab.y + 15});
        display.Release(POINT{grab.x + 30, grab.y + 15});
        EXPECT_TRUE(Eventually([&] {
            GetWindowRect(self, &after);
            return after.left != before.left;
        }));
        PostMessage(self, WM_CLOSE, 0, 0);
    };
    EXPECT_EQ(dlg.DoModal(), IDCANCEL);
    dlg.worker.join();
    EXPECT_EQ(tracked, 12);
    EXPECT_NE(dlg.trackedOn, dlg.worker.get_id());
    EXPECT_EQ(paneOnScreen, kVideo);
    EXPECT_EQ(beside, kTheme.face) << "the dialog body beside the pane";
    EXPECT_EQ(after.left - before.left, 30);
    EXPECT_EQ(after.top - before.top, 15);
}

}  // namespace
