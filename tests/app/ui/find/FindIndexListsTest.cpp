// The find dialog's time and event lists and its index choices.
#include "app/res/ResourceIds.h"
#include "tests/app/ui/find/FindFixture.h"

namespace {

using namespace findtest;

constexpr uint32_t H = 1699999200;  // 2023/11/14 22:00:00
constexpr uint64_t kFar = 5000000000ull;

const std::vector<std::wstring> kIndexHeadings = {L"Time", L"Position", L"Status"};
// The status line at rest on a source without event and quick index.
const std::wstring kDeviceOnly =
    L"Event and quick index: only on a recorder's hard disk or SD card.";

using FindIndexLists = FindDialog;

TEST_F(FindIndexLists, TimeListIsThinnedToHoursAndEvents) {
    fake->timeIndex.Place(1, {
                                 TimeUnit(H + 600, kFar),                       // first
                                 TimeUnit(H + 1200, 2),                         //
                                 TimeUnit(H + 1800, 3, EventWordOf(1, 0, 0)),   // power on
                                 TimeUnit(H + 2400, 4, EventWordOf(16, 0, 0)),  // no low type bits
                                 TimeUnit(H + 3600, 5),                         // full hour
                                 TimeUnit(H + 4800, 6),                         //
                                 TimeUnit(H + 7500, 7),                         // an hour on
                                 TimeUnit(H + 7800, 8),                         //
                                 TimeUnit(H + 8100, 9, EventWordOf(2, 1, 0)),   // power off
                                 TimeUnit(H + 8400, 10, EventWordOf(3, 2, 0)),  // alarm
                             });
    fake->timeIndex.units.erase(6);  // an unreadable unit is passed over
    Show();
    EXPECT_EQ(Headings(), kIndexHeadings);
    const Table expected = {
        {L"2023/11/14 22:10:00", L"5000000000", L""},
        {L"2023/11/14 22:30:00", L"3", L"POWER ON"},
        {L"2023/11/14 23:00:00", L"5", L""},
        {L"2023/11/15 00:05:00", L"7", L""},
        {L"2023/11/15 00:15:00", L"9", L"BAT LOW POWER OFF"},
        {L"2023/11/15 00:20:00", L"10", L""},
    };
    EXPECT_EQ(Rows(), expected);
    EXPECT_EQ(Text(IDC_FIND_STATUS), kDeviceOnly) << "a file pair";
    EXPECT_TRUE(Visible(IDC_FIND_TIME_PICKER));
    EXPECT_TRUE(Visible(IDC_FIND_TIME_BUTTON));
    EXPECT_FALSE(Visible(IDC_FIND_SPEED_EDIT));
    EXPECT_FALSE(Visible(IDC_FIND_POSITION_BUTTON));
}

TEST_F(FindIndexLists, WrappedTimeRingRunsOnFromOne) {
    fake->openedType = OPENED_DISK;
    fake->timeIndex.Place(0xFFFFE, {TimeUnit(H, 1), TimeUnit(H + 3600, 2), TimeUnit(H + 7200, 3),
                                    TimeUnit(H + 10800, 4)});
    ASSERT_EQ(fake->timeIndex.header->last, 2u);
    Show();
    const Table rows = Rows();
    ASSERT_EQ(rows.size(), 4u);
    for (size_t i = 0; i < rows.size(); ++i)
        EXPECT_EQ(rows[i][1], std::to_wstring(i + 1));
}

TEST_F(FindIndexLists, NoIndexGivesAnEmptyListWithItsColumns) {
    Show();
    EXPECT_EQ(Headings(), kIndexHeadings);
    EXPECT_TRUE(Rows().empty());
    EXPECT_EQ(Text(IDC_FIND_STATUS), kDeviceOnly) << "a file pair";
    EXPECT_FALSE(dlg->IsListRunning());
}

TEST_F(FindIndexLists, EventAndQuickChoicesOnlyForDiskAndCard) {
    const struct {
        int type;
        bool enabled;
    } cases[] = {{OPENED_NONE, false},
                 {OPENED_FILE_PAIR, false},
                 {OPENED_DISK, true},
                 {OPENED_CARD, true},
                 {OPENED_NETWORK, false}};
    for (const auto& c : cases) {
        fake->openedType = c.type;
        Show();
        EXPECT_TRUE(Enabled(IDC_FIND_TIME_INDEX)) << c.type;
        EXPECT_EQ(Enabled(IDC_FIND_EVENT_INDEX), c.enabled) << c.type;
        EXPECT_EQ(Enabled(IDC_FIND_QUICK_INDEX), c.enabled) << c.type;
        // The user learns why the two choices do nothing.
        EXPECT_EQ(Text(IDC_FIND_STATUS), c.enabled ? L"" : kDeviceOnly) << c.type;
    }
}

class FindEventList : public FindDialog {
protected:
    FindEventList() {
        fake->openedType = OPENED_CARD;
        std::vector<InxUnit> units;
        for (uint32_t i = 0; i < 11; ++i)
            units.push_back(TimeUnit(H + 60 * i, 100 + i));
        fake->timeIndex.Place(10, units);  // entries 10..20
    }
};

TEST_F(FindEventList, EventsOfTheTimeIndexWithTheirStatus) {
    fake->eventIndex.Place(1, {
                                  TimeUnit(H + 120, 7000, EventWordOf(13, 1, 12)),
                                  TimeUnit(H + 300, 7100, EventWordOf(3, 5, 15)),
                                  TimeUnit(H + 900, 7200, EventWordOf(3, 5, 25)),  // outside
                                  TimeUnit(H + 600, kFar, EventWordOf(2, 9, 20)),
                                  TimeUnit(H + 60, 7300, EventWordOf(1, 0, 9)),  // outside
                              });
    Show();
    Click(IDC_FIND_EVENT_INDEX);
    ASSERT_TRUE(WaitForList());
    EXPECT_EQ(dlg->GetCurrentChoice(), IDC_FIND_EVENT_INDEX);
    EXPECT_EQ(Headings(), kIndexHeadings);
    const Table expected = {
        {L"2023/11/14 22:02:00", L"7000", L"G-FORCE ALERT(Y)"},
        {L"2023/11/14 22:05:00", L"7100", L"CH05 ALARM"},
        {L"2023/11/14 22:10:00", L"5000000000", L"POWER OFF"},
    };
    EXPECT_EQ(Rows(), expected);
}

TEST_F(FindEventList, WrappedRingsOnBothIndexes) {
    fake->timeIndex.Place(0xFFFFE, {TimeUnit(H, 1), TimeUnit(H + 60, 2), TimeUnit(H + 120, 3),
                                    TimeUnit(H + 180, 4)});  // entries 0xFFFFE..2
    fake->eventIndex.Place(0xFFFFF, {
                                        TimeUnit(H, 11, EventWordOf(1, 0, 0xFFFFE)),
                                        TimeUnit(H + 60, 12, EventWordOf(1, 0, 1)),
                                        TimeUnit(H + 120, 13, EventWordOf(1, 0, 5)),  // outside
                                        TimeUnit(H + 180, 14, EventWordOf(1, 0, 2)),
                                    });
    Show();
    Click(IDC_FIND_EVENT_INDEX);
    ASSERT_TRUE(WaitForList());
    const Table rows = Rows();
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_EQ(rows[0][1], L"11");
    EXPECT_EQ(rows[1][1], L"12");
    EXPECT_EQ(rows[2][1], L"14");
}

TEST_F(FindEventList, RememberedEventChoiceOnAFilePairShowsNothing) {
    fake->eventIndex.Place(1, {TimeUnit(H, 11, EventWordOf(1, 0, 12))});
    Show();
    Click(IDC_FIND_EVENT_INDEX);
    ASSERT_TRUE(WaitForList());
    ASSERT_EQ(Rows().size(), 1u);

    fake->openedType = OPENED_FILE_PAIR;
    Show();
    EXPECT_TRUE(Checked(IDC_FIND_EVENT_INDEX));
    EXPECT_FALSE(Enabled(IDC_FIND_EVENT_INDEX));
    EXPECT_EQ(Headings(), kIndexHeadings);
    EXPECT_TRUE(Rows().empty());
}

TEST_F(FindIndexLists, LabelsAndUnitsFromTheTextsAndTheMainWindow) {
    Show(MileFahrenheit());
    EXPECT_EQ(Text(IDC_FIND_TIME_LABEL), L"Time Index");
    EXPECT_EQ(Text(IDC_FIND_QUICK_LABEL), L"Quick Index");
    EXPECT_EQ(Text(IDC_FIND_SPEED_LABEL), L"speed(>)");
    EXPECT_EQ(Text(IDC_FIND_TEMPERATURE_LABEL), L"temperature(>)");
    EXPECT_EQ(Text(IDC_FIND_PRESSURE_BELOW_LABEL), L"tire pressure(<)");
    EXPECT_EQ(Text(IDC_FIND_SPEED_UNIT), L"(mile/h)");
    EXPECT_EQ(Text(IDC_FIND_TEMPERATURE_UNIT), L"(\u2109)");
    EXPECT_EQ(Text(IDC_FIND_TYRE_TEMP_UNIT), L"(\u2109)");
    EXPECT_EQ(Text(IDC_FIND_LATITUDE_PLUS_MINUS), L"\u00b1");
    EXPECT_EQ(Text(IDC_FIND_POSITION_BUTTON), L"Search");
    EXPECT_EQ(Text(IDC_FIND_TIME_BUTTON), L"Search");
    EXPECT_EQ(dlg->GetSpeedUnit(), 1);
    EXPECT_EQ(dlg->GetTemperatureUnitText(), L"\u2109");
}

TEST_F(FindIndexLists, EnterKeepsTheDialogEscapeHidesIt) {
    Show();
    dlg->SendMessage(WM_COMMAND, IDOK);
    EXPECT_TRUE(dlg->IsWindowVisible());
    dlg->SendMessage(WM_COMMAND, IDCANCEL);
    EXPECT_FALSE(dlg->IsWindowVisible());
    EXPECT_TRUE(::IsWindow(dlg->m_hWnd));
}

}  // namespace
