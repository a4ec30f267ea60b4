#include "app/ui/telemetry/LogInfoDlg.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/res/MarlowinResources.h"
#include "app/res/ResourceIds.h"
#include "app/shell/AppConfig.h"
#include "app/ui/telemetry/SpeedDial.h"
#include "app/ui/telemetry/TelemetryTexts.h"
#include "platform/backend/HeadlessDisplay.h"
#include "platform/base/FakeClock.h"

namespace {

constexpr UINT kParentTemplate = 64101;
constexpr UINT kTestBackground = 64102;
constexpr COLORREF kRed = RGB(255, 0, 0);
constexpr COLORREF kGreen = RGB(0, 255, 0);
constexpr COLORREF kBlue = RGB(0, 0, 255);

// A solid bitmap, or (with `bottom`) its top row `top` and bottom row `bottom`.
void AddPicture(UINT id, int width, int height, COLORREF top, COLORREF bottom) {
    std::vector<uint32_t> words;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const COLORREF c = y < height / 2 ? top : bottom;
            words.push_back(uint32_t(GetRValue(c)) << 16 | uint32_t(GetGValue(c)) << 8 |
                            GetBValue(c));
        }
    AddBitmapResource(id, width, height, words.data());
}

class LogInfoDlgTest : public testing::Test {
protected:
    LogInfoDlgTest() {
        RegisterMarlowinResources();
        // Lamp 1 blue when off and red when on, so a toggle shows.
        AddPicture(IDB_LAMP_FIRST, 8, 8, kBlue, kBlue);
        AddPicture(IDB_LAMP_FIRST + 1, 8, 8, kRed, kRed);
        AddPicture(kTestBackground, 2, 2, kRed, kGreen);
        DialogTemplate t;
        t.style = WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN;
        t.cx = 200;
        t.cy = 100;
        t.title = L"Main";
        AddDialogResource(kParentTemplate, t);
        EXPECT_TRUE(parent_.Create(kParentTemplate));
        parent_.MoveWindow(0, 0, 1100, 400);
        EXPECT_TRUE(panel_.Create(IDD_TELEMETRY, &parent_));
        panel_.ShowWindow(SW_SHOW);
    }
    ~LogInfoDlgTest() override {
        panel_.DestroyWindow();
        parent_.DestroyWindow();
    }
    void Pump() {
        MSG msg{};
        while (PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessage(&msg);
        }
    }
    // A control's rectangle in the panel's client coordinates.
    CRect Placed(int id) const {
        CRect r;
        panel_.GetDlgItem(id)->GetWindowRect(&r);
        panel_.ScreenToClient(&r);
        return r;
    }
    COLORREF PanelPixel(int x, int y) {
        POINT p{x, y};
        panel_.ClientToScreen(&p);
        return display_.PixelAt(p.x, p.y);
    }

    ScopedFakeClock clock_;
    HeadlessDisplay display_{1200, 500, RGB(1, 1, 1)};
    CDialog parent_;
    CLogInfoDlg panel_{&parent_};
};

std::string Text(const CRect& r) {
    return std::to_string(r.left) + "," + std::to_string(r.top) + "," + std::to_string(r.right) +
           "," + std::to_string(r.bottom);
}

struct Expected {
    int id;
    CRect rect;  // left, top, right, bottom
};

TEST_F(LogInfoDlgTest, ControlsFollowThePanelSize) {
    struct SizeCase {
        int w, h;
        std::vector<Expected> want;
    };
    // 500 x 200: a = 100, s = 50. 1000 x 300: a = 200, s = 100.
    const SizeCase cases[] = {
        {500,
         200,
         {{IDC_PANEL_LAMP_FIRST, {210, 0, 260, 50}},
          {IDC_PANEL_LAMP_FIRST + 3, {360, 0, 410, 50}},
          {IDC_PANEL_LAMP_FIRST + 4, {210, 50, 260, 100}},
          {IDC_PANEL_LAMP_FIRST + 7, {360, 50, 410, 100}},
          {IDC_PANEL_RELAY_1, {410, 0, 502, 50}},
          {IDC_PANEL_RELAY_2, {410, 50, 502, 100}},
          {IDC_PANEL_SPEED_DIGITS, {10, 0, 200, 50}},
          {IDC_PANEL_TEMPERATURE, {10, 50, 200, 100}},
          {IDC_PANEL_G_SENSOR, {10, 105, 93, 198}},
          {IDC_PANEL_CHART, {93, 105, 500, 198}},
          {IDC_PANEL_DIAL, {0, 0, 0, 0}}}},
        {1000,
         300,
         {{IDC_PANEL_LAMP_FIRST + 1, {510, 0, 610, 100}},
          {IDC_PANEL_LAMP_FIRST + 6, {610, 100, 710, 200}},
          {IDC_PANEL_RELAY_1, {810, 0, 1002, 100}},
          {IDC_PANEL_RELAY_2, {810, 100, 1002, 200}},
          {IDC_PANEL_SPEED_DIGITS, {10, 0, 400, 100}},
          {IDC_PANEL_TEMPERATURE, {10, 100, 400, 200}},
          {IDC_PANEL_G_SENSOR, {10, 205, 176, 298}},
          {IDC_PANEL_CHART, {176, 205, 1000, 298}}}},
    };
    for (const SizeCase& c : cases) {
        panel_.MoveWindow(0, 0, c.w, c.h);
        for (const Expected& e : c.want)
            EXPECT_EQ(Text(Placed(e.id)), Text(e.rect)) << c.w << "x" << c.h << " control " << e.id;
    }
}

TEST_F(LogInfoDlgTest, DialIndexFollowsSpeedAndUnit) {
    struct DialCase {
        int unit, speed, index;
    };
    const DialCase cases[] = {
        {0, -1, -1}, {0, 0, 0},  {0, 59, 0}, {0, 60, 1}, {0, 99, 1}, {0, 100, 2}, {1, -5, -1},
        {1, 0, 0},   {1, 34, 0}, {1, 35, 1}, {1, 59, 1}, {1, 60, 2}, {1, 200, 2},
    };
    for (const DialCase& c : cases)
        EXPECT_EQ(SpeedDialIndex(c.unit, c.speed), c.index) << c.unit << " " << c.speed;
}

TEST_F(LogInfoDlgTest, LampsTakeTheAlarmStatesWhenRefreshed) {
    panel_.MoveWindow(0, 0, 500, 200);
    Pump();
    const CRect lamp = Placed(IDC_PANEL_LAMP_FIRST);
    const int x = lamp.CenterPoint().x;
    const int y = lamp.CenterPoint().y;
    EXPECT_EQ(PanelPixel(x, y), kBlue);

    const uint8_t on[kAlarmLamps] = {1, 0, 0, 0, 0, 0, 0, 0, 0, 1};
    panel_.SetAlarmStates(on);
    EXPECT_EQ(panel_.Lamp(0).m_bOn, 0);  // shown only on refresh
    panel_.RefreshLamps();
    for (int i = 0; i < kAlarmLamps; ++i)
        EXPECT_EQ(panel_.Lamp(i).m_bOn, on[i]) << i;
    Pump();
    EXPECT_EQ(PanelPixel(x, y), kRed);

    const uint8_t off[kAlarmLamps] = {};
    panel_.SetAlarmStates(off);
    panel_.RefreshLamps();
    Pump();
    EXPECT_EQ(panel_.Lamp(9).m_bOn, 0);
    EXPECT_EQ(PanelPixel(x, y), kBlue);
}

TEST_F(LogInfoDlgTest, BackgroundIsStretchedBehindTheControls) {
    ASSERT_TRUE(panel_.m_bmpBack.LoadBitmap(kTestBackground));
    panel_.MoveWindow(0, 0, 500, 200);
    panel_.RedrawWindow();
    Pump();
    EXPECT_EQ(PanelPixel(5, 5), kRed);
    EXPECT_EQ(PanelPixel(5, 195), kGreen);
    EXPECT_EQ(PanelPixel(300, 199), kGreen);  // below the chart
}

TEST_F(LogInfoDlgTest, UnitsReachTheirControls) {
    panel_.SetSpeedUnitText(SpeedUnitText(1));
    EXPECT_EQ(g_strSpeedUnitText, L"mile/h");
    panel_.SetTemperatureUnit(1, TemperatureUnitText(1));
    EXPECT_EQ(panel_.GetTemperatureUnitText(), L"\u2109");
    panel_.SetSpeedUnitText(SpeedUnitText(0));
    EXPECT_EQ(g_strSpeedUnitText, L"km/h");
}

// While nothing plays no telemetry pass redraws the panel: a new unit
// redraws its temperature at once.
TEST_F(LogInfoDlgTest, ANewTemperatureUnitIsDrawnAtOnce) {
    panel_.MoveWindow(0, 0, 500, 200);
    panel_.RedrawWindow();
    Pump();
    const HWND temperature = ::GetDlgItem(panel_.m_hWnd, IDC_PANEL_TEMPERATURE);
    ASSERT_FALSE(::GetUpdateRect(temperature, nullptr, FALSE));
    panel_.SetTemperatureUnit(1, TemperatureUnitText(1));
    EXPECT_TRUE(::GetUpdateRect(temperature, nullptr, FALSE)) << "the unit";
    Pump();
    panel_.SetTemperatureUnitText(TemperatureUnitText(0));
    EXPECT_TRUE(::GetUpdateRect(temperature, nullptr, FALSE)) << "the unit text";
}

}  // namespace
