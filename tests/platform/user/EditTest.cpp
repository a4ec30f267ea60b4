#include "ControlFixture.h"
#include "platform/user/Theme.h"

namespace {

class Edit : public ControlTest {
protected:
    Edit() {
        edit = Make(L"Edit", L"", WS_BORDER | ES_AUTOHSCROLL, 10, 10, 120, 22, 7);
        SetFocus(edit);
        TestWindows::Pump();
        TestWindows::ClearLog();
    }
    std::pair<DWORD, DWORD> Selection() const {
        DWORD start = 0, end = 0;
        SendMessage(edit, EM_GETSEL, WPARAM(&start), LPARAM(&end));
        return {start, end};
    }
    HWND edit = nullptr;
};

TEST_F(Edit, TypedCharactersReplaceTheSelectionAndEachChangeIsReported) {
    Type(L"abc");
    EXPECT_EQ(Text(edit), L"abc");
    KeyWith(VK_SHIFT, VK_LEFT);
    KeyWith(VK_SHIFT, VK_LEFT);
    EXPECT_EQ(Selection(), std::make_pair(DWORD(1), DWORD(3)));
    Type(L"z");
    EXPECT_EQ(Text(edit), L"az");
    Key(VK_HOME);
    Key(VK_DELETE);
    Key(VK_END);
    Key(VK_BACK);
    EXPECT_EQ(Text(edit), L"");
    std::vector<UINT> changes;
    for (UINT code : CommandCodes()) {
        if (code == EN_CHANGE)
            changes.push_back(code);
    }
    EXPECT_EQ(changes.size(), 6u) << "a, b, c, z, Delete, Backspace";
}

TEST_F(Edit, ClipboardRoundTripsThroughTheDisplay) {
    SetWindowText(edit, L"hello world");
    SendMessage(edit, EM_SETSEL, 0, 5);
    KeyWith(VK_CONTROL, 'C');
    EXPECT_EQ(display.ClipboardText(), L"hello");
    EXPECT_EQ(Text(edit), L"hello world") << "Ctrl+C sends no character";
    KeyWith(VK_CONTROL, 'X');
    EXPECT_EQ(Text(edit), L" world");
    Key(VK_END);
    KeyWith(VK_CONTROL, 'V');
    EXPECT_EQ(Text(edit), L" worldhello");
    display.SetClipboardText(L"one\r\ntwo");
    KeyWith(VK_CONTROL, 'A');
    SendMessage(edit, WM_PASTE, 0, 0);
    EXPECT_EQ(Text(edit), L"one") << "a single line takes the first line";
}

TEST_F(Edit, LimitsReadOnlyAndNumbersRefuseInput) {
    SendMessage(edit, EM_LIMITTEXT, 3, 0);
    Type(L"abcd");
    EXPECT_EQ(Text(edit), L"abc");
    EXPECT_EQ(CommandCodes().back(), EN_MAXTEXT);
    SendMessage(edit, EM_SETREADONLY, TRUE, 0);
    Key(VK_BACK);
    EXPECT_EQ(Text(edit), L"abc");
    SendMessage(edit, EM_SETREADONLY, FALSE, 0);
    SendMessage(edit, EM_LIMITTEXT, 0, 0);
    SetWindowLongPtr(edit, GWL_STYLE, GetWindowLongPtr(edit, GWL_STYLE) | ES_NUMBER);
    Type(L"x12");
    EXPECT_EQ(Text(edit), L"abc12");
}

TEST_F(Edit, MouseSetsTheCaretAndDragsASelection) {
    SetWindowText(edit, L"aaaa bbbb");
    Drag(At(edit, 1, 8), At(edit, 110, 8));
    EXPECT_EQ(Selection(), std::make_pair(DWORD(0), DWORD(9)));
    clock->Advance(GetDoubleClickTime() + 1);
    Click(At(edit, 1, 8));
    EXPECT_EQ(Selection(), std::make_pair(DWORD(0), DWORD(0)));
    Click(At(edit, 1, 8));
    EXPECT_EQ(Selection(), std::make_pair(DWORD(0), DWORD(4))) << "a double click takes a word";
}

// The column of the caret: the only text-coloured column in an empty edit.
int CaretColumns(HeadlessDisplay& display, HWND edit) {
    RECT r{};
    GetWindowRect(edit, &r);
    const LONG middle = (r.top + r.bottom) / 2;
    return display.CountPixels(RECT{r.left, middle, r.right, middle + 1}, kTheme.fieldText);
}

TEST_F(Edit, TheCaretBlinksOnTheClockWhileFocused) {
    EXPECT_EQ(CaretColumns(display, edit), 1);
    clock->Advance(GetCaretBlinkTime());
    TestWindows::Pump();
    EXPECT_EQ(CaretColumns(display, edit), 0);
    clock->Advance(GetCaretBlinkTime());
    TestWindows::Pump();
    EXPECT_EQ(CaretColumns(display, edit), 1);
    SetFocus(parent);
    TestWindows::Pump();
    EXPECT_EQ(CaretColumns(display, edit), 0);
    EXPECT_EQ(CommandCodes().back(), EN_KILLFOCUS);
}

// Pixels of the selection colour on the edit's middle row.
int SelectionColumns(HeadlessDisplay& display, HWND edit) {
    RECT r{};
    GetWindowRect(edit, &r);
    const LONG middle = (r.top + r.bottom) / 2;
    return display.CountPixels(RECT{r.left, middle, r.right, middle + 1}, kTheme.selection);
}

TEST_F(Edit, TheSelectionShowsOnlyWhileFocusedUnlessItMayNotHide) {
    SetWindowText(edit, L"wide selection");
    SendMessage(edit, EM_SETSEL, 0, -1);
    TestWindows::Pump();
    const int focused = SelectionColumns(display, edit);
    EXPECT_GT(focused, 10);
    SetFocus(parent);
    TestWindows::Pump();
    EXPECT_EQ(SelectionColumns(display, edit), 0);
    SetWindowLongPtr(edit, GWL_STYLE, GetWindowLongPtr(edit, GWL_STYLE) | ES_NOHIDESEL);
    InvalidateRect(edit, nullptr, FALSE);
    TestWindows::Pump();
    EXPECT_EQ(SelectionColumns(display, edit), focused);
}

TEST_F(Edit, TheParentColoursTheBackground) {
    HBRUSH yellow = CreateSolidBrush(RGB(255, 255, 0));
    TestWindows::On(parent, WM_CTLCOLOREDIT,
                    [yellow](HWND, WPARAM, LPARAM) { return LRESULT(yellow); });
    InvalidateRect(edit, nullptr, TRUE);
    TestWindows::Pump();
    RECT r{};
    GetWindowRect(edit, &r);
    EXPECT_EQ(display.PixelAt(r.right - 4, r.top + 4), RGB(255, 255, 0));
    DestroyWindow(edit);
    DeleteObject(yellow);
}

}  // namespace

namespace {

TEST_F(ControlTest, TabbingIntoAnEditSelectsItsText) {
    DialogTemplate t;
    t.style = WS_POPUP | WS_VISIBLE;
    t.cx = 120;
    t.cy = 40;
    t.items = {{L"Edit", L"first", 1, WS_VISIBLE | WS_TABSTOP, 0, 4, 4, 100, 12},
               {L"Edit", L"second", 2, WS_VISIBLE | WS_TABSTOP, 0, 4, 20, 100, 12}};
    HWND d = CreateDialogIndirectParamW(
        nullptr, &t, parent,
        [](HWND, UINT m, WPARAM, LPARAM) -> intptr_t { return m == WM_INITDIALOG ? TRUE : FALSE; },
        0);
    ASSERT_NE(d, nullptr);
    display.Key(VK_TAB);
    MSG msg{};
    while (PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (!IsDialogMessage(d, &msg)) {
            TranslateMessage(&msg);
            DispatchMessage(&msg);
        }
    }
    HWND second = GetDlgItem(d, 2);
    EXPECT_EQ(GetFocus(), second);
    DWORD start = 9, end = 9;
    SendMessage(second, EM_GETSEL, WPARAM(&start), LPARAM(&end));
    EXPECT_EQ(start, 0u);
    EXPECT_EQ(end, 6u);
    DestroyWindow(d);
}

}  // namespace
