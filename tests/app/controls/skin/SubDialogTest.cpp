#include "app/controls/skin/SubDialog.h"
#include "app/res/ResourceIds.h"
#include "tests/app/controls/skin/Pictures.h"
#include "tests/app/controls/skin/SkinFixture.h"

using namespace pictures;

namespace {

constexpr UINT kTemplate = 65001;
constexpr int kLabel = 65002;
constexpr int kEdit = 65003;
constexpr int kFrame = 8;     // SM_CXFRAME and SM_CYFRAME
constexpr int kCaption = 22;  // SM_CYSIZE

class CToolDlg : public CSubDialog {
public:
    CToolDlg() : CSubDialog(kTemplate, nullptr) {}
    int cancels = 0;

protected:
    void OnCancel() override {
        ++cancels;
        CSubDialog::OnCancel();
    }
};

// Border strips: the first column (row) yellow, then red up to 50, the
// stretched column (row) 50 green, the rest blue.
std::string Strip(int length) {
    std::string s(size_t(length), 'b');
    s[0] = 'y';
    for (int i = 1; i < 50; ++i)
        s[size_t(i)] = 'r';
    s[50] = 'g';
    return s;
}

// The skins, there before the dialog loads its borders.
struct Skins {
    Skins() {
        AddResource(IDB_CLOSE, Picture(16, std::string(16, 'r')));
        AddResource(IDB_CLOSE_HOVER, Picture(16, std::string(16, 'g')));
        AddResource(IDB_BORDER_HORIZONTAL, Picture(6, Strip(60)));
        Picture vertical;
        for (char c : Strip(60))
            vertical.push_back(std::string(3, c));
        AddResource(IDB_BORDER_VERTICAL, vertical);
    }
};

class SubDialog : public ::testing::Test {
protected:
    SubDialog() {
        DialogTemplate t;
        t.style = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME;
        t.cx = 200;
        t.cy = 100;
        t.title = L"Tool";
        t.items = {
            {L"Static", L"Label", kLabel, WS_VISIBLE, 0, 4, 4, 60, 10},
            {L"Edit", L"", kEdit, WS_VISIBLE | WS_BORDER, 0, 4, 20, 60, 12},
        };
        AddDialogResource(kTemplate, t);
        EXPECT_TRUE(dlg.Create(kTemplate));
        dlg.MoveWindow(20, 20, 300, 160);
        dlg.ShowWindow(SW_SHOW);
        Pump();
    }
    ~SubDialog() override {
        if (::IsWindow(dlg.m_hWnd))
            dlg.DestroyWindow();
    }
    void Pump() {
        MSG msg{};
        while (PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessage(&msg);
        }
    }
    // A point of the window in screen coordinates.
    POINT At(int x, int y) const {
        CRect w;
        dlg.GetWindowRect(&w);
        return POINT{w.left + x, w.top + y};
    }
    COLORREF Pixel(int x, int y) const {
        const POINT p = At(x, y);
        return display.PixelAt(p.x, p.y);
    }
    std::string TopRow(int y) const {
        std::string row;
        for (int x = 0; x < 300; ++x)
            row += Letter(Pixel(x, y));
        return row;
    }
    POINT CloseBox() const { return At(300 - kFrame - 8, kFrame + 3 + 8); }

    ScopedFakeClock clock;
    HeadlessDisplay display{400, 300, RGB(1, 1, 1)};
    Skins skins;
    CToolDlg dlg;
};

}  // namespace

TEST_F(SubDialog, DrawsCaptionCloseBoxAndStretchedBorders) {
    EXPECT_TRUE(dlg.IsKindOf(RUNTIME_CLASS(CSubDialog)));
    EXPECT_EQ(Pixel(150, 10), RGB(85, 85, 85)) << "the caption band";
    EXPECT_EQ(Pixel(150, kCaption + kFrame - 1), RGB(85, 85, 85));
    int titleInk = 0;  // the title "Tool", light on the band left of the middle
    for (int y = kFrame; y < kFrame + kCaption; ++y)
        for (int x = kFrame; x < 100; ++x)
            titleInk += GetRValue(Pixel(x, y)) > 200 ? 1 : 0;
    EXPECT_GT(titleInk, 10) << "the title shows on the caption";
    EXPECT_EQ(Pixel(300 - kFrame - 16, kFrame + 3), Colour('r')) << "the close box";
    EXPECT_EQ(Pixel(300 - kFrame - 1, kFrame + 3 + 15), Colour('r'));
    const std::string expected =
        "y" + std::string(49, 'r') + std::string(300 - 60 + 1, 'g') + std::string(9, 'b');
    for (int y : {0, 2, 157, 159})
        EXPECT_EQ(TopRow(y).substr(3, 294), expected.substr(3, 294)) << y;
    for (int x : {0, 2, 297, 299}) {
        EXPECT_EQ(Letter(Pixel(x, 49)), 'r') << x;
        EXPECT_EQ(Letter(Pixel(x, 100)), 'g') << x;
        EXPECT_EQ(Letter(Pixel(x, 155)), 'b') << x;
    }
}

TEST_F(SubDialog, HoveringTheCloseBoxLightsIt) {
    display.MoveMouse(CloseBox());
    Pump();
    EXPECT_EQ(Pixel(300 - kFrame - 8, kFrame + 8), Colour('g'));
    display.MoveMouse(At(100, 12));
    Pump();
    EXPECT_EQ(Pixel(300 - kFrame - 8, kFrame + 8), Colour('r'));
}

TEST_F(SubDialog, PressOnTheCloseBoxClosesEvenAfterAMove) {
    display.Click(At(100, 12));
    Pump();
    EXPECT_EQ(dlg.cancels, 0);
    dlg.MoveWindow(60, 50, 300, 160);
    Pump();
    display.Click(CloseBox());
    Pump();
    EXPECT_EQ(dlg.cancels, 1);
}

// With a maximise box the default answer to a double click on the caption
// is to maximise; the skinned dialog takes the double click and does nothing.
TEST_F(SubDialog, DoubleClickOnTheCaptionDoesNothing) {
    dlg.ModifyStyle(0, WS_MAXIMIZEBOX);
    display.Click(At(100, 12));
    display.Click(At(100, 12));
    Pump();
    EXPECT_FALSE(dlg.IsZoomed());
}

TEST_F(SubDialog, BodyAndStaticsDarkEditsKeepTheirColours) {
    CRect client;
    dlg.GetClientRect(&client);
    POINT body{client.right - 5, client.bottom - 5};
    dlg.ClientToScreen(&body);
    EXPECT_EQ(display.PixelAt(body.x, body.y), RGB(70, 70, 70));
    CWnd* label = dlg.GetDlgItem(kLabel);
    CRect r;
    label->GetWindowRect(&r);
    EXPECT_EQ(display.PixelAt(r.right - 1, r.bottom - 1), RGB(70, 70, 70));
    CWnd* edit = dlg.GetDlgItem(kEdit);
    edit->GetWindowRect(&r);
    EXPECT_NE(display.PixelAt(r.left + 3, r.top + 3), RGB(70, 70, 70));
}
