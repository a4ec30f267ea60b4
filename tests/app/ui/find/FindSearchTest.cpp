// The find dialog's quick list and its searches over a generated quick index.
#include "app/res/ResourceIds.h"
#include "tests/app/ui/find/FindFixture.h"

namespace {

using namespace findtest;

constexpr uint32_t H = 1699999200;  // 2023/11/14 22:00:00

QuickFields Record(uint32_t entry, uint16_t speed, uint16_t temperature,
                   std::vector<std::pair<uint8_t, uint8_t>> tyres, int8_t gx = 0, int8_t gz = 0) {
    QuickFields s;
    s.timeEntry = entry;
    s.speedKmh = speed;
    s.temperature = temperature;
    s.tyres = std::move(tyres);
    s.g[0] = gx;
    s.g[2] = gz;
    return s;
}

// A disk with time-index entries 1..10 and quick records for entries 1..7
// and one for entry 50, which is not in the time index.
class FindQuick : public FindDialog {
protected:
    FindQuick() {
        fake->openedType = OPENED_DISK;
        std::vector<InxUnit> units;
        for (uint32_t i = 1; i <= 10; ++i)
            units.push_back(TimeUnit(H + 60 * i, 1000 + i));
        fake->timeIndex.Place(1, units);
        QuickFields atCentre = Record(6, 0, 20, {});
        atCentre.latitude = "2500.0000N";
        atCentre.longitude = "12130.0000E";
        QuickFields noFix = Record(7, 0, 20, {});
        noFix.latitude = "2459,9952N";
        fake->quickIndex.Place(1, {
                                      MakeQuickUnit(Record(1, 79, 20, {{30, 90}})),
                                      MakeQuickUnit(Record(2, 81, 51, {{35, 91}}, 64)),
                                      MakeQuickUnit(Record(3, 100, 200, {{40, 250}}, 0, -64)),
                                      MakeQuickUnit(Record(4, 80, 50, {{25, 60}, {45, 130}}, 63)),
                                      MakeQuickUnit(Record(50, 200, 100, {{99, 185}}, 127)),
                                      MakeQuickUnit(atCentre),
                                      MakeQuickUnit(noFix),
                                  });
    }

    void ShowQuickList(const FindUnits& units = KmhCelsius()) {
        Show(units);
        Click(IDC_FIND_QUICK_INDEX);
        ASSERT_TRUE(WaitForList());
    }

    // The time-index entries of the rows shown.
    std::vector<std::wstring> Entries() const {
        std::vector<std::wstring> entries;
        for (const auto& row : Rows())
            entries.push_back(row[0]);
        return entries;
    }

    void Search(int buttonId, std::vector<std::pair<int, const wchar_t*>> inputs) {
        for (const auto& [id, text] : inputs)
            SetText(id, text);
        Click(buttonId);
        ASSERT_TRUE(WaitForList());
    }
};

TEST_F(FindQuick, QuickListShowsTheSearchControlsAndUnitColumns) {
    ShowQuickList(MileFahrenheit());
    const std::vector<std::wstring> headings = {L"tindex",
                                                L"Time",
                                                L"speed(mile/h)",
                                                L"gx/gy/gz(G)",
                                                L"temperature(\u2109)",
                                                L"Longitude/Latitude(\u00b0)",
                                                L"wheel",
                                                L"tire pressure(PSI)/tire temperature(\u2109)"};
    EXPECT_EQ(Headings(), headings);
    // Each column shows its heading whole, in the list's font: together they
    // are wider than the list, which scrolls sideways.
    const std::vector<int> widths = Widths();
    ASSERT_EQ(widths.size(), headings.size());
    for (size_t c = 0; c < headings.size(); ++c) {
        const int text = int(::SendDlgItemMessage(dlg->m_hWnd, IDC_FIND_LIST, LVM_GETSTRINGWIDTHW,
                                                  0, LPARAM(headings[c].c_str())));
        EXPECT_GE(widths[c], text + 2 * kListViewCellMargin) << headings[c];
    }
    EXPECT_TRUE(Rows().empty()) << "no search yet";
    EXPECT_TRUE(Visible(IDC_FIND_SPEED_EDIT));
    EXPECT_TRUE(Visible(IDC_FIND_POSITION_BUTTON));
    EXPECT_FALSE(Visible(IDC_FIND_TIME_PICKER));
    EXPECT_FALSE(Visible(IDC_FIND_TIME_BUTTON));
}

// The search frames come with their fields and buttons on the screen: every
// search control shows something other than the frame's plain inside.
TEST_F(FindQuick, TheSearchFramesShowTheirFieldsAndButtons) {
    ShowQuickList(KmhCelsius());
    dlg->ShowWindow(SW_SHOW);
    dlg->UpdateWindow();
    Pump();
    RECT frame{};
    ::GetWindowRect(::GetDlgItem(dlg->m_hWnd, IDC_FIND_SENSOR_GROUP), &frame);
    const std::vector<uint32_t> screen = display.ReadScreen();
    const auto pixel = [&](int x, int y) { return screen[size_t(y) * display.Width() + x]; };
    const uint32_t inside = pixel(frame.right - 3, frame.bottom - 3);
    for (int id :
         {IDC_FIND_SPEED_EDIT, IDC_FIND_SPEED_BUTTON, IDC_FIND_TYRE_TEMP_EDIT,
          IDC_FIND_PRESSURE_BELOW_BUTTON, IDC_FIND_LATITUDE_TOLERANCE, IDC_FIND_POSITION_BUTTON}) {
        RECT r{};
        ::GetWindowRect(::GetDlgItem(dlg->m_hWnd, id), &r);
        int differing = 0;
        for (int y = r.top; y < r.bottom; ++y) {
            for (int x = r.left; x < r.right; ++x)
                differing += pixel(x, y) != inside ? 1 : 0;
        }
        EXPECT_GT(differing, 0) << "control " << id << " is not drawn";
    }
}

struct SearchCase {
    const char* name;
    int button;
    std::vector<std::pair<int, const wchar_t*>> inputs;
    bool imperial;
    std::vector<std::wstring> entries;
};

TEST_F(FindQuick, EverySearchOverTheQuickIndex) {
    const SearchCase cases[] = {
        {"speed km/h", IDC_FIND_SPEED_BUTTON, {{IDC_FIND_SPEED_EDIT, L"80"}}, false, {L"2", L"3"}},
        {"speed mile/h", IDC_FIND_SPEED_BUTTON, {{IDC_FIND_SPEED_EDIT, L"50"}}, true, {L"2", L"3"}},
        {"speed negative", IDC_FIND_SPEED_BUTTON, {{IDC_FIND_SPEED_EDIT, L"-5"}}, false, {}},
        {"temperature F",
         IDC_FIND_TEMPERATURE_BUTTON,
         {{IDC_FIND_TEMPERATURE_EDIT, L"122"}},
         true,
         {L"2"}},
        {"temperature below zero",
         IDC_FIND_TEMPERATURE_BUTTON,
         {{IDC_FIND_TEMPERATURE_EDIT, L"-60"}},
         false,
         {L"1", L"2", L"3", L"4", L"6", L"7"}},
        {"tyre temperature F",
         IDC_FIND_TYRE_TEMP_BUTTON,
         {{IDC_FIND_TYRE_TEMP_EDIT, L"122"}},
         true,
         {L"2", L"4"}},
        {"tyre temperature C",
         IDC_FIND_TYRE_TEMP_BUTTON,
         {{IDC_FIND_TYRE_TEMP_EDIT, L"50"}},
         false,
         {L"2", L"4"}},
        {"pressure above",
         IDC_FIND_PRESSURE_ABOVE_BUTTON,
         {{IDC_FIND_PRESSURE_ABOVE_EDIT, L"40"}},
         false,
         {L"4"}},
        {"pressure below",
         IDC_FIND_PRESSURE_BELOW_BUTTON,
         {{IDC_FIND_PRESSURE_BELOW_EDIT, L"31"}},
         false,
         {L"1", L"4"}},
        {"G force", IDC_FIND_G_BUTTON, {{IDC_FIND_G_EDIT, L"1.0"}}, false, {L"2", L"3"}},
        {"G force at the top", IDC_FIND_G_BUTTON, {{IDC_FIND_G_EDIT, L"2.0"}}, false, {}},
        {"position",
         IDC_FIND_POSITION_BUTTON,
         {{IDC_FIND_LONGITUDE_EDIT, L"121.5"},
          {IDC_FIND_LONGITUDE_TOLERANCE, L"0.003"},
          {IDC_FIND_LATITUDE_EDIT, L"25.0"},
          {IDC_FIND_LATITUDE_TOLERANCE, L"0.00005"}},
         false,
         {L"6"}},
        {"position wider",
         IDC_FIND_POSITION_BUTTON,
         {{IDC_FIND_LONGITUDE_EDIT, L"121.5"},
          {IDC_FIND_LONGITUDE_TOLERANCE, L"0.003"},
          {IDC_FIND_LATITUDE_EDIT, L"25.0"},
          {IDC_FIND_LATITUDE_TOLERANCE, L"0.0001"}},
         false,
         {L"1", L"2", L"3", L"4", L"6"}},
    };
    for (const SearchCase& c : cases) {
        ShowQuickList(c.imperial ? MileFahrenheit() : KmhCelsius());
        Search(c.button, c.inputs);
        EXPECT_EQ(Entries(), c.entries) << c.name;
        EXPECT_EQ(Text(IDC_FIND_STATUS), L"") << c.name;
    }
}

TEST_F(FindQuick, ResultRowInTheDisplayUnits) {
    ShowQuickList(MileFahrenheit());
    Search(IDC_FIND_TEMPERATURE_BUTTON, {{IDC_FIND_TEMPERATURE_EDIT, L"122"}});
    const Table expected = {{L"2", L"2023/11/14 22:02:00", L"50", L"1.01/0.00/0.00", L"124",
                             L"121.502708/24.999920", L"1", L" 1:35/124"}};
    EXPECT_EQ(Rows(), expected);
}

TEST_F(FindQuick, WrappedQuickRingAndUnreadableTimeUnit) {
    fake->quickIndex.Place(
        0xFFFFF, {MakeQuickUnit(Record(2, 90, 20, {})), MakeQuickUnit(Record(3, 91, 20, {})),
                  MakeQuickUnit(Record(4, 92, 20, {}))});
    fake->timeIndex.units.erase(3);
    ShowQuickList();
    Search(IDC_FIND_SPEED_BUTTON, {{IDC_FIND_SPEED_EDIT, L"10"}});
    const Table rows = Rows();
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_EQ(rows[0][1], L"2023/11/14 22:02:00");
    EXPECT_EQ(rows[1][1], L"-");
    EXPECT_EQ(rows[2][0], L"4");
}

TEST_F(FindQuick, InvalidInputSearchesAndRemembersNothing) {
    ShowQuickList();
    Search(IDC_FIND_SPEED_BUTTON, {{IDC_FIND_SPEED_EDIT, L"90"}});
    ASSERT_EQ(Entries(), std::vector<std::wstring>{L"3"});
    const std::pair<int, std::vector<std::pair<int, const wchar_t*>>> invalid[] = {
        {IDC_FIND_G_BUTTON, {{IDC_FIND_G_EDIT, L"0.05"}}},
        {IDC_FIND_G_BUTTON, {{IDC_FIND_G_EDIT, L"2.5"}}},
        {IDC_FIND_G_BUTTON, {{IDC_FIND_G_EDIT, L"fast"}}},
        {IDC_FIND_SPEED_BUTTON, {{IDC_FIND_SPEED_EDIT, L"9x"}}},
        {IDC_FIND_POSITION_BUTTON, {{IDC_FIND_LONGITUDE_EDIT, L""}}},
    };
    for (const auto& [button, inputs] : invalid) {
        Search(button, inputs);
        EXPECT_EQ(Entries(), std::vector<std::wstring>{L"3"}) << "the last search stays";
        EXPECT_EQ(Text(IDC_FIND_STATUS), L"");
    }
    // Showing the quick list again runs the remembered search, the speed one.
    Show();
    EXPECT_EQ(Text(IDC_FIND_SPEED_EDIT), L"90");
    EXPECT_EQ(Entries(), std::vector<std::wstring>{L"3"});
}

TEST_F(FindQuick, SearchUnderTheTimeListIsRememberedForTheQuickList) {
    Show();
    const size_t timeRows = Rows().size();
    SetText(IDC_FIND_G_EDIT, L"0.5");
    Click(IDC_FIND_G_BUTTON);
    ASSERT_TRUE(WaitForList());
    EXPECT_EQ(Rows().size(), timeRows) << "the time list stays";
    EXPECT_EQ(Headings().size(), 3u);

    SetText(IDC_FIND_G_EDIT, L"");
    Click(IDC_FIND_QUICK_INDEX);
    ASSERT_TRUE(WaitForList());
    EXPECT_EQ(Text(IDC_FIND_G_EDIT), L"0.500000");
    EXPECT_EQ(Entries(), (std::vector<std::wstring>{L"2", L"3", L"4"}));
}

TEST_F(FindQuick, RememberedPositionSearchWritesAllFourValuesBack) {
    ShowQuickList();
    Search(IDC_FIND_POSITION_BUTTON, {{IDC_FIND_LONGITUDE_EDIT, L"121.5"},
                                      {IDC_FIND_LONGITUDE_TOLERANCE, L"0.003"},
                                      {IDC_FIND_LATITUDE_EDIT, L"25"},
                                      {IDC_FIND_LATITUDE_TOLERANCE, L"0.00005"}});
    for (int id : {IDC_FIND_LONGITUDE_EDIT, IDC_FIND_LONGITUDE_TOLERANCE, IDC_FIND_LATITUDE_EDIT,
                   IDC_FIND_LATITUDE_TOLERANCE})
        SetText(id, L"");
    Show();
    EXPECT_EQ(Text(IDC_FIND_LONGITUDE_EDIT), L"121.500000");
    EXPECT_EQ(Text(IDC_FIND_LONGITUDE_TOLERANCE), L"0.003000");
    EXPECT_EQ(Text(IDC_FIND_LATITUDE_EDIT), L"25.000000");
    EXPECT_EQ(Text(IDC_FIND_LATITUDE_TOLERANCE), L"0.000050");
    EXPECT_EQ(Entries(), std::vector<std::wstring>{L"6"});
}

TEST_F(FindQuick, QuickIndexMissingGivesNoRows) {
    fake->quickIndex.header.reset();
    ShowQuickList();
    Search(IDC_FIND_SPEED_BUTTON, {{IDC_FIND_SPEED_EDIT, L"0"}});
    EXPECT_TRUE(Rows().empty());
    EXPECT_FALSE(dlg->IsListRunning());
}

}  // namespace
