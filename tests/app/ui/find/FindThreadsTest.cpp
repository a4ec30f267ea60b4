// The find dialog's list thread: one at a time, undone choice clicks, and
// a bounded wait for a thread that is stuck when the dialog goes.
#include <chrono>
#include <thread>

#include "app/res/ResourceIds.h"
#include "platform/base/Thread.h"
#include "tests/app/ui/find/FindFixture.h"

namespace {

using namespace findtest;

constexpr uint32_t H = 1699999200;  // 2023/11/14 22:00:00

class FindThreads : public FindDialog {
protected:
    FindThreads() {
        fake->openedType = OPENED_DISK;
        std::vector<InxUnit> units;
        for (uint32_t i = 0; i < 5; ++i)
            units.push_back(TimeUnit(H + 3600 * i, 10 + i));
        fake->timeIndex.Place(1, units);
        QuickFields fast, slow;
        fast.timeEntry = 2;
        fast.speedKmh = 120;
        slow.timeEntry = 3;
        slow.speedKmh = 30;
        fake->quickIndex.Place(1, {MakeQuickUnit(fast), MakeQuickUnit(slow)});
    }
    ~FindThreads() override {
        fake->HoldIndexReads(false);
        if (opener.joinable())
            opener.join();
    }

    // Opens the gate once the UI thread waits for a list thread to end.
    void OpenGateWhenWaitedFor() {
        opener = std::thread([this] {
            clock->WaitForSleepers(1);
            fake->HoldIndexReads(false);
        });
    }

    // Starts the list with its thread held at the gate.
    void PrepareHeld() {
        fake->HoldIndexReads(true);
        Prepare();
        ASSERT_TRUE(fake->WaitForHeldIndexRead());
        ASSERT_TRUE(dlg->IsListRunning());
    }

    std::thread opener;
};

TEST_F(FindThreads, ClickOnAnotherChoiceWhileLoadingIsUndone) {
    PrepareHeld();
    Click(IDC_FIND_EVENT_INDEX);
    EXPECT_TRUE(Checked(IDC_FIND_TIME_INDEX));
    EXPECT_FALSE(Checked(IDC_FIND_EVENT_INDEX));
    EXPECT_EQ(dlg->GetCurrentChoice(), IDC_FIND_TIME_INDEX);
    EXPECT_EQ(Text(IDC_FIND_STATUS), L"loading data,please wait...");

    fake->HoldIndexReads(false);
    ASSERT_TRUE(WaitForList());
    EXPECT_EQ(Rows().size(), 5u) << "the time list, untouched";
    EXPECT_EQ(Text(IDC_FIND_STATUS), L"");

    // Once loaded, a choice is taken.
    Click(IDC_FIND_QUICK_INDEX);
    ASSERT_TRUE(WaitForList());
    EXPECT_EQ(dlg->GetCurrentChoice(), IDC_FIND_QUICK_INDEX);
    EXPECT_TRUE(Checked(IDC_FIND_QUICK_INDEX));
    EXPECT_FALSE(Checked(IDC_FIND_TIME_INDEX));
    // Showing again restarts the choice that was taken.
    Show();
    EXPECT_TRUE(Checked(IDC_FIND_QUICK_INDEX));
    EXPECT_EQ(Headings().size(), 8u);
}

TEST_F(FindThreads, PreparingWhileLoadingEndsTheOldListFirst) {
    PrepareHeld();
    OpenGateWhenWaitedFor();
    Prepare();
    ASSERT_TRUE(WaitForList());
    EXPECT_EQ(fake->MostIndexReadersInside(), 1) << "never two list threads at once";
    EXPECT_EQ(Rows().size(), 5u) << "one list, not two";
}

TEST_F(FindThreads, NewSearchWhileOneLoadsReplacesIt) {
    Show();
    Click(IDC_FIND_QUICK_INDEX);
    ASSERT_TRUE(WaitForList());
    fake->HoldIndexReads(true);
    SetText(IDC_FIND_SPEED_EDIT, L"0");
    Click(IDC_FIND_SPEED_BUTTON);
    ASSERT_TRUE(fake->WaitForHeldIndexRead());
    OpenGateWhenWaitedFor();
    SetText(IDC_FIND_SPEED_EDIT, L"100");
    Click(IDC_FIND_SPEED_BUTTON);
    ASSERT_TRUE(WaitForList());
    EXPECT_EQ(fake->MostIndexReadersInside(), 1);
    const Table rows = Rows();
    ASSERT_EQ(rows.size(), 1u) << "only the second search's rows";
    EXPECT_EQ(rows[0][0], L"2");
}

TEST_F(FindThreads, EscapeWhileLoadingStopsTheList) {
    PrepareHeld();
    OpenGateWhenWaitedFor();
    dlg->SendMessage(WM_COMMAND, IDCANCEL);
    EXPECT_FALSE(dlg->IsWindowVisible());
    EXPECT_FALSE(dlg->IsListRunning());
    EXPECT_EQ(Text(IDC_FIND_STATUS), L"");
}

TEST_F(FindThreads, AListThatCannotStartEndsAtOnce) {
    FailNextThreadStarts(1);
    Prepare();
    EXPECT_FALSE(dlg->IsListRunning());
    EXPECT_EQ(Text(IDC_FIND_STATUS), L"");
    EXPECT_TRUE(Rows().empty());
    Click(IDC_FIND_QUICK_INDEX);
    EXPECT_EQ(dlg->GetCurrentChoice(), IDC_FIND_QUICK_INDEX) << "choices still work";
}

TEST_F(FindThreads, DestroyingWaitsABoundedTimeForAStuckThread) {
    PrepareHeld();
    opener = std::thread([this] {
        clock->WaitForSleepers(1);
        clock->Advance(CFindListWorker::kStopWaitMs);
    });
    dlg->DestroyWindow();
    dlg.reset();
    opener.join();
    EXPECT_EQ(fake->IndexReadersInside(), 1) << "the thread is still held";

    // Let go, the thread ends on its own without a window to deliver to.
    fake->HoldIndexReads(false);
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
    while (fake->IndexReadersInside() != 0 && std::chrono::steady_clock::now() < deadline)
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    EXPECT_EQ(fake->IndexReadersInside(), 0);
    Pump();
}

}  // namespace
