#include "app/controls/skin/SkinButton.h"
#include "app/controls/skin/SkinMenuText.h"
#include "app/controls/skin/SkinStatic.h"
#include "tests/app/controls/skin/Pictures.h"
#include "tests/app/controls/skin/SkinFixture.h"

using namespace pictures;
using namespace skintest;

namespace {

constexpr UINT kTemplate = 62001;
constexpr UINT kSkin = 62002;
constexpr UINT kPanelSkin = 62003;
constexpr int kOpenFile = 10002;  // one of the buttons that open dialogs
constexpr int kMapButton = 10005;
constexpr int kBare = 10003;
constexpr int kPanel = 10000;
constexpr int kInPanel = 10010;
constexpr int kLabel = 10025;
constexpr int kEmptyStatic = 10024;
constexpr int kVideo = 10007;
constexpr int kCaptioned = 10040;
constexpr UINT kWideSkin = 62004;

class SkinControls : public Fixture {
protected:
    SkinControls() : Fixture(kTemplate) {
        // Two 4 x 3 cells: red normal, green hovered; black is cut out.
        AddResource(kSkin, {"rrr.ggg.", "rrrKgggK", ".rrk.ggk"});
        AddResource(kPanelSkin, {"yb", "by"});
        AddResource(kWideSkin, Picture(14, std::string(20, 'r') + std::string(20, 'g')));
        AddStringResource(kCaptioned, L"H");
        AddTemplate(kTemplate,
                    {
                        {L"Button", L"", kOpenFile, WS_VISIBLE | BS_PUSHBUTTON, 0, 0, 0, 4, 4},
                        {L"Button", L"", kMapButton, WS_VISIBLE | BS_PUSHBUTTON, 0, 0, 0, 4, 4},
                        {L"Button", L"", kBare, WS_VISIBLE | BS_PUSHBUTTON, 0, 0, 0, 4, 4},
                        {L"Static", L"", kPanel, WS_VISIBLE | SS_NOTIFY, 0, 0, 0, 4, 4},
                        {L"Button", L"", kInPanel, WS_VISIBLE | BS_PUSHBUTTON, 0, 0, 0, 4, 4},
                        {L"Static", L"", kLabel, WS_VISIBLE | SS_NOTIFY, 0, 0, 0, 4, 4},
                        {L"Static", L"", kEmptyStatic, WS_VISIBLE, 0, 0, 0, 4, 4},
                        {L"Static", L"", kVideo, WS_VISIBLE, 0, 0, 0, 4, 4},
                        {L"Button", L"", kCaptioned, WS_VISIBLE | BS_PUSHBUTTON, 0, 0, 0, 4, 4},
                    });
        Open(kTemplate);
        Bind(open, kOpenFile, 10, 10);
        Bind(map, kMapButton, 30, 10);
        Bind(bare, kBare, 50, 10);
        panel.SubclassDlgItem(kPanel, &dlg);
        panel.MoveWindow(10, 40, 40, 20);
        panel.m_bmpBack.LoadBitmap(kPanelSkin);
        Bind(inPanel, kInPanel, 2, 2);
        inPanel.SetParent(&panel);
        label.SubclassDlgItem(kLabel, &dlg);
        label.MoveWindow(60, 40, 20, 12);
        label.SetText(L"", RGB(255, 255, 255), RGB(0, 0, 0));
        video = dlg.GetDlgItem(kVideo);
        video->SetParent(&panel);
        video->MoveWindow(20, 10, 6, 6);
        empty.SubclassDlgItem(kEmptyStatic, &dlg);
        empty.MoveWindow(90, 40, 10, 10);
        captioned.SubclassDlgItem(kCaptioned, &dlg);
        captioned.MoveWindow(120, 10, 20, 14);
        captioned.m_bitmap.LoadBitmap(kWideSkin);
        map.MoveWindow(30, 10, 4, 3);
        open.m_bitmap.LoadBitmap(kSkin);
        map.m_bitmap.LoadBitmap(kSkin);
        inPanel.m_bitmap.LoadBitmap(kSkin);
        dlg.RedrawWindow();
        Pump();
    }
    void Bind(CSkinButton& b, int id, int x, int y) {
        b.SubclassDlgItem(UINT(id), &dlg);
        b.MoveWindow(x, y, 4, 3);
    }
    std::vector<UINT> CommandIds() const {
        std::vector<UINT> ids;
        for (const auto& [w, l] : dlg.commands)
            ids.push_back(w);
        return ids;
    }

    CSkinButton open, map, bare, inPanel, captioned;
    CSkinStatic panel, empty;
    CWnd* video = nullptr;
    CSkinMenuText label;
};

}  // namespace

TEST_F(SkinControls, ButtonShowsItsCellsAndTakesTheirShape) {
    EXPECT_EQ(Pixel(map, 0, 0), Colour('r'));
    EXPECT_EQ(Pixel(map, 3, 1), Colour('K')) << "one step off the key stays";
    EXPECT_EQ(Pixel(map, 3, 2), Colour('k'));
    const COLORREF behind = Pixel(dlg, 30 + 3, 10);
    EXPECT_NE(behind, Colour('r'));
    Move(map, 1, 1);
    EXPECT_EQ(Pixel(map, 0, 0), Colour('g')) << "hovered: the right cell";
    EXPECT_EQ(CWnd::GetCapture(), &map);
    Move(map, 0, 2);  // a cut-out pixel: outside the shape
    EXPECT_EQ(Pixel(map, 0, 0), Colour('r'));
    EXPECT_EQ(CWnd::GetCapture(), nullptr);
}

TEST_F(SkinControls, TransparentColourCutsItsOwnPixels) {
    map.SetTransparentColor(RGB(10, 10, 10));
    map.RedrawWindow();
    Pump();
    Move(map, 3, 2);
    EXPECT_EQ(Pixel(map, 0, 0), Colour('r')) << "RGB(10, 10, 10) is not part of the button";
    Move(map, 3, 1);
    EXPECT_EQ(Pixel(map, 0, 0), Colour('g')) << "RGB(11, 10, 10) is";
    Move(map, 0, 2);
    EXPECT_EQ(Pixel(map, 0, 0), Colour('g')) << "black is part of it now";
}

TEST_F(SkinControls, ReleaseOverTheButtonSendsTheCommand) {
    Move(map, 1, 1);
    Press(map, 1, 1);
    EXPECT_TRUE(dlg.commands.empty());
    Release(map, 1, 1);
    ASSERT_EQ(dlg.commands.size(), 1u);
    EXPECT_EQ(dlg.commands[0].first, UINT(MAKEWPARAM(kMapButton, 0)));
    EXPECT_EQ(dlg.commands[0].second, LPARAM(map.m_hWnd));
    EXPECT_EQ(CWnd::GetCapture(), &map) << "other buttons keep the hover until the cursor leaves";
}

TEST_F(SkinControls, ButtonsThatOpenDialogsGiveUpTheCaptureFirst) {
    Move(open, 1, 1);
    Press(open, 1, 1);
    Release(open, 1, 1);
    EXPECT_EQ(CommandIds(), std::vector<UINT>{kOpenFile});
    EXPECT_EQ(CWnd::GetCapture(), nullptr);
    EXPECT_EQ(Pixel(open, 0, 0), Colour('r'));
}

TEST_F(SkinControls, TheButtonsOwnIdDecidesNotTheFocus) {
    Move(open, 1, 1);
    Press(open, 1, 1);
    ::SetFocus(map.m_hWnd);
    Release(open, 1, 1);
    EXPECT_EQ(CWnd::GetCapture(), nullptr);
    Move(map, 1, 1);
    Press(map, 1, 1);
    ::SetFocus(open.m_hWnd);
    Release(map, 1, 1);
    EXPECT_EQ(CWnd::GetCapture(), &map);
}

TEST_F(SkinControls, ReleaseAfterLeavingSendsNothingUnlessBackOnTheButton) {
    Move(map, 1, 1);
    Press(map, 1, 1);
    Move(map, 20, 1);
    EXPECT_EQ(CWnd::GetCapture(), &map) << "a press keeps the capture when leaving";
    Release(map, 20, 1);
    EXPECT_TRUE(dlg.commands.empty());
    Move(map, 1, 1);
    Press(map, 1, 1);
    Move(map, 20, 1);
    Move(map, 1, 0);
    Release(map, 1, 0);
    EXPECT_EQ(CommandIds(), std::vector<UINT>{kMapButton});
}

TEST_F(SkinControls, ReleaseOffTheButtonGivesUpTheMouseForTheNextClick) {
    for (CSkinButton* pressed : {&map, &open}) {
        dlg.commands.clear();
        Move(*pressed, 1, 1);
        Press(*pressed, 1, 1);
        Move(dlg, 150, 150);
        Release(dlg, 150, 150);
        EXPECT_EQ(CWnd::GetCapture(), nullptr) << "button " << pressed->GetDlgCtrlID();
        EXPECT_EQ(Pixel(*pressed, 0, 0), Colour('r'));
        CSkinButton& other = pressed == &map ? open : map;
        Move(other, 1, 1);
        Press(other, 1, 1);
        Release(other, 1, 1);
        EXPECT_EQ(CommandIds(), std::vector<UINT>{UINT(other.GetDlgCtrlID())})
            << "the next click elsewhere reaches its window";
        Move(dlg, 150, 150);
    }
}

TEST_F(SkinControls, LosingTheCaptureEndsHoverAndPress) {
    for (const UINT message : {UINT(WM_CANCELMODE), UINT(WM_CAPTURECHANGED)}) {
        dlg.commands.clear();
        Move(map, 1, 1);
        Press(map, 1, 1);
        if (message == WM_CAPTURECHANGED)
            bare.SetCapture();  // another window takes the mouse
        else
            map.SendMessage(WM_CANCELMODE);
        Pump();
        EXPECT_NE(CWnd::GetCapture(), &map);
        EXPECT_EQ(Pixel(map, 0, 0), Colour('r')) << "no longer lit";
        ::ReleaseCapture();
        Release(dlg, 150, 150);
        EXPECT_TRUE(dlg.commands.empty()) << "the press was cancelled";
        Move(map, 1, 1);
        EXPECT_EQ(CWnd::GetCapture(), &map) << "a later hover captures afresh";
        Move(dlg, 150, 150);
    }
}

TEST_F(SkinControls, MenuLabelThatLosesTheCaptureUnlightsAndCapturesAgain) {
    label.SetText(L"F", RGB(255, 255, 255), RGB(1, 2, 3));
    Move(label, 5, 5);
    ASSERT_EQ(CWnd::GetCapture(), &label);
    label.SendMessage(WM_CANCELMODE);
    Pump();
    EXPECT_EQ(CWnd::GetCapture(), nullptr);
    EXPECT_EQ(Pixel(label, 1, 1), RGB(0, 0, 0));
    Move(label, 6, 5);
    EXPECT_EQ(CWnd::GetCapture(), &label);
    EXPECT_EQ(Pixel(label, 1, 1), RGB(255, 124, 43));
}

TEST_F(SkinControls, ButtonWithAStringOfItsIdShowsItAsCaption) {
    int text = 0;
    for (int y = 0; y < 14; ++y)
        for (int x = 0; x < 20; ++x)
            if (const COLORREF c = Pixel(captioned, x, y); c != Colour('r')) {
                ++text;
                EXPECT_EQ(c & 0xFFFF00, 0u) << "black text blended into red only";
            }
    EXPECT_GT(text, 3) << "the text over the skin";
    EXPECT_EQ(Pixel(captioned, 0, 0), Colour('r'));
    EXPECT_EQ(Pixel(map, 1, 1), Colour('r')) << "no string: the bitmap alone";
}

TEST_F(SkinControls, ButtonWithoutSkinNeverHovers) {
    Move(bare, 1, 1);
    EXPECT_EQ(CWnd::GetCapture(), nullptr);
}

TEST_F(SkinControls, PanelForwardsTheCommandsOfItsChildren) {
    EXPECT_EQ(Pixel(panel, 0, 0), Colour('y')) << "the background is stretched";
    EXPECT_EQ(Pixel(panel, 39, 0), Colour('b'));
    Move(inPanel, 1, 1);
    Press(inPanel, 1, 1);
    Release(inPanel, 1, 1);
    ASSERT_EQ(dlg.commands.size(), 1u);
    EXPECT_EQ(dlg.commands[0].first, UINT(MAKEWPARAM(kInPanel, 0)));
    EXPECT_EQ(dlg.commands[0].second, LPARAM(inPanel.m_hWnd));
}

TEST_F(SkinControls, PanelGivesTheVideoPaneABlackBrush) {
    EXPECT_EQ(Pixel(*video, 3, 3), RGB(0, 0, 0));
    EXPECT_EQ(Pixel(panel, 19, 9), Colour('y')) << "the panel around it keeps its skin";
}

TEST_F(SkinControls, PanelTextFillsItsBand) {
    panel.SetText(L"", 30, RGB(255, 255, 255), RGB(0, 255, 0));
    panel.RedrawWindow();
    Pump();
    EXPECT_EQ(Pixel(panel, 35, 10), Colour('y')) << "an empty text leaves the background";
    panel.SetText(L"A", 30, RGB(255, 255, 255), RGB(0, 255, 0));
    panel.RedrawWindow();
    Pump();
    EXPECT_EQ(Pixel(panel, 39, 0), Colour('g')) << "the band from the left offset is filled";
    EXPECT_EQ(Pixel(panel, 0, 0), Colour('y'));
}

TEST_F(SkinControls, StaticWithNothingPaintsNothing) {
    EXPECT_EQ(Pixel(empty, 5, 5), Pixel(dlg, 110, 45));
}

TEST_F(SkinControls, MenuLabelLightsUpAndFiresOnButtonDown) {
    label.SetText(L"F", RGB(255, 255, 255), RGB(1, 2, 3));
    label.RedrawWindow();
    Pump();
    EXPECT_EQ(Pixel(label, 0, 0), RGB(34, 34, 34)) << "a dark outline, no white box";
    EXPECT_EQ(Pixel(label, 1, 1), RGB(0, 0, 0));
    Move(label, 5, 5);
    EXPECT_EQ(Pixel(label, 1, 1), RGB(255, 124, 43));
    EXPECT_EQ(CWnd::GetCapture(), &label);
    Press(label, 5, 5);
    EXPECT_EQ(CommandIds(), std::vector<UINT>{kLabel}) << "before the button comes up";
    EXPECT_EQ(dlg.commands[0].second, LPARAM(label.m_hWnd));
    EXPECT_EQ(CWnd::GetCapture(), nullptr);
    EXPECT_EQ(Pixel(label, 1, 1), RGB(0, 0, 0));
    Release(label, 5, 5);
    EXPECT_EQ(dlg.commands.size(), 1u);
    Move(label, 5, 5);
    Move(dlg, 150, 150);
    EXPECT_EQ(Pixel(label, 1, 1), RGB(0, 0, 0)) << "leaving un-lights it";
    EXPECT_EQ(CWnd::GetCapture(), nullptr);
}

TEST_F(SkinControls, MenuLabelWithoutTextDrawsOnlyItsLeftEdge) {
    label.RedrawWindow();
    Pump();
    EXPECT_EQ(Pixel(label, 0, 5), RGB(34, 34, 34));
    EXPECT_NE(Pixel(label, 1, 1), RGB(0, 0, 0));
}
