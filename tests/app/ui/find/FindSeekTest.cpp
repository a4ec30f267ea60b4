// Seeks from the find dialog: a double click on a row and the time search.
#include "app/res/ResourceIds.h"
#include "app/shell/CalendarTime.h"
#include "tests/app/ui/find/FindFixture.h"

namespace {

using namespace findtest;

constexpr uint32_t H = 1699999200;  // 2023/11/14 22:00:00
constexpr uint64_t kFar = 5000000000ull;

class FindSeek : public FindDialog {
protected:
    FindSeek() {
        fake->openedType = OPENED_DISK;
        // Entries 1..4 two minutes apart; entry 2 lies beyond 4 GiB.
        fake->timeIndex.Place(
            1, {TimeUnit(H, 100), TimeUnit(H + 120, kFar),
                TimeUnit(H + 240, 300, EventWordOf(1, 0, 0)), TimeUnit(H + 360, 400)});
        QuickFields record;
        record.timeEntry = 2;
        record.speedKmh = 90;
        fake->quickIndex.Place(1, {MakeQuickUnit(record)});
    }

    void Pick(uint32_t seconds) {
        SYSTEMTIME picked = CalendarTimeOf(seconds);
        picked.wSecond = 0;
        ASSERT_TRUE(::SendMessage(::GetDlgItem(dlg->m_hWnd, IDC_FIND_TIME_PICKER),
                                  DTM_SETSYSTEMTIME, GDT_VALID, LPARAM(&picked)));
    }

    // The quick list searched for speeds of 10 km/h and more: the one record.
    void ShowTheQuickRow() {
        Show();
        Click(IDC_FIND_QUICK_INDEX);
        SetText(IDC_FIND_SPEED_EDIT, L"10");
        Click(IDC_FIND_SPEED_BUTTON);
        ASSERT_TRUE(WaitForList());
        ASSERT_EQ(Rows().size(), 1u);
    }

    std::vector<std::wstring> SeekTexts() const {
        std::vector<std::wstring> positions;
        for (const auto& seek : mainWnd.seeks) {
            EXPECT_EQ(seek.wParam, 0u) << "seek and play";
            positions.push_back(seek.position);
        }
        return positions;
    }
};

TEST_F(FindSeek, DoubleClickOnATimeRowSeeksThereAndHides) {
    Show();
    ASSERT_EQ(Rows().size(), 2u);  // the first unit and the power-on unit
    DoubleClickRow(1);
    EXPECT_EQ(SeekTexts(), std::vector<std::wstring>{L"300"});
    EXPECT_FALSE(dlg->IsWindowVisible());
}

TEST_F(FindSeek, DoubleClickOnAnEventRowSeeksToTheEvent) {
    fake->eventIndex.Place(1, {TimeUnit(H + 130, kFar + 16, EventWordOf(3, 1, 2))});
    Show();
    Click(IDC_FIND_EVENT_INDEX);
    ASSERT_TRUE(WaitForList());
    DoubleClickRow(0);
    EXPECT_EQ(SeekTexts(), std::vector<std::wstring>{L"5000000016"});
}

TEST_F(FindSeek, DoubleClickOnAQuickRowSeeksToItsTimeUnit) {
    ASSERT_NO_FATAL_FAILURE(ShowTheQuickRow());
    DoubleClickRow(0);
    EXPECT_EQ(SeekTexts(), std::vector<std::wstring>{L"5000000000"});
}

TEST_F(FindSeek, QuickRowOutsideTheTimeIndexDoesNothing) {
    ASSERT_NO_FATAL_FAILURE(ShowTheQuickRow());
    fake->timeIndex.Place(3, {TimeUnit(H + 240, 300), TimeUnit(H + 360, 400)});
    DoubleClickRow(0);
    EXPECT_TRUE(mainWnd.seeks.empty());
    EXPECT_TRUE(dlg->IsWindowVisible());
}

TEST_F(FindSeek, DoubleClickBelowTheRowsDoesNothing) {
    Show();
    HWND list = ::GetDlgItem(dlg->m_hWnd, IDC_FIND_LIST);
    RECT r{};
    ::GetClientRect(list, &r);
    POINT p{20, r.bottom - 10};
    ::ClientToScreen(list, &p);
    display.Click(p);
    display.Click(p);
    Pump();
    EXPECT_TRUE(mainWnd.seeks.empty());
    EXPECT_TRUE(dlg->IsWindowVisible());
}

TEST_F(FindSeek, TimeSearchSeeksToTheUnitAtOrBeforeThePickedMinute) {
    const struct {
        uint32_t picked;
        const wchar_t* position;  // null: "Find nothing!"
    } cases[] = {
        {H, L"100"},               // the first unit
        {H + 60, L"100"},          // between two units: the earlier
        {H + 120, L"5000000000"},  // exactly a unit
        {H + 300, L"300"},         //
        {H + 360, L"400"},         // the last unit
        {H - 60, nullptr},         // before the first
        {H + 420, nullptr},        // after the last
    };
    for (const auto& c : cases) {
        mainWnd.seeks.clear();
        boxes.clear();
        Show();
        Pick(c.picked);
        Click(IDC_FIND_TIME_BUTTON);
        Pump();
        if (c.position != nullptr) {
            EXPECT_EQ(SeekTexts(), std::vector<std::wstring>{c.position}) << c.picked - H;
            EXPECT_TRUE(boxes.empty());
            EXPECT_FALSE(dlg->IsWindowVisible());
        } else {
            EXPECT_TRUE(mainWnd.seeks.empty()) << c.picked - H;
            EXPECT_EQ(boxes, std::vector<std::wstring>{L"Find nothing!"}) << c.picked - H;
            EXPECT_TRUE(dlg->IsWindowVisible());
        }
    }
}

TEST_F(FindSeek, TimeSearchWalksAWrappedRingInOrder) {
    fake->timeIndex.Place(0xFFFFF,
                          {TimeUnit(H, 100), TimeUnit(H + 120, 200), TimeUnit(H + 240, 300)});
    Show();
    Pick(H + 180);
    Click(IDC_FIND_TIME_BUTTON);
    EXPECT_EQ(SeekTexts(), std::vector<std::wstring>{L"200"});
}

TEST_F(FindSeek, TimeSearchWithoutAnIndexFindsNothing) {
    fake->timeIndex.header.reset();
    Show();
    Pick(H);
    Click(IDC_FIND_TIME_BUTTON);
    EXPECT_TRUE(mainWnd.seeks.empty());
    EXPECT_EQ(boxes, std::vector<std::wstring>{L"Find nothing!"});
}

}  // namespace
