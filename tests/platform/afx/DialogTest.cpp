#include <gtest/gtest.h>

#include <functional>

#include "platform/afx/Afx.h"

namespace {

constexpr UINT kTemplate = 5001;
constexpr int kSwatch = 1010;  // an owner-drawn button
constexpr int kLabel = 1011;
constexpr int kCount = 1012;
constexpr UINT kAct = WM_APP + 9;
constexpr COLORREF kRed = RGB(255, 0, 0);

void AddTemplate() {
    DialogTemplate t;
    t.style = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME;
    t.cx = 120;
    t.cy = 60;
    t.title = L"Framework dialog";
    t.items = {
        {L"Button", L"OK", IDOK, WS_VISIBLE | WS_TABSTOP | BS_DEFPUSHBUTTON, 0, 4, 40, 40, 14},
        {L"Button", L"", kSwatch, WS_VISIBLE | BS_OWNERDRAW, 0, 60, 4, 40, 20},
        {L"Static", L"label", kLabel, WS_VISIBLE, 0, 4, 4, 40, 10},
        {L"Static", L"", kCount, WS_VISIBLE, 0, 4, 20, 40, 10},
    };
    AddDialogResource(kTemplate, t);
}

class CSwatch : public CButton {
public:
    int draws = 0;
    void DrawItem(DRAWITEMSTRUCT* dis) override {
        ++draws;
        CDC* dc = CDC::FromHandle(dis->hDC);
        dc->FillSolidRect(&dis->rcItem, kRed);
    }
};

class CSampleDlg : public CDialog {
public:
    CSampleDlg() : CDialog(kTemplate) {}

    CSwatch m_swatch;
    CStatic m_label;
    int m_count = 7;
    std::function<void(CSampleDlg&)> act;
    bool initialised = false;

protected:
    void DoDataExchange(CDataExchange* dx) override {
        DDX_Control(dx, kSwatch, m_swatch);
        DDX_Control(dx, kLabel, m_label);
        DDX_Text(dx, kCount, m_count);
    }
    BOOL OnInitDialog() override {
        CDialog::OnInitDialog();
        initialised = m_swatch.m_hWnd != nullptr && m_label.m_hWnd != nullptr;
        PostMessage(kAct);
        return TRUE;
    }
    LRESULT OnAct(WPARAM, LPARAM) {
        act(*this);
        return 0;
    }
    void OnSwatch() { EndDialog(42); }

    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CSampleDlg, CDialog)
ON_MESSAGE(kAct, &CSampleDlg::OnAct)
ON_BN_CLICKED(kSwatch, &CSampleDlg::OnSwatch)
END_MESSAGE_MAP()

POINT CentreOf(const CWnd& w) {
    RECT r{};
    w.GetWindowRect(&r);
    return POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
}

TEST(FrameworkDialogs, DoModalEndsWithTheResultOfItsCommands) {
    AddTemplate();
    struct Case {
        const char* name;
        std::function<void(CSampleDlg&)> act;
        intptr_t expected;
        int count;  // m_count afterwards: saved only by OK
    };
    const Case cases[] = {
        {"Enter is OK and saves the data",
         [](CSampleDlg& d) {
             d.SetDlgItemText(kCount, L"12");
             InjectKey(VK_RETURN, true);
             InjectKey(VK_RETURN, false);
         },
         IDOK, 12},
        {"Escape cancels without saving",
         [](CSampleDlg& d) {
             d.SetDlgItemText(kCount, L"13");
             InjectKey(VK_ESCAPE, true);
             InjectKey(VK_ESCAPE, false);
         },
         IDCANCEL, 7},
        {"a click on the owner-drawn button reaches its handler",
         [](CSampleDlg& d) {
             const POINT p = CentreOf(d.m_swatch);
             InjectMouseButton(MouseButton::Left, true, p);
             InjectMouseButton(MouseButton::Left, false, p);
         },
         42, 7},
    };
    for (const Case& c : cases) {
        CSampleDlg dlg;
        dlg.act = c.act;
        EXPECT_EQ(dlg.DoModal(), c.expected) << c.name;
        EXPECT_TRUE(dlg.initialised) << c.name;
        EXPECT_EQ(dlg.m_count, c.count) << c.name;
        EXPECT_EQ(dlg.m_hWnd, nullptr) << c.name;
    }
}

TEST(FrameworkDialogs, OwnerDrawnControlsDrawThroughReflection) {
    AddTemplate();
    CSampleDlg dlg;
    int drawsSeen = 0;
    COLORREF pixel = 0;
    dlg.act = [&](CSampleDlg& d) {
        d.UpdateWindow();
        drawsSeen = d.m_swatch.draws;
        RECT r{};
        d.m_swatch.GetWindowRect(&r);
        POINT p{r.left + 2, r.top + 2};
        CWindowDC whole(&d);
        RECT dr{};
        d.GetWindowRect(&dr);
        pixel = whole.GetPixel(p.x - dr.left, p.y - dr.top);
        d.EndDialog(IDCANCEL);
    };
    dlg.DoModal();
    EXPECT_GE(drawsSeen, 1);
    EXPECT_EQ(pixel, kRed);
}

TEST(FrameworkDialogs, AModelessDialogGetsItsKeysThroughThePreTranslateWalk) {
    AddTemplate();
    CSampleDlg dlg;
    dlg.act = [](CSampleDlg&) {};
    ASSERT_TRUE(dlg.Create(kTemplate));
    EXPECT_TRUE(dlg.initialised);
    dlg.ShowWindow(SW_SHOW);
    HWND self = dlg.m_hWnd;
    InjectKey(VK_ESCAPE, true);
    InjectKey(VK_ESCAPE, false);
    MSG msg{};
    while (PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (!CWnd::WalkPreTranslateTree(self, &msg)) {
            TranslateMessage(&msg);
            DispatchMessage(&msg);
        }
    }
    intptr_t result = 0;
    EXPECT_TRUE(HasDialogEnded(self, &result));
    EXPECT_EQ(result, IDCANCEL);
    EXPECT_FALSE(dlg.IsWindowVisible());
    dlg.DestroyWindow();
}

TEST(FrameworkDialogs, AMissingTemplateFails) {
    CDialog dlg(9999);
    EXPECT_EQ(dlg.DoModal(), -1);
}

// A window painting through the framework's contexts.
class CCanvas : public CWnd {
public:
    BOOL Make() {
        static const bool registered = [] {
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
                          L"AfxCanvas",
                          nullptr};
            return RegisterClassEx(&c) != 0;
        }();
        return registered && CreateEx(0, L"AfxCanvas", L"", WS_POPUP | WS_VISIBLE, 0, 0, 20, 10,
                                      nullptr, nullptr);
    }

protected:
    void OnPaint() {
        CPaintDC dc(this);
        CBrush blue(RGB(0, 0, 255));
        CRect r;
        GetClientRect(&r);
        dc.FillRect(&r, &blue);
        CPen white(PS_SOLID, 1, RGB(255, 255, 255));
        CPen* old = dc.SelectObject(&white);
        dc.MoveTo(0, 5);
        dc.LineTo(20, 5);
        dc.SelectObject(old);
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CCanvas, CWnd)
ON_WM_PAINT()
END_MESSAGE_MAP()

TEST(FrameworkDrawing, PaintAndClientContexts) {
    CCanvas canvas;
    ASSERT_TRUE(canvas.Make());
    canvas.UpdateWindow();
    {
        CClientDC dc(&canvas);
        EXPECT_EQ(dc.GetPixel(3, 3), RGB(0, 0, 255));
        EXPECT_EQ(dc.GetPixel(3, 5), RGB(255, 255, 255));
        CRgn left;
        left.CreateRectRgn(0, 0, 5, 10);
        dc.SelectClipRgn(&left);
        dc.FillSolidRect(0, 0, 20, 10, RGB(0, 255, 0));
        dc.SelectClipRgn(nullptr);
        EXPECT_EQ(dc.GetPixel(4, 0), RGB(0, 255, 0));
        EXPECT_EQ(dc.GetPixel(5, 0), RGB(0, 0, 255)) << "outside the clip region";
    }
    const uint32_t pixels[] = {0x112233};
    AddBitmapResource(5100, 1, 1, pixels);
    CBitmap bitmap;
    ASSERT_TRUE(bitmap.LoadBitmap(5100));
    BITMAP info{};
    bitmap.GetBitmap(&info);
    EXPECT_EQ(info.bmWidth, 1);
    CDC memory;
    ASSERT_TRUE(memory.CreateCompatibleDC(nullptr));
    CBitmap* old = memory.SelectObject(&bitmap);
    EXPECT_EQ(memory.GetPixel(0, 0), RGB(0x11, 0x22, 0x33));
    memory.SelectObject(old);
}

TEST(FrameworkDrawing, MainWindow) {
    EXPECT_EQ(AfxGetMainWnd(), nullptr);
    CCanvas main;
    AfxSetMainWnd(&main);
    EXPECT_EQ(AfxGetMainWnd(), &main);
    AfxSetMainWnd(nullptr);
}

}  // namespace
