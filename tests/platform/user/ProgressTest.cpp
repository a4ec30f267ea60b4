#include "ControlFixture.h"

namespace {

class Progress : public ControlTest {
protected:
    Progress() { bar = Make(PROGRESS_CLASSW, L"", 0, 0, 0, 100, 10); }
    int Pos() const { return int(SendMessage(bar, PBM_GETPOS, 0, 0)); }
    HWND bar = nullptr;
};

TEST_F(Progress, PositionsStayInTheRangeAndSteppingWraps) {
    EXPECT_EQ(SendMessage(bar, PBM_SETPOS, 40, 0), 0) << "answers the previous position";
    SendMessage(bar, PBM_DELTAPOS, 100, 0);
    EXPECT_EQ(Pos(), 100);
    SendMessage(bar, PBM_SETRANGE32, 0, 10000);
    SendMessage(bar, PBM_SETPOS, 10000, 0);
    EXPECT_EQ(Pos(), 10000);
    PBRANGE range{};
    EXPECT_EQ(SendMessage(bar, PBM_GETRANGE, TRUE, LPARAM(&range)), 0);
    EXPECT_EQ(range.iHigh, 10000);
    SendMessage(bar, PBM_SETRANGE, 0, MAKELPARAM(0, 100));
    SendMessage(bar, PBM_SETPOS, 95, 0);
    SendMessage(bar, PBM_SETSTEP, 10, 0);
    SendMessage(bar, PBM_STEPIT, 0, 0);
    EXPECT_EQ(Pos(), 5);
}

TEST_F(Progress, TheBarFillsItsShareFromTheLeft) {
    SendMessage(bar, PBM_SETBARCOLOR, 0, RGB(0, 200, 0));
    SendMessage(bar, PBM_SETBKCOLOR, 0, RGB(20, 20, 20));
    SendMessage(bar, PBM_SETPOS, 30, 0);
    TestWindows::Pump();
    EXPECT_EQ(display.PixelAt(29, 5), RGB(0, 200, 0));
    EXPECT_EQ(display.PixelAt(30, 5), RGB(20, 20, 20));
    SendMessage(bar, PBM_SETPOS, 100, 0);
    TestWindows::Pump();
    EXPECT_EQ(display.PixelAt(99, 5), RGB(0, 200, 0));
}

}  // namespace
