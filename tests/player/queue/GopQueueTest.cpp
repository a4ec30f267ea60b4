#include "player/queue/GopQueue.h"

#include <gtest/gtest.h>

#include <thread>
#include <vector>

#include "platform/base/FakeClock.h"

namespace {

class GopQueueTest : public ::testing::Test {
protected:
    void SetUp() override { queue.Reset(); }

    // Pushes a GOP whose first byte and positions are `tag`.
    bool Push(uint8_t tag) {
        std::vector<uint8_t> gop(600, tag);
        return queue.Push(gop.data(), int(gop.size()), tag, tag + 1);
    }
    int OldestTag() {
        GopBuffer* slot = queue.Oldest();
        return slot == nullptr ? -1 : slot->data[0];
    }

    CGopQueue queue;
};

TEST_F(GopQueueTest, PushIntoAnEmptyQueueLandsInSlotZero) {
    ASSERT_TRUE(Push(1));
    ASSERT_TRUE(Push(2));
    ASSERT_EQ(OldestTag(), 1);
    queue.Consume();
    ASSERT_EQ(OldestTag(), 2);
    queue.Consume();  // empty now, indexes at 1
    EXPECT_EQ(queue.ReadIndex(), 2);
    ASSERT_TRUE(Push(3));
    EXPECT_EQ(queue.ReadIndex(), 0);
    EXPECT_EQ(queue.WriteIndex(), 0);
    EXPECT_EQ(queue.Slot(0).data[0], 3);
    EXPECT_EQ(queue.Slot(0).positionBefore, 3);
    EXPECT_EQ(queue.Slot(0).positionAfter, 4);
    EXPECT_EQ(queue.Slot(0).length, 600);
}

TEST_F(GopQueueTest, ThreePushesFillTheQueueAndAFourthStoresNothing) {
    EXPECT_TRUE(Push(1));
    EXPECT_TRUE(Push(2));
    EXPECT_FALSE(queue.IsFull());
    EXPECT_TRUE(Push(3));
    EXPECT_TRUE(queue.IsFull());
    EXPECT_FALSE(Push(4));
    EXPECT_EQ(queue.Count(), 3);
    for (int tag = 1; tag <= 3; ++tag) {
        EXPECT_EQ(OldestTag(), tag);
        EXPECT_TRUE(queue.Consume());
    }
    EXPECT_TRUE(queue.IsEmpty());
    EXPECT_EQ(queue.Oldest(), nullptr);
    EXPECT_FALSE(queue.Consume());
}

TEST_F(GopQueueTest, MarkingTheEndTwiceQueuesOneMarker) {
    Push(1);
    EXPECT_TRUE(queue.MarkEnd(kSlotEndOfData));
    EXPECT_FALSE(queue.MarkEnd(kSlotEndOfData));
    EXPECT_EQ(queue.Count(), 2);
    EXPECT_FALSE(queue.MarkEnd(0));
    EXPECT_FALSE(queue.MarkEnd(4));
}

TEST_F(GopQueueTest, MarkOnAnEmptyQueueTakesSlotZero) {
    EXPECT_FALSE(queue.MarkEnd(kSlotEndOfData));
    EXPECT_EQ(queue.Count(), 1);
    GopBuffer* oldest = queue.Oldest();
    ASSERT_NE(oldest, nullptr);
    EXPECT_EQ(oldest, &queue.Slot(0));
    EXPECT_EQ(oldest->state, kSlotEndOfData);
}

TEST_F(GopQueueTest, PushAfterAMarkReusesTheMarkersSlot) {
    Push(1);
    queue.MarkEnd(kSlotEndOfData);
    ASSERT_TRUE(Push(2));
    EXPECT_EQ(queue.Count(), 2);
    EXPECT_EQ(queue.Slot(1).state, kSlotGop);
    EXPECT_EQ(queue.Slot(1).data[0], 2);
}

TEST_F(GopQueueTest, MarkersCountAsTakenButConsumeToEmpty) {
    Push(1);
    Push(2);
    queue.MarkEnd(kSlotEndOfData);
    EXPECT_EQ(queue.Count(), 3);
    EXPECT_TRUE(queue.IsFull());  // no push is taken
    queue.Oldest();
    queue.Consume();
    EXPECT_EQ(queue.Slot(0).state, kSlotConsumed);
    queue.Oldest();
    queue.Consume();
    EXPECT_EQ(queue.Oldest()->state, kSlotEndOfData);
    queue.Consume();
    EXPECT_EQ(queue.Slot(2).state, kSlotEmpty);
}

TEST_F(GopQueueTest, FlushEmptiesButKeepsTheBuffers) {
    Push(1);
    Push(2);
    queue.Flush();
    EXPECT_TRUE(queue.IsEmpty());
    EXPECT_NE(queue.Slot(0).data, nullptr);
    EXPECT_EQ(queue.Slot(0).state, kSlotEmpty);
}

// The playback thread holds the oldest slot while a seek flushes the queue
// and the read thread pushes the first GOP read at the new position.
TEST_F(GopQueueTest, FlushNeverLetsAPushOverwriteThePinnedSlot) {
    Push(1);
    GopBuffer* shown = queue.Oldest();
    ASSERT_EQ(shown, &queue.Slot(0));
    queue.Flush();
    ASSERT_TRUE(Push(7));
    ASSERT_TRUE(Push(8));
    EXPECT_TRUE(queue.IsFull());  // the third slot is still pinned
    EXPECT_FALSE(Push(9));
    EXPECT_EQ(shown->data[0], 1);  // what the playback thread reads is intact
}

TEST_F(GopQueueTest, ConsumeAfterAFlushKeepsTheFirstGopPushedAfterIt) {
    Push(1);
    Push(2);
    queue.Oldest();
    queue.Flush();
    Push(7);
    EXPECT_FALSE(queue.Consume());  // the pin was stale: nothing consumed
    EXPECT_EQ(queue.Count(), 1);
    EXPECT_EQ(OldestTag(), 7);
    EXPECT_TRUE(queue.Consume());
    EXPECT_TRUE(queue.IsEmpty());
}

// The state comes with the slot, taken under the lock: a flush that follows
// changes the slot's state but not what the caller was given.
TEST_F(GopQueueTest, OldestGivesTheStateTheSlotHadWhenHandedOut) {
    for (const bool marker : {true, false}) {
        if (marker)
            queue.MarkEnd(kSlotEndOfData);
        else
            Push(1);
        int state = kSlotEmpty;
        GopBuffer* slot = queue.Oldest(&state);
        ASSERT_NE(slot, nullptr);
        queue.Flush();
        EXPECT_EQ(state, marker ? kSlotEndOfData : kSlotGop);
        EXPECT_EQ(slot->state, kSlotEmpty);
        queue.Release();
    }
}

TEST_F(GopQueueTest, ReleaseKeepsTheSlotQueued) {
    Push(1);
    Push(2);
    ASSERT_EQ(OldestTag(), 1);
    queue.Release();
    EXPECT_EQ(queue.Count(), 2);
    EXPECT_EQ(OldestTag(), 1);
}

TEST_F(GopQueueTest, ReleasingAStalePinFreesItsSlotForPushes) {
    Push(1);
    queue.Oldest();
    queue.Flush();
    Push(7);
    Push(8);
    EXPECT_TRUE(queue.IsFull());
    queue.Release();
    EXPECT_FALSE(queue.IsFull());
    EXPECT_TRUE(Push(9));
    EXPECT_EQ(queue.Count(), 3);
}

// The pinned GOP goes stale only with a flush after it was handed out.
TEST_F(GopQueueTest, APinGoesStaleWithAFlushAfterIt) {
    Push(1);
    Push(2);
    EXPECT_FALSE(queue.IsPinStale());  // nothing pinned
    queue.Flush();
    Push(3);
    ASSERT_EQ(OldestTag(), 3);
    EXPECT_FALSE(queue.IsPinStale());  // the flush came before
    queue.Flush();
    EXPECT_TRUE(queue.IsPinStale());
    queue.Release();
    EXPECT_FALSE(queue.IsPinStale());
}

// The wait for a GOP ends with the push, on a clock that does not move, or
// at its time-out when nothing comes.
TEST_F(GopQueueTest, AWaitForAGopEndsWithThePushOrItsTime) {
    ScopedFakeClock clock(1000);
    std::thread reader([&] {
        ASSERT_TRUE(clock->WaitForSleepers(1));
        Push(1);
    });
    EXPECT_TRUE(queue.WaitUntilNotEmpty(150));
    reader.join();
    EXPECT_EQ(clock->NowMs(), 1000u);
    EXPECT_TRUE(queue.WaitUntilNotEmpty(150));  // a GOP is there: at once
    queue.Flush();
    std::thread ticker([&] {
        ASSERT_TRUE(clock->WaitForSleepers(1));
        EXPECT_EQ(clock->NextDeadline(), 1150u);
        clock->Advance(149);
        EXPECT_EQ(clock->PendingSleepers(), 1);  // still waiting, towards 1150
        clock->Advance(1);
    });
    EXPECT_FALSE(queue.WaitUntilNotEmpty(150));
    ticker.join();
    EXPECT_EQ(clock->NowMs(), 1150u);
}

TEST(GopQueueBuffers, PushWithoutBuffersStoresNothing) {
    CGopQueue queue;
    uint8_t byte = 0;
    EXPECT_FALSE(queue.Push(&byte, 1, 0, 0));
    queue.Reset();
    queue.FreeBuffers();
    EXPECT_EQ(queue.Slot(0).data, nullptr);
    EXPECT_FALSE(queue.Push(&byte, 1, 0, 0));
}

}  // namespace

namespace {

// A start that fails after the reset leaves the buffers for the next one:
// the second reset empties the queue and keeps them, allocating nothing.
TEST(GopQueueBuffers, ASecondResetKeepsTheBuffersItHas) {
    CGopQueue queue;
    queue.Reset();
    std::vector<uint8_t*> buffers;
    for (int i = 0; i < CGopQueue::kSlots; ++i) {
        buffers.push_back(queue.Slot(i).data);
        ASSERT_NE(buffers.back(), nullptr);
        const uint8_t tag = uint8_t(i + 1);
        ASSERT_TRUE(queue.Push(&tag, 1, i, i + 1));
    }
    queue.Reset();
    EXPECT_TRUE(queue.IsEmpty());
    EXPECT_EQ(queue.ReadIndex(), 0);
    EXPECT_EQ(queue.WriteIndex(), 0);
    for (int i = 0; i < CGopQueue::kSlots; ++i) {
        EXPECT_EQ(queue.Slot(i).data, buffers[size_t(i)]) << "slot " << i;
        EXPECT_EQ(queue.Slot(i).state, kSlotEmpty);
        EXPECT_EQ(queue.Slot(i).length, 0);
    }
    queue.FreeBuffers();
    queue.Reset();  // after a free, new buffers again
    EXPECT_NE(queue.Slot(0).data, nullptr);
}

}  // namespace
