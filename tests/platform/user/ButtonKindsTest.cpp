#include "ControlFixture.h"
#include "platform/user/ButtonPaint.h"
#include "platform/user/Theme.h"

namespace {

class ButtonKinds : public ControlTest {
protected:
    UINT Check(HWND b) { return UINT(SendMessage(b, BM_GETCHECK, 0, 0)); }
    void ClickOn(HWND b) { Click(At(b, 5, 8)); }
};

TEST_F(ButtonKinds, AutomaticCheckBoxesToggleAndPlainOnesOnlyNotify) {
    HWND autoBox = Make(L"Button", L"auto", BS_AUTOCHECKBOX, 10, 10, 100, 16, 11);
    HWND plainBox = Make(L"Button", L"plain", BS_CHECKBOX, 10, 30, 100, 16, 12);
    TestWindows::ClearLog();
    ClickOn(autoBox);
    EXPECT_EQ(Check(autoBox), BST_CHECKED);
    ClickOn(autoBox);
    EXPECT_EQ(Check(autoBox), BST_UNCHECKED);
    SetFocus(autoBox);
    Key(VK_SPACE);
    EXPECT_EQ(Check(autoBox), BST_CHECKED) << "Space clicks too";
    ClickOn(plainBox);
    EXPECT_EQ(Check(plainBox), BST_UNCHECKED);
    const auto commands = ParentGot(WM_COMMAND);
    ASSERT_EQ(commands.size(), 4u);
    EXPECT_EQ(LOWORD(commands[3].wParam), 12);
    EXPECT_EQ(HIWORD(commands[3].wParam), BN_CLICKED);
}

TEST_F(ButtonKinds, AutomaticRadioButtonsUncheckTheRestOfTheirGroupOnly) {
    HWND a = Make(L"Button", L"a", BS_AUTORADIOBUTTON | WS_GROUP, 10, 10, 80, 16, 21);
    HWND b = Make(L"Button", L"b", BS_AUTORADIOBUTTON, 10, 30, 80, 16, 22);
    HWND c = Make(L"Button", L"c", BS_AUTORADIOBUTTON, 10, 50, 80, 16, 23);
    HWND other = Make(L"Button", L"x", BS_AUTORADIOBUTTON | WS_GROUP, 10, 70, 80, 16, 24);
    SendMessage(other, BM_SETCHECK, BST_CHECKED, 0);
    ClickOn(a);
    ClickOn(c);
    EXPECT_EQ(Check(a), BST_UNCHECKED);
    EXPECT_EQ(Check(b), BST_UNCHECKED);
    EXPECT_EQ(Check(c), BST_CHECKED);
    EXPECT_EQ(Check(other), BST_CHECKED) << "another group is left alone";
    EXPECT_EQ(SendMessage(c, WM_GETDLGCODE, 0, 0), DLGC_BUTTON | DLGC_RADIOBUTTON);
    CheckRadioButton(parent, 21, 23, 22);
    EXPECT_EQ(IsDlgButtonChecked(parent, 21), BST_UNCHECKED);
    EXPECT_EQ(IsDlgButtonChecked(parent, 22), BST_CHECKED);
    EXPECT_EQ(IsDlgButtonChecked(parent, 23), BST_UNCHECKED);
    EXPECT_EQ(IsDlgButtonChecked(parent, 24), BST_CHECKED) << "outside the range";
    EXPECT_FALSE(CheckDlgButton(parent, 99, BST_CHECKED)) << "no such button";
}

TEST_F(ButtonKinds, CheckBoxesTakeTheParentsStaticColoursAndShowTheirMark) {
    constexpr COLORREF kBody = RGB(70, 70, 70);
    HBRUSH body = CreateSolidBrush(kBody);
    TestWindows::On(parent, WM_CTLCOLORSTATIC, [body](HWND, WPARAM dc, LPARAM) {
        SetTextColor(HDC(dc), RGB(255, 255, 255));
        return LRESULT(body);
    });
    HWND box = Make(L"Button", L"", BS_AUTOCHECKBOX, 10, 10, 60, 20);
    const COLORREF inside = display.PixelAt(10 + 6, 10 + 10);
    EXPECT_EQ(display.PixelAt(10 + 40, 10 + 2), kBody);
    EXPECT_EQ(inside, kTheme.field);
    SendMessage(box, BM_SETCHECK, BST_CHECKED, 0);
    TestWindows::Pump();
    int inked = 0;
    for (int y = 3; y < 10; ++y) {
        for (int x = 3; x < 10; ++x)
            inked += display.PixelAt(10 + x, 10 + 3 + y) == kTheme.selectionText ? 1 : 0;
    }
    EXPECT_GT(inked, 3) << "the tick is drawn";
    DestroyWindow(box);
    DeleteObject(body);
}

// Tab's focus shows: a dotted ring inside the push button, around the text
// of a check box or radio button; it goes with the focus.
TEST_F(ButtonKinds, TheFocusedButtonShowsAFocusRing) {
    HWND push = Make(L"Button", L"OK", BS_PUSHBUTTON, 10, 10, 80, 24, 31);
    HWND box = Make(L"Button", L"option", BS_AUTOCHECKBOX, 10, 50, 100, 20, 32);
    const auto ringPixels = [this](int x, int y, int w) {
        int inked = 0;
        for (int i = 0; i < w; ++i)
            inked += display.PixelAt(x + i, y) == kTheme.text ? 1 : 0;
        return inked;
    };
    // The push button's ring runs along its 4th row, between its edges.
    EXPECT_EQ(ringPixels(10 + 3, 10 + 3, 74), 0) << "without the focus";
    SetFocus(push);
    TestWindows::Pump();
    EXPECT_GT(ringPixels(10 + 3, 10 + 3, 74), 30) << "focused";
    SetFocus(box);
    TestWindows::Pump();
    EXPECT_EQ(ringPixels(10 + 3, 10 + 3, 74), 0) << "the focus went on";
    int ring = 0;
    for (int y = 50; y < 70; ++y) {
        for (int x = 10 + kCheckMarkSize + 1; x < 10 + kCheckMarkSize + 4; ++x)
            ring += display.PixelAt(x, y) != display.PixelAt(10 + 98, 50 + 1) ? 1 : 0;
    }
    EXPECT_GT(ring, 3) << "the check box's ring stands left of its text";
}

TEST_F(ButtonKinds, GroupBoxesLetTheMouseThroughAndLeaveTheirInsideAlone) {
    HWND group = Make(L"Button", L"Group", BS_GROUPBOX, 10, 10, 150, 100, 31);
    HWND inner = Make(L"Button", L"in", BS_AUTOCHECKBOX, 20, 40, 60, 16, 32);
    EXPECT_EQ(WindowFromPoint(POINT{100, 90}), parent);
    EXPECT_EQ(WindowFromPoint(At(inner, 4, 4)), inner);
    EXPECT_EQ(SendMessage(group, WM_GETDLGCODE, 0, 0), DLGC_STATIC);
    EXPECT_EQ(display.PixelAt(10, 60), kTheme.edge) << "the frame's left edge";
}

}  // namespace
