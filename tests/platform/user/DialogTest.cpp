#include <gtest/gtest.h>

#include "Reaper.h"
#include "TestWindows.h"
#include "platform/user/Placement.h"

namespace {

constexpr UINT kAct = WM_APP + 1;
constexpr int kTemplateId = 4242;
constexpr int kValue = 1001;

DialogTemplate SampleDialog() {
    DialogTemplate t;
    t.style = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME;
    t.x = 10;
    t.y = 10;
    t.cx = 160;
    t.cy = 80;
    t.title = L"Sample";
    t.items = {
        {L"Button", L"OK", IDOK, WS_TABSTOP | WS_VISIBLE | BS_DEFPUSHBUTTON, 0, 10, 50, 50, 14},
        {L"Button", L"Cancel", IDCANCEL, WS_TABSTOP | WS_VISIBLE, 0, 70, 50, 50, 14},
        {L"Static", L"12", kValue, WS_VISIBLE, 0, 10, 10, 40, 10},
    };
    return t;
}

// What the dialog procedure does once the dialog shows.
std::function<void(HWND)> g_action;

intptr_t SampleProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_INITDIALOG:
            SetWindowLongPtr(dialog, DWLP_USER, lParam);
            PostMessage(dialog, kAct, 0, 0);
            return TRUE;
        case kAct:
            g_action(dialog);
            return TRUE;
        case WM_COMMAND:
            if (LOWORD(wParam) == IDOK)
                EndDialog(dialog, 100 + GetDlgItemInt(dialog, kValue, nullptr, TRUE));
            if (LOWORD(wParam) == IDCANCEL)
                EndDialog(dialog, 2);
            return TRUE;
        default:
            return FALSE;
    }
}

POINT CentreOf(HWND hwnd) {
    RECT r{};
    GetWindowRect(hwnd, &r);
    return POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
}

class Dialogs : public ::testing::Test {
protected:
    Reaper reaper;
    TestWindows windows;
};

TEST_F(Dialogs, AModalDialogEndsWithItsResult) {
    AddDialogResource(kTemplateId, SampleDialog());
    HWND owner = windows.Top(0, 0, 400, 300);
    struct Case {
        const char* name;
        std::function<void(HWND)> action;
        intptr_t expected;
    };
    const Case cases[] = {
        {"Enter presses the default button",
         [](HWND) {
             InjectKey(VK_RETURN, true);
             InjectKey(VK_RETURN, false);
         },
         112},
        {"Escape cancels",
         [](HWND) {
             InjectKey(VK_ESCAPE, true);
             InjectKey(VK_ESCAPE, false);
         },
         2},
        {"a click on a button",
         [](HWND d) {
             const POINT p = CentreOf(GetDlgItem(d, IDCANCEL));
             InjectMouseButton(MouseButton::Left, true, p);
             InjectMouseButton(MouseButton::Left, false, p);
         },
         2},
        {"the value is read when OK is pressed",
         [](HWND d) {
             SetDlgItemText(d, kValue, L"-7");
             SendMessage(GetDlgItem(d, IDOK), BM_CLICK, 0, 0);
         },
         93},
        {"the close box goes through IDCANCEL",
         [](HWND d) { SendMessage(d, WM_SYSCOMMAND, SC_CLOSE, 0); }, 2},
    };
    for (const Case& c : cases) {
        g_action = c.action;
        const intptr_t result =
            DialogBoxParamW(nullptr, MAKEINTRESOURCEW(kTemplateId), owner, SampleProc, 0);
        EXPECT_EQ(result, c.expected) << c.name;
        EXPECT_TRUE(IsWindowEnabled(owner)) << c.name;
        EXPECT_EQ(GetActiveWindow(), owner) << c.name;
    }
    EXPECT_EQ(DialogBoxParamW(nullptr, MAKEINTRESOURCEW(4243), owner, SampleProc, 0), -1)
        << "no such template";
}

TEST_F(Dialogs, TemplatesAreLaidOutInDialogUnits) {
    DialogTemplate t = SampleDialog();
    HWND d = CreateDialogIndirectParamW(
        nullptr, &t, nullptr,
        [](HWND, UINT m, WPARAM, LPARAM) -> intptr_t { return m == WM_INITDIALOG ? TRUE : FALSE; },
        0);
    ASSERT_NE(d, nullptr);
    RECT client{};
    GetClientRect(d, &client);
    EXPECT_EQ(client.right, 240);   // 160 units of 6 / 4
    EXPECT_EQ(client.bottom, 130);  // 80 units of 13 / 8
    HWND ok = GetDlgItem(d, IDOK);
    RECT r{};
    GetWindowRect(ok, &r);
    POINT origin{0, 0};
    ClientToScreen(d, &origin);
    EXPECT_EQ(r.left - origin.x, 15);
    EXPECT_EQ(r.top - origin.y, 81);
    EXPECT_EQ(r.right - r.left, 75);
    EXPECT_EQ(r.bottom - r.top, 23);
    EXPECT_EQ(GetFocus(), ok) << "the first tab stop";
    EXPECT_NE(SendMessage(ok, WM_GETFONT, 0, 0), 0) << "controls get the dialog font";
    RECT units{4, 8, 8, 16};
    MapDialogRect(d, &units);
    EXPECT_EQ(units.left, 6);
    EXPECT_EQ(units.bottom, 26);
    EXPECT_FALSE(IsWindowVisible(d)) << "modeless dialogs show when their template says so";
    DestroyWindow(d);
}

// A centred dialog opens over its owner wherever the owner was moved (the
// work area's middle without one), kept on the work area.
TEST_F(Dialogs, ACentredDialogOpensOverItsOwner) {
    const RECT savedArea = WorkArea();
    SetWorkArea(RECT{0, 0, 1600, 1000});
    HWND owner = windows.Top(900, 500, 400, 300, WS_POPUP | WS_VISIBLE);
    DialogTemplate t = SampleDialog();
    t.style |= DS_CENTER;
    const auto centre = [](HWND window) {
        RECT r{};
        GetWindowRect(window, &r);
        return POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
    };
    HWND over = CreateDialogIndirectParamW(nullptr, &t, owner, nullptr, 0);
    ASSERT_NE(over, nullptr);
    const POINT shown = centre(over);
    EXPECT_NEAR(shown.x, 1100, 1);
    EXPECT_NEAR(shown.y, 650, 1);
    DestroyWindow(over);
    HWND alone = CreateDialogIndirectParamW(nullptr, &t, nullptr, nullptr, 0);
    ASSERT_NE(alone, nullptr);
    const POINT middle = centre(alone);
    EXPECT_NEAR(middle.x, 800, 1);
    EXPECT_NEAR(middle.y, 500, 1);
    DestroyWindow(alone);
    SetWorkArea(savedArea);
}

TEST_F(Dialogs, DialogItemNumbers) {
    DialogTemplate t = SampleDialog();
    HWND d = CreateDialogIndirectParamW(nullptr, &t, nullptr, nullptr, 0);
    ASSERT_NE(d, nullptr);
    struct Case {
        const wchar_t* text;
        BOOL isSigned;
        BOOL translated;
        UINT value;
    };
    const Case cases[] = {
        {L"42", TRUE, TRUE, 42},
        {L"  -42 ", TRUE, TRUE, UINT(-42)},
        {L"-42", FALSE, FALSE, 0},
        {L"4x", TRUE, FALSE, 0},
        {L"", TRUE, FALSE, 0},
        {L"4294967295", FALSE, TRUE, 4294967295u},
        {L"4294967296", FALSE, FALSE, 0},
        {L"2147483648", TRUE, FALSE, 0},
    };
    for (const Case& c : cases) {
        SetDlgItemText(d, kValue, c.text);
        BOOL ok = 2;
        EXPECT_EQ(GetDlgItemInt(d, kValue, &ok, c.isSigned), c.value) << "'" << c.text << "'";
        EXPECT_EQ(ok, c.translated) << "'" << c.text << "'";
    }
    SetDlgItemInt(d, kValue, UINT(-5), TRUE);
    wchar_t text[16];
    GetDlgItemText(d, kValue, text, 16);
    EXPECT_STREQ(text, L"-5");
    DestroyWindow(d);
}

TEST_F(Dialogs, AnUnknownControlClassFailsTheDialog) {
    DialogTemplate t = SampleDialog();
    t.items.push_back({L"NoSuchControl", L"", 9, WS_VISIBLE, 0, 0, 0, 5, 5});
    EXPECT_EQ(CreateDialogIndirectParamW(nullptr, &t, nullptr, nullptr, 0), nullptr);
}

TEST(Resources, StringsAndBitmapsById) {
    AddStringResource(7001, L"Ready");
    wchar_t buffer[4];
    EXPECT_EQ(LoadString(nullptr, 7001, buffer, 4), 3);
    EXPECT_STREQ(buffer, L"Rea");
    const wchar_t* direct = nullptr;
    EXPECT_EQ(LoadString(nullptr, 7001, reinterpret_cast<wchar_t*>(&direct), 0), 5);
    EXPECT_STREQ(direct, L"Ready");
    EXPECT_EQ(LoadString(nullptr, 7002, buffer, 4), 0);
    const uint32_t pixels[] = {0xFF0000, 0x00FF00, 0x0000FF, 0xFFFFFF};
    AddBitmapResource(7003, 2, 2, pixels);
    HBITMAP bitmap = LoadBitmap(nullptr, MAKEINTRESOURCEW(7003));
    ASSERT_NE(bitmap, nullptr);
    HDC dc = CreateCompatibleDC(nullptr);
    SelectObject(dc, bitmap);
    EXPECT_EQ(GetPixel(dc, 0, 0), RGB(255, 0, 0));
    EXPECT_EQ(GetPixel(dc, 0, 1), RGB(0, 0, 255)) << "the top row comes first";
    DeleteDC(dc);
    DeleteObject(bitmap);
    EXPECT_EQ(LoadBitmap(nullptr, MAKEINTRESOURCEW(7004)), nullptr);
}

}  // namespace
