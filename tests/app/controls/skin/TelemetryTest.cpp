#include <algorithm>

#include "app/controls/skin/SkinAlarm.h"
#include "app/controls/skin/SkinGPS.h"
#include "app/controls/skin/SkinSpeedDig.h"
#include "app/controls/skin/SkinSpeedPic.h"
#include "app/controls/skin/SkinTemp.h"
#include "app/controls/skin/SkinWave.h"
#include "app/res/ResourceIds.h"
#include "app/shell/AppConfig.h"
#include "tests/app/controls/skin/Pictures.h"
#include "tests/app/controls/skin/SkinFixture.h"

using namespace pictures;
using namespace skintest;

namespace {

constexpr UINT kTemplate = 64001;
constexpr UINT kLampOff = 64002;
constexpr UINT kLampOn = 64003;
constexpr COLORREF kRedLine = RGB(216, 0, 0);
constexpr COLORREF kYellowLine = RGB(237, 184, 0);
constexpr COLORREF kGreenLine = RGB(18, 124, 0);
constexpr COLORREF kGrid = RGB(75, 75, 75);
constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kBlack = RGB(0, 0, 0);

enum : int { kDigits = 20001, kLamp, kGps, kTemp, kDial, kWave };

class Telemetry : public Fixture {
protected:
    Telemetry() : Fixture(kTemplate) {
        AddResource(IDB_SPEED_DIGITS, Picture(20, std::string(60, 'b')));
        AddResource(kLampOff, {"rx", "xr"});
        AddResource(kLampOn, {"gx", "xg"});
        AddResource(IDB_DIAL_0, {"rB", "Br"});
        AddResource(IDB_DIAL_1, {"g"});
        AddResource(IDB_DIAL_2, {"y"});
        std::vector<DialogItemTemplate> items;
        for (int id = kDigits; id <= kWave; ++id)
            items.push_back({L"Static", L"", id, WS_VISIBLE, 0, 0, 0, 4, 4});
        AddTemplate(kTemplate, items);
        Open(kTemplate);
        Place(digits, kDigits, 10, 10, 50, 16);
        Place(lamp, kLamp, 70, 10, 4, 4);
        Place(gps, kGps, 10, 40, 92, 38);
        Place(temp, kTemp, 110, 10, 44, 16);
        Place(dial, kDial, 80, 10, 4, 4);
        Place(wave, kWave, 110, 40, 70, 40);
        Pump();
    }
    void Place(CWnd& w, int id, int x, int y, int cx, int cy) {
        w.SubclassDlgItem(UINT(id), &dlg);
        w.MoveWindow(x, y, cx, cy);
    }
    void Repaint(CWnd& w) {
        w.RedrawWindow();
        Pump();
    }
    // The control's pixels on the screen, row by row.
    std::vector<COLORREF> Shot(const CWnd& w) {
        CRect r;
        w.GetClientRect(&r);
        return Area(w, 0, 0, r.right, r.bottom);
    }
    std::vector<COLORREF> Area(const CWnd& w, int x0, int y0, int x1, int y1) {
        const std::vector<uint32_t> screen = display.ReadScreen();
        std::vector<COLORREF> out;
        for (int y = y0; y < y1; ++y)
            for (int x = x0; x < x1; ++x) {
                const POINT p = Screen(w, x, y);
                const uint32_t word = screen[size_t(p.y * display.Width() + p.x)];
                out.push_back(RGB(BYTE(word >> 16), BYTE(word >> 8), BYTE(word)));
            }
        return out;
    }
    // Pixels of one colour (or, with `other`, of any other colour) in the
    // control's rectangle (x0, y0)-(x1, y1).
    int Count(const CWnd& w, COLORREF c, int x0, int y0, int x1, int y1, bool other = false) {
        const std::vector<COLORREF> area = Area(w, x0, y0, x1, y1);
        return int(
            std::count_if(area.begin(), area.end(), [&](COLORREF p) { return (p == c) != other; }));
    }
    // What the value controls must show, drawn here from its description,
    // not by the controls' own drawing: `text` in white, left-aligned and
    // vertically centred in the client narrowed by 2 on each side, in Arial
    // of height h - 2 and width (w - 4) / 10, on the background.
    std::vector<COLORREF> Expected(int w, int h, COLORREF back, const wchar_t* text) {
        HDC dc = ::CreateCompatibleDC(nullptr);
        HBITMAP bitmap = ::CreateCompatibleBitmap(nullptr, w, h);
        HGDIOBJ oldBitmap = ::SelectObject(dc, bitmap);
        const RECT all{0, 0, w, h};
        HBRUSH brush = ::CreateSolidBrush(back);
        ::FillRect(dc, &all, brush);
        ::DeleteObject(brush);
        HFONT font =
            ::CreateFont(h - 2, (w - 4) / 10, 0, 0, 400, 0, 0, 0, ANSI_CHARSET, OUT_DEFAULT_PRECIS,
                         CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_SWISS, L"Arial");
        HGDIOBJ oldFont = ::SelectObject(dc, font);
        ::SetBkMode(dc, TRANSPARENT);
        ::SetTextColor(dc, kWhite);
        RECT r{2, 0, w - 2, h};
        ::DrawTextW(dc, text, -1, &r, DT_VCENTER | DT_SINGLELINE | DT_LEFT);
        std::vector<COLORREF> out;
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x)
                out.push_back(::GetPixel(dc, x, y));
        ::SelectObject(dc, oldFont);
        ::DeleteObject(font);
        ::SelectObject(dc, oldBitmap);
        ::DeleteObject(bitmap);
        ::DeleteDC(dc);
        return out;
    }

    CSkinSpeedDig digits;
    CSkinAlarm lamp;
    CSkinGPS gps;
    CSkinTemp temp;
    CSkinSpeedPic dial;
    CSkinWave wave;
};

}  // namespace

// Commands of children placed on any skinned static reach the dialog as sent.
TEST_F(Telemetry, EveryStaticPassesCommandsOnToItsParent) {
    CWnd* statics[] = {&digits, &lamp, &gps, &temp, &dial, &wave};
    for (CWnd* control : statics) {
        dlg.commands.clear();
        control->SendMessage(WM_COMMAND, MAKEWPARAM(4321, 7), LPARAM(0x55));
        ASSERT_EQ(dlg.commands.size(), 1u) << control->GetDlgCtrlID();
        EXPECT_EQ(dlg.commands[0], (std::pair<UINT, LPARAM>{MAKEWPARAM(4321, 7), 0x55}));
    }
}

TEST_F(Telemetry, SpeedDigitsShowValueAndUnitOnTheSkin) {
    digits.SetUnitText(L"km/h");
    EXPECT_EQ(g_strSpeedUnitText, CString(L"km/h"));
    digits.SetSpeed(42);
    Pump();
    const std::vector<COLORREF> shown = Shot(digits);
    EXPECT_EQ(shown, Expected(50, 16, RGB(0, 0, 255), L"42 km/h"));
    EXPECT_GT(Count(digits, RGB(0, 0, 255), 0, 0, 50, 16, true), 20) << "the text shows";
    digits.SetUnitText(L"mph");
    digits.SetSpeed(7);
    Pump();
    EXPECT_EQ(Shot(digits), Expected(50, 16, RGB(0, 0, 255), L"7 mph"));
}

TEST_F(Telemetry, SpeedDigitsAreNotStretched) {
    digits.MoveWindow(10, 10, 80, 30);  // larger than the 60 x 20 skin
    digits.SetSpeed(1);
    Pump();
    EXPECT_EQ(Pixel(digits, 59, 19), RGB(0, 0, 255));
    EXPECT_NE(Pixel(digits, 65, 25), RGB(0, 0, 255)) << "beyond the skin nothing of it";
}

TEST_F(Telemetry, LampShowsOnForAnyNonzeroState) {
    lamp.m_bitmaps[0].LoadBitmap(kLampOff);
    lamp.m_bitmaps[1].LoadBitmap(kLampOn);
    Repaint(lamp);
    const COLORREF behind = Pixel(dlg, 70 + 3, 10);
    EXPECT_EQ(Pixel(lamp, 0, 0), Colour('r'));
    EXPECT_EQ(Pixel(lamp, 3, 0), behind) << "RGB(25, 25, 25) is left out";
    for (uint8_t on : {1, 2}) {
        lamp.m_bOn = on;
        Repaint(lamp);
        EXPECT_EQ(Pixel(lamp, 0, 0), Colour('g')) << int(on);
        EXPECT_EQ(Pixel(lamp, 3, 3), Colour('g'));
    }
}

TEST_F(Telemetry, GSensorLinesTakeTheirBandsAndColours) {
    gps.SetValues(1.0f, -0.5f, 0.25f);
    Pump();
    EXPECT_EQ(Pixel(gps, 0, 0), RGB(112, 112, 112));
    EXPECT_EQ(Pixel(gps, 91, 37), RGB(112, 112, 112));
    EXPECT_EQ(Pixel(gps, 1, 1), kBlack);
    // L = 12: the bands are rows 2-13, 14-25, 26-37.
    const COLORREF colours[] = {kRedLine, kYellowLine, kGreenLine};
    for (int band = 0; band < 3; ++band)
        for (int other = 0; other < 3; ++other) {
            const int n = Count(gps, colours[other], 0, 2 + band * 12, 92, 14 + band * 12);
            if (band == other)
                EXPECT_GT(n, 10) << band;
            else
                EXPECT_EQ(n, 0) << band << " " << other;
        }
    const std::vector<COLORREF> before = Shot(gps);
    gps.SetValues(1.5f, -0.5f, 0.25f);
    Pump();
    const std::vector<COLORREF> after = Shot(gps);
    int changedLeft = 0, changedRight = 0;
    for (size_t i = 0; i < after.size(); ++i)
        if (after[i] != before[i])
            (int(i % 92) < 46 ? changedLeft : changedRight)++;
    EXPECT_EQ(changedLeft, 0) << "the labels stay";
    EXPECT_GT(changedRight, 0) << "the right-aligned value changes";
}

TEST_F(Telemetry, TemperatureShowsValueAndUnitOnBlack) {
    temp.SetUnitText(L"C");
    temp.SetValue(-3);
    Pump();
    EXPECT_EQ(Shot(temp), Expected(44, 16, kBlack, L"-3 C"));
}

// A value not known shows no number: the speed skin and the temperature's
// black alone, the G labels without values. Each starts unknown.
TEST_F(Telemetry, ValuesNotKnownShowNoNumbers) {
    EXPECT_FALSE(digits.Speed().has_value());
    EXPECT_FALSE(temp.Value().has_value());
    EXPECT_FALSE(gps.HasValues());
    digits.SetUnitText(L"km/h");
    digits.SetSpeed(0);
    temp.SetUnitText(L"C");
    temp.SetValue(0);
    gps.SetValues(0, 0, 0);
    Pump();
    ASSERT_NE(Shot(digits), Expected(50, 16, RGB(0, 0, 255), L""));
    ASSERT_GT(Count(gps, kGreenLine, 46, 26, 92, 38), 0) << "0.00 shows while known";
    digits.ClearSpeed();
    temp.ClearValue();
    gps.ClearValues();
    Pump();
    EXPECT_EQ(Shot(digits), Expected(50, 16, RGB(0, 0, 255), L""));
    EXPECT_EQ(Shot(temp), Expected(44, 16, kBlack, L""));
    for (COLORREF colour : {kRedLine, kYellowLine, kGreenLine})
        EXPECT_EQ(Count(gps, colour, 46, 2, 92, 38), 0) << "no value right of the labels";
    EXPECT_GT(Count(gps, kRedLine, 0, 2, 46, 14), 0) << "the labels stay";
}

TEST_F(Telemetry, DialShowsTheSelectedSlotWithBlueLeftOut) {
    const COLORREF behind = Pixel(dial, 3, 0);
    dial.SetIndex(5);
    Pump();
    EXPECT_EQ(Pixel(dial, 0, 0), behind) << "an empty slot draws nothing";
    dial.LoadBitmaps();
    dial.SetIndex(0);
    Pump();
    EXPECT_EQ(Pixel(dial, 0, 0), Colour('r'));
    EXPECT_EQ(Pixel(dial, 3, 0), behind);
    AddResource(IDB_DIAL_0, {"y"});
    dial.LoadBitmaps();
    Repaint(dial);
    EXPECT_EQ(Pixel(dial, 0, 0), Colour('r')) << "a second load keeps the first bitmaps";
    dial.SetIndex(2);
    Pump();
    EXPECT_EQ(Pixel(dial, 3, 3), Colour('y'));
    for (int outside : {12, -1}) {
        dial.SetIndex(outside);
        Pump();
        EXPECT_EQ(Pixel(dial, 3, 3), Colour('y')) << outside << ": nothing drawn over it";
    }
}

namespace {

class Chart : public Telemetry {
protected:
    // W 70, H 40: q 10, step 1, x0 25, x1 69, zero line y 20, bottom y 39.
    void Show(int last) {
        wave.SetSamples(samples, last);
        Pump();
    }
    ChartSample samples[CSkinWave::kSamples];
};

}  // namespace

TEST_F(Chart, WithoutGValuesOnlyFrameZeroLineAndLabels) {
    Show(59);
    for (auto [x, y] : {std::pair{25, 5}, {69, 5}, {40, 0}, {40, 20}, {40, 39}, {25, 39}})
        EXPECT_EQ(Pixel(wave, x, y), kGrid) << x << "," << y;
    EXPECT_EQ(Pixel(wave, 40, 10), kBlack);
    EXPECT_GT(Count(wave, kBlack, 0, 0, 25, 8, true), 0) << "\"2\" at the top";
    EXPECT_GT(Count(wave, kBlack, 0, 15, 25, 25, true), 0) << "\"0\" at the zero line";
    EXPECT_GT(Count(wave, kBlack, 0, 30, 25, 39, true), 0) << "\"-2\" at the bottom";
    EXPECT_EQ(Count(wave, kBlack, 0, 8, 25, 15, true), 0) << "nothing between the labels";
    for (COLORREF c : {kRedLine, kYellowLine, kGreenLine})
        EXPECT_EQ(Count(wave, c, 0, 0, 70, 40), 0);
}

TEST_F(Chart, NewestAtTheLeftOlderToTheRightGapsBridged) {
    for (int i : {59, 58, 56}) {
        samples[i].gValid = 1;
        samples[i].gx = 1.0f;
        samples[i].gy = -1.0f;
        samples[i].gz = 0.0f;
    }
    samples[57].gx = -2.0f;  // not valid: skipped
    Show(59);
    samples[59].gx = -1.0f;  // the chart keeps its copy
    Repaint(wave);
    for (int x = 25; x <= 27; ++x) {
        EXPECT_EQ(Pixel(wave, x, 10), kRedLine) << x;
        EXPECT_EQ(Pixel(wave, x, 30), kYellowLine) << x;
        EXPECT_EQ(Pixel(wave, x, 20), kGreenLine) << x;
    }
    EXPECT_EQ(Pixel(wave, 28, 10), kBlack) << "the last point ends the line";
    EXPECT_EQ(Pixel(wave, 28, 20), kGrid);
}

TEST_F(Chart, MaximumOnTheTopEdgeAndOldSamplesFallOffTheRight) {
    for (ChartSample& s : samples) {
        s.gValid = 1;
        s.gx = 2.0f;
        s.gy = 0.0f;
        s.gz = 0.0f;
    }
    Show(79);
    EXPECT_EQ(Pixel(wave, 25, 0), kRedLine);
    EXPECT_EQ(Pixel(wave, 69, 0), kRedLine) << "the line runs off the right edge";
    Show(500);  // beyond the samples: the newest that exists
    EXPECT_EQ(Pixel(wave, 25, 0), kRedLine);
}
