// CGopQueue carries whole GOPs from the read thread to the playback thread: a
// ring of three GopBuffer slots under one lock. The read thread pushes a GOP
// (or an end-of-data marker) while a slot is free; the playback thread takes
// the oldest slot, works on it in place without the lock, and then consumes
// it (done) or releases it (kept, a paused step shows its next frame later).
//
// The slot handed out by Oldest is pinned until Consume or Release: a flush
// (seek, speed change) empties the queue around it, but no push writes into
// it, and the Consume that follows a flush does not consume the GOP the read
// thread pushed after the flush, which the playback thread has not seen.
//
// Threads: Reset, Push, MarkEnd and IsFull on the read thread; Oldest,
// Consume, Release, IsEmpty and WaitUntilNotEmpty on the playback thread;
// Flush on the command and playback threads; IsPinStale on any thread;
// FreeBuffers once both threads have ended. Each operation takes the lock
// for its whole run (WaitUntilNotEmpty lets it go while it waits).
#pragma once

#include <condition_variable>
#include <cstdint>
#include <mutex>

#include "platform/base/WinTypes.h"
#include "player/queue/GopBuffer.h"

class CGopQueue {
public:
    static constexpr int kSlots = 3;

    CGopQueue();
    ~CGopQueue();
    CGopQueue(const CGopQueue&) = delete;
    CGopQueue& operator=(const CGopQueue&) = delete;

    // Empties the queue and gives every slot without a buffer a new one; a
    // slot keeps the buffer it has (a start that failed after a reset is
    // followed by another reset without a FreeBuffers between them).
    void Reset();
    void FreeBuffers();

    // Empties the queue; buffers stay. A pinned slot stays pinned.
    void Flush();

    // Slots taken (GOPs and end markers).
    int Count() const;
    bool IsEmpty() const;
    // True when a push would be refused: three slots are taken, or the slot
    // the next push would take is still pinned by the playback thread.
    bool IsFull() const;

    // Copies `length` bytes of `data` into the next slot (or into the newest
    // slot when it holds an end marker) as a GOP. False, storing nothing,
    // when IsFull or the length does not fit a slot; true when stored.
    bool Push(const uint8_t* data, int length, int64_t positionBefore, int64_t positionAfter);

    // Queues an end marker (1, 2 or 3) after the newest slot. True when a
    // marker was added after a GOP; false for a bad marker, a full queue, a
    // newest slot that already holds a marker, and for an empty queue (the
    // marker then takes the first slot).
    bool MarkEnd(int marker);

    // The oldest taken slot, pinned; null when the queue is empty. The
    // caller reads the slot without the lock until Consume or Release, all
    // but its state, which a flush may change meanwhile: `state` (when not
    // null) gets it as it was when the slot was handed out.
    GopBuffer* Oldest(int* state = nullptr);
    // Frees the oldest slot: consumed when it held a GOP, empty when a marker;
    // unpins. When a flush came after Oldest, only unpins (the oldest slot now
    // is a GOP the caller has not seen). False when nothing was freed.
    bool Consume();
    // Unpins the slot handed out by Oldest and keeps it queued.
    void Release();
    // True when a flush came after Oldest pinned its slot: the GOP in it is
    // no longer queued (any thread).
    bool IsPinStale() const;

    // Waits, at most `ms` on the injectable clock, until a slot is taken (a
    // GOP or an end marker). True when one is.
    bool WaitUntilNotEmpty(DWORD ms);

    // The slot at `index` (tests and diagnostics).
    const GopBuffer& Slot(int index) const { return m_slots[index]; }
    int ReadIndex() const;
    int WriteIndex() const;

private:
    int CountLocked() const;
    bool IsFullLocked() const;
    int NextSlotLocked() const;
    bool IsPinnedLocked(int index) const { return m_pinned == index; }
    bool IsPinStaleLocked() const { return m_pinned >= 0 && m_pinnedAt != m_flushes; }

    mutable std::mutex m_lock;
    std::condition_variable m_taken;  // a push or a marker took a slot
    // All below guarded by m_lock.
    GopBuffer m_slots[kSlots];
    int m_readIndex = 0;
    int m_writeIndex = 0;
    int m_pinned = -1;        // slot handed out by Oldest, -1 none
    uint64_t m_flushes = 0;   // counts flushes, to tell a stale pin
    uint64_t m_pinnedAt = 0;  // m_flushes when the pin was taken
};
