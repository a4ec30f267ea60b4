#include <gtest/gtest.h>

#include "app/shell/LanguageTexts.h"
#include "app/ui/find/EventStatusText.h"
#include "app/ui/find/EventTypeNames.h"
#include "tests/app/ui/find/FindFixture.h"

namespace {

using findtest::EventWordOf;

class EventNamesTest : public ::testing::Test {
protected:
    EventNamesTest() {
        SetDefaultLanguageTexts();
        BuildEventTypeNames();
        names = EventNames::FromTables();
    }
    EventNames names;
};

TEST_F(EventNamesTest, TablesComeFromTheLanguageTexts) {
    EXPECT_STREQ(g_szEventTypeNames[0], L"UNKNOW");
    EXPECT_STREQ(g_szEventTypeNames[10], g_strStorageFormatText.GetString());
    EXPECT_STREQ(g_szEventTypeNames[13], L"G-FORCE ALERT");
    EXPECT_STREQ(g_szEventTypeNames[29], L"EVENT 29");
    EXPECT_STREQ(g_szEventTypeNames[30], L"");
    EXPECT_STREQ(g_szEventTypeNames[47], L"");
    EXPECT_STREQ(g_szEventTypeNames[48], L"12V SHORT");
    EXPECT_STREQ(g_szPowerOffNames[2], L"REBOOT POWER OFF");

    IDS_EVENT_TYPE_3 = CString(L"Alarm, with a name far longer than any table entry holds");
    BuildEventTypeNames();
    EXPECT_STREQ(g_szEventTypeNames[3], L"Alarm, with a name far longer t");
    SetDefaultLanguageTexts();
    BuildEventTypeNames();
}

TEST_F(EventNamesTest, WordFieldsComeApart) {
    const EventWord e = EventWord::Decode(EventWordOf(45, 17, 0xABCDE));
    EXPECT_EQ(e.timeEntry, 0xABCDEu);
    EXPECT_EQ(e.type, 45);
    EXPECT_EQ(e.subCode, 17);
    EXPECT_FALSE(EventWord::HasTypeBits(EventWordOf(16, 3, 5)));
    EXPECT_TRUE(EventWord::HasTypeBits(EventWordOf(17, 0, 5)));
}

struct StatusCase {
    int type;
    int subCode;
    const wchar_t* eventList;
    const wchar_t* timeList;
};

TEST_F(EventNamesTest, StatusTextsByTypeAndSubCode) {
    const StatusCase cases[] = {
        {0, 2, L"FAN ALERT", L""},
        {0, 31, L"", L""},  // entry 47 has no name
        {1, 0, L"POWER ON", L"POWER ON"},
        {2, 1, L"BAT LOW POWER OFF", L"BAT LOW POWER OFF"},
        {2, 7, L"POWER OFF", L"POWER OFF"},
        {3, 5, L"CH05 ALARM", L""},
        {4, 2, L"2 SD RECORD SWITCH", L""},
        {4, 3, L"SD RECORD SWITCH", L""},
        {5, 12, L"CH12 VIDEO LOSS", L""},
        {7, 0, L"TIME BACKWARD ADJUST", L"TIME BACKWARD ADJUST"},
        {8, 0, L"TIME FORWARD ADJUST", L"TIME FORWARD ADJUST"},
        {9, 1, L"CH01 RELAY OUTPUT", L""},
        {10, 0, g_strStorageFormatText.GetString(), L""},
        {12, 4, L"CH04 TIRE ALERT", L""},
        {13, 0, L"G-FORCE ALERT(X)", L""},
        {13, 1, L"G-FORCE ALERT(Y)", L""},
        {13, 2, L"G-FORCE ALERT(Z)", L""},
        {13, 3, L"G-FORCE ALERT(?)", L""},
        {15, 0, L"RECORD RESOLUTION CHANGE", L""},
        {16, 0, L"Unknown Channel 12V SHORT", L""},
        {16, 3, L"CH03 12V SHORT", L""},
        {17, 0, L"SD ALERT", L""},
        {33, 0, L"UNKNOW 33", L""},
        {48, 0, L"12V SHORT", L""},
        {63, 31, L"UNKNOW 63", L""},
    };
    for (const StatusCase& c : cases) {
        const uint32_t word = EventWordOf(c.type, c.subCode, 1);
        EXPECT_EQ(EventStatusText(names, word), c.eventList) << c.type << "/" << c.subCode;
        EXPECT_EQ(TimeUnitStatusText(names, word), c.timeList) << c.type << "/" << c.subCode;
    }
}

}  // namespace
