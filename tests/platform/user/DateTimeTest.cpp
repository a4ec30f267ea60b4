#include "ControlFixture.h"
#include "platform/user/DateTimeFormat.h"

namespace {

SYSTEMTIME Time(int y, int mo, int d, int h, int mi, int s = 0) {
    return SYSTEMTIME{WORD(y), WORD(mo), 0, WORD(d), WORD(h), WORD(mi), WORD(s), 0};
}

class DateTime : public ControlTest {
public:
    DateTime() {
        TestWindows::On(parent, WM_NOTIFY, [this](HWND, WPARAM, LPARAM l) {
            const auto* nm = reinterpret_cast<const NMDATETIMECHANGE*>(l);
            if (nm->nmhdr.code == DTN_DATETIMECHANGE)
                reported.push_back(nm->st);
            return LRESULT(0);
        });
        picker = Make(DATETIMEPICK_CLASSW, L"", 0, 10, 10, 160, 22, 19063);
        SendMessage(picker, DTM_SETFORMATW, 0, LPARAM(L"yyyy-MM-dd HH:mm"));
        SYSTEMTIME t = Time(2019, 6, 10, 10, 45, 42);
        SendMessage(picker, DTM_SETSYSTEMTIME, GDT_VALID, LPARAM(&t));
        SetFocus(picker);
        TestWindows::Pump();
    }
    SYSTEMTIME Get() const {
        SYSTEMTIME t{};
        EXPECT_EQ(SendMessage(picker, DTM_GETSYSTEMTIME, 0, LPARAM(&t)), GDT_VALID);
        return t;
    }
    HWND picker = nullptr;
    std::vector<SYSTEMTIME> reported;
};

TEST_F(DateTime, TheCustomFormatShowsTheFieldsAndMessagesChangeQuietly) {
    EXPECT_EQ(Text(picker), L"2019-06-10 10:45");
    EXPECT_EQ(Get().wDayOfWeek, 1) << "10 June 2019 was a Monday";
    EXPECT_EQ(Get().wSecond, 42);
    SendMessage(picker, DTM_SETFORMATW, 0, LPARAM(L"d'.'M'.'yy h:m tt"));
    EXPECT_EQ(Text(picker), L"10.6.19 10:45 AM");
    EXPECT_TRUE(reported.empty());
}

TEST_F(DateTime, KeysStepAndTypeTheSelectedFieldAndReportEachChange) {
    Key(VK_RIGHT);  // the month
    Key(VK_UP);
    EXPECT_EQ(Text(picker), L"2019-07-10 10:45");
    ASSERT_EQ(reported.size(), 1u);
    EXPECT_EQ(reported[0].wMonth, 7);
    Key(VK_RIGHT);  // the day
    Type(L"25");
    EXPECT_EQ(Text(picker), L"2019-07-25 10:45");
    Type(L"0");  // the hour, after the day was full
    EXPECT_EQ(Text(picker), L"2019-07-25 00:45");
    Key(VK_RIGHT);  // the minute
    for (int i = 0; i < 15; ++i)
        Key(VK_UP);
    EXPECT_EQ(Text(picker), L"2019-07-25 00:00") << "minutes wrap within their field";
    EXPECT_EQ(reported.back().wMinute, 0);
}

TEST_F(DateTime, TheRangeBoundsUserChangesAndRefusesOutsideTimes) {
    const SYSTEMTIME range[2] = {Time(2019, 6, 10, 10, 0), Time(2019, 6, 10, 12, 30)};
    SendMessage(picker, DTM_SETRANGE, GDTR_MIN | GDTR_MAX, LPARAM(range));
    SYSTEMTIME outside = Time(2019, 6, 11, 0, 0);
    EXPECT_FALSE(SendMessage(picker, DTM_SETSYSTEMTIME, GDT_VALID, LPARAM(&outside)));
    Key(VK_RIGHT);
    Key(VK_RIGHT);
    Key(VK_RIGHT);  // the hour
    Key(VK_UP);
    Key(VK_UP);
    Key(VK_UP);
    EXPECT_EQ(Text(picker), L"2019-06-10 12:30") << "held at the end of the range";
    Key(VK_UP);
    EXPECT_EQ(reported.size(), 2u)
        << "11:45, then 12:30; steps that change nothing are not reported";
    SYSTEMTIME got[2] = {};
    EXPECT_EQ(SendMessage(picker, DTM_GETRANGE, 0, LPARAM(got)), LRESULT(GDTR_MIN | GDTR_MAX));
    EXPECT_EQ(got[1].wMinute, 30);
}

TEST_F(DateTime, APressChoosesAFieldAndTheSpinButtonsStepIt) {
    RECT r{};
    GetClientRect(picker, &r);
    Click(At(picker, 5, 11));  // on the year
    Click(At(picker, r.right - 8, 3));
    EXPECT_EQ(Text(picker), L"2020-06-10 10:45");
    clock->Advance(1000);
    Click(At(picker, r.right - 8, r.bottom - 3));
    EXPECT_EQ(Text(picker), L"2019-06-10 10:45");
}

TEST(DateTimeFormat, FieldsSteppingAndValidity) {
    SYSTEMTIME leap = Time(2020, 2, 29, 0, 0);
    EXPECT_EQ(StepDateField(leap, DateField::Year, 1).wDay, 28) << "kept within the month";
    EXPECT_EQ(StepDateField(Time(2019, 12, 31, 0, 0), DateField::Month, 1).wMonth, 1);
    EXPECT_EQ(StepDateField(Time(2019, 1, 1, 0, 0), DateField::Day, -1).wDay, 31);
    SYSTEMTIME t = Time(2019, 4, 10, 0, 0);
    EXPECT_FALSE(SetDateField(&t, DateField::Day, 31)) << "April has 30 days";
    EXPECT_TRUE(SetDateField(&t, DateField::Hour24, 23));
    EXPECT_EQ(CompareSystemTimes(Time(2019, 1, 1, 0, 0, 1), Time(2019, 1, 1, 0, 0, 0)), 1);
    const auto parts = ParseDateFormat(L"'at' HH");
    ASSERT_EQ(parts.size(), 2u);
    EXPECT_EQ(parts[0].literal, L"at ");
    EXPECT_EQ(parts[1].field, DateField::Hour24);
}

}  // namespace
