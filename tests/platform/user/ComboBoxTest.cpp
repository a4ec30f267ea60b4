#include <functional>

#include "ControlFixture.h"
#include "platform/user/Theme.h"

namespace {

class ComboBox : public ControlTest {
public:
    ComboBox() {
        combo = Make(L"ComboBox", L"", CBS_DROPDOWNLIST | WS_VSCROLL, 20, 20, 150, 200, 17001);
        for (const wchar_t* text : {L"English", L"Deutsch", L"Français", L"Polski"})
            SendMessage(combo, CB_ADDSTRING, 0, LPARAM(text));
        SendMessage(combo, CB_SETCURSEL, 0, 0);
        TestWindows::ClearLog();
    }
    int Selected() const { return int(SendMessage(combo, CB_GETCURSEL, 0, 0)); }
    bool Dropped() const { return SendMessage(combo, CB_GETDROPPEDSTATE, 0, 0) != 0; }
    // Screen point in the middle of row `i` of the dropped list.
    POINT Row(int i) const {
        RECT box{};
        GetWindowRect(combo, &box);
        const int h = int(SendMessage(combo, CB_GETITEMHEIGHT, 0, 0));
        return POINT{box.left + 20, box.bottom + 1 + i * h + h / 2};
    }
    HWND combo = nullptr;
};

TEST_F(ComboBox, TheBoxIsOneLineHighAndAnswersForItsSelection) {
    RECT r{};
    GetWindowRect(combo, &r);
    const int h = int(SendMessage(combo, CB_GETITEMHEIGHT, 0, 0));
    EXPECT_EQ(r.bottom - r.top, h + 6);
    EXPECT_EQ(Text(combo), L"English");
    EXPECT_EQ(SendMessage(combo, CB_FINDSTRINGEXACT, WPARAM(-1), LPARAM(L"polski")), 3);
    EXPECT_EQ(SendMessage(combo, CB_FINDSTRINGEXACT, WPARAM(-1), LPARAM(L"Pol")), CB_ERR);
    EXPECT_EQ(SendMessage(combo, CB_SETCURSEL, 9, 0), CB_ERR);
    EXPECT_EQ(Text(combo), L"");
    SendMessage(combo, CB_SETITEMDATA, 2, 77);
    SendMessage(combo, CB_DELETESTRING, 0, 0);
    EXPECT_EQ(SendMessage(combo, CB_GETITEMDATA, 1, 0), 77);
    wchar_t text[32] = {};
    EXPECT_EQ(SendMessage(combo, CB_GETLBTEXT, 1, LPARAM(text)), 8);
    EXPECT_STREQ(text, L"Français");
    EXPECT_TRUE(CommandCodes().empty()) << "changes by message are not reported";
}

TEST_F(ComboBox, ClickingAnItemOfTheDroppedListChoosesIt) {
    Click(At(combo, 10, 5));
    ASSERT_TRUE(Dropped());
    EXPECT_EQ(CommandCodes(), (std::vector<UINT>{CBN_SETFOCUS, CBN_DROPDOWN}));
    display.MoveMouse(Row(2));
    TestWindows::Pump();
    EXPECT_EQ(display.PixelAt(Row(2).x + 100, Row(2).y), kTheme.selection)
        << "the item under the cursor is marked on screen";
    TestWindows::ClearLog();
    Click(Row(2));
    EXPECT_FALSE(Dropped());
    EXPECT_EQ(Selected(), 2);
    EXPECT_EQ(CommandCodes(), (std::vector<UINT>{CBN_SELENDOK, CBN_CLOSEUP, CBN_SELCHANGE}));
    EXPECT_EQ(GetCapture(), nullptr);
}

TEST_F(ComboBox, APressOutsideOrEscapeDropsTheListWithoutAChoice) {
    struct Case {
        const char* name;
        std::function<void(ComboBox&)> close;
    };
    const Case cases[] = {
        {"press elsewhere",
         [](ComboBox& t) {
             t.Click(POINT{380, 280});
         }},
        {"Escape", [](ComboBox& t) { t.Key(VK_ESCAPE); }},
        {"click on the box again", [](ComboBox& t) { t.Click(At(t.combo, 10, 5)); }},
    };
    for (const Case& c : cases) {
        clock->Advance(1000);
        SendMessage(combo, CB_SHOWDROPDOWN, TRUE, 0);
        SetFocus(combo);
        Key(VK_DOWN);
        TestWindows::ClearLog();
        c.close(*this);
        EXPECT_FALSE(Dropped()) << c.name;
        EXPECT_EQ(Selected(), 0) << c.name;
        EXPECT_EQ(CommandCodes(), (std::vector<UINT>{CBN_SELENDCANCEL, CBN_CLOSEUP})) << c.name;
    }
}

TEST_F(ComboBox, KeysOnTheClosedBoxChangeTheSelectionAtOnce) {
    SetFocus(combo);
    TestWindows::ClearLog();
    struct Case {
        UINT vk;
        int selected;
    };
    const Case cases[] = {{VK_DOWN, 1}, {VK_END, 3}, {VK_DOWN, 3}, {VK_HOME, 0}, {'P', 3}};
    for (const Case& c : cases) {
        Key(c.vk);
        EXPECT_EQ(Selected(), c.selected) << c.vk;
    }
    EXPECT_EQ(CommandCodes(), std::vector<UINT>(4, CBN_SELCHANGE));
    KeyWith(VK_MENU, VK_DOWN);
    EXPECT_TRUE(Dropped()) << "Alt+Down opens the list";
    Key(VK_UP);
    Key(VK_RETURN);
    EXPECT_EQ(Selected(), 2);
}

}  // namespace
