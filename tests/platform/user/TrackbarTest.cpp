#include "ControlFixture.h"
#include "platform/user/Theme.h"

namespace {

class Trackbar : public ControlTest {
protected:
    Trackbar() {
        bar = Make(TRACKBAR_CLASSW, L"", 0, 10, 10, 218, 30, 19001);  // a 200-pixel channel
        SendMessage(bar, TBM_SETRANGE, TRUE, MAKELPARAM(0, 100));
        SendMessage(bar, TBM_SETPAGESIZE, 0, 10);
        SendMessage(bar, TBM_SETPOS, TRUE, 50);
        TestWindows::Pump();
        TestWindows::ClearLog();
    }
    // (code, position) of each WM_HSCROLL, and each WM_NOTIFY as (-16, 0).
    std::vector<std::pair<int, int>> Heard() const {
        std::vector<std::pair<int, int>> out;
        for (const LoggedMessage& m : TestWindows::Log()) {
            if (m.hwnd != parent)
                continue;
            if (m.message == WM_HSCROLL) {
                EXPECT_EQ(m.lParam, LPARAM(bar));
                out.emplace_back(LOWORD(m.wParam), int16_t(HIWORD(m.wParam)));
            }
            if (m.message == WM_NOTIFY)
                out.emplace_back(-16, 0);  // the codes are checked where the record still lives
        }
        return out;
    }
    int Pos() const { return int(SendMessage(bar, TBM_GETPOS, 0, 0)); }
    POINT ThumbCentre() const {
        RECT r{};
        SendMessage(bar, TBM_GETTHUMBRECT, 0, LPARAM(&r));
        return At(bar, (r.left + r.right) / 2, (r.top + r.bottom) / 2);
    }
    HWND bar = nullptr;
};

TEST_F(Trackbar, DraggingTheThumbTracksThenEndsWithPositionEndTrackAndReleasedCapture) {
    std::vector<UINT> codes;
    TestWindows::On(parent, WM_NOTIFY, [&codes](HWND, WPARAM, LPARAM l) {
        codes.push_back(reinterpret_cast<const NMHDR*>(l)->code);
        return LRESULT(0);
    });
    const POINT from = ThumbCentre();
    display.Press(from);
    display.MoveMouse(POINT{from.x + 50, from.y});
    display.Release(POINT{from.x + 50, from.y});
    TestWindows::Pump();
    EXPECT_EQ(Pos(), 75) << "50 pixels of a 200-pixel channel over 0..100";
    using P = std::pair<int, int>;
    EXPECT_EQ(
        Heard(),
        (std::vector<P>{{TB_THUMBTRACK, 75}, {TB_THUMBPOSITION, 75}, {TB_ENDTRACK, 0}, {-16, 0}}));
    EXPECT_EQ(codes, std::vector<UINT>{NM_RELEASEDCAPTURE});
    EXPECT_EQ(GetCapture(), nullptr);
}

TEST_F(Trackbar, ChannelPressesPageAndKeysStepWithinTheRange) {
    using P = std::pair<int, int>;
    const POINT thumb = ThumbCentre();
    Click(POINT{thumb.x + 40, thumb.y});
    EXPECT_EQ(Pos(), 60);
    Click(POINT{thumb.x - 60, thumb.y});
    EXPECT_EQ(Pos(), 50);
    EXPECT_EQ(Heard(), (std::vector<P>{{TB_PAGEDOWN, 0},
                                       {TB_ENDTRACK, 0},
                                       {-16, 0},
                                       {TB_PAGEUP, 0},
                                       {TB_ENDTRACK, 0},
                                       {-16, 0}}));
    struct Case {
        UINT vk;
        int pos;
        UINT code;
    };
    const Case cases[] = {{VK_RIGHT, 51, TB_LINEDOWN},  {VK_LEFT, 50, TB_LINEUP},
                          {VK_NEXT, 60, TB_PAGEDOWN},   {VK_END, 100, TB_BOTTOM},
                          {VK_RIGHT, 100, TB_LINEDOWN}, {VK_HOME, 0, TB_TOP},
                          {VK_PRIOR, 0, TB_PAGEUP}};
    for (const Case& c : cases) {
        TestWindows::ClearLog();
        Key(c.vk);
        EXPECT_EQ(Pos(), c.pos) << c.vk;
        EXPECT_EQ(Heard(), (std::vector<P>{{int(c.code), 0}, {TB_ENDTRACK, 0}})) << c.vk;
    }
}

TEST_F(Trackbar, SettingByMessageIsQuietAndKeptInRange) {
    SendMessage(bar, TBM_SETPOS, TRUE, 500);
    EXPECT_EQ(Pos(), 100);
    SendMessage(bar, TBM_SETRANGEMIN, TRUE, 20);
    SendMessage(bar, TBM_SETPOS, TRUE, 5);
    EXPECT_EQ(Pos(), 20);
    SendMessage(bar, TBM_SETRANGEMAX, TRUE, 30);
    EXPECT_EQ(SendMessage(bar, TBM_GETRANGEMAX, 0, 0), 30);
    EXPECT_TRUE(Heard().empty());
}

}  // namespace

namespace {

TEST_F(Trackbar, TheThumbIsDrawnWhereThePositionIsOnTheParentsColours) {
    HBRUSH body = CreateSolidBrush(RGB(70, 70, 70));
    TestWindows::On(parent, WM_CTLCOLORSTATIC,
                    [body](HWND, WPARAM, LPARAM) { return LRESULT(body); });
    InvalidateRect(bar, nullptr, TRUE);
    TestWindows::Pump();
    const POINT thumb = ThumbCentre();
    EXPECT_EQ(display.PixelAt(thumb.x, thumb.y - 8), kTheme.captionGlyph);
    EXPECT_EQ(display.PixelAt(thumb.x + 30, thumb.y), kTheme.field) << "the channel";
    EXPECT_EQ(display.PixelAt(thumb.x + 30, thumb.y - 8), RGB(70, 70, 70)) << "the background";
    SendMessage(bar, TBM_SETPOS, TRUE, 80);
    TestWindows::Pump();
    EXPECT_EQ(display.PixelAt(thumb.x, thumb.y), kTheme.field) << "the thumb has moved";
    EXPECT_EQ(display.PixelAt(ThumbCentre().x, thumb.y - 8), kTheme.captionGlyph);
    DestroyWindow(bar);
    DeleteObject(body);
}

}  // namespace
