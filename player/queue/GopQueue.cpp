#include "player/queue/GopQueue.h"

#include <cstring>

#include "platform/base/Clock.h"

CGopQueue::CGopQueue() : m_slots{} {}

CGopQueue::~CGopQueue() {
    FreeBuffers();
}

void CGopQueue::Reset() {
    std::lock_guard lock(m_lock);
    for (GopBuffer& slot : m_slots) {
        uint8_t* kept = slot.data;
        if (kept == nullptr) {
            InitGopBuffer(&slot);
            continue;
        }
        slot = GopBuffer{};
        slot.data = kept;
        slot.state = kSlotEmpty;
    }
    m_readIndex = m_writeIndex = 0;
    m_pinned = -1;
}

void CGopQueue::FreeBuffers() {
    std::lock_guard lock(m_lock);
    for (GopBuffer& slot : m_slots)
        FreeGopBuffer(&slot);
    m_pinned = -1;
}

void CGopQueue::Flush() {
    std::lock_guard lock(m_lock);
    m_readIndex = m_writeIndex = 0;
    for (GopBuffer& slot : m_slots)
        slot.state = kSlotEmpty;
    ++m_flushes;
}

int CGopQueue::CountLocked() const {
    int count = 0;
    for (const GopBuffer& slot : m_slots)
        count += slot.state >= 0 ? 1 : 0;
    return count;
}

int CGopQueue::NextSlotLocked() const {
    // After a flush the pinned slot is not taken but must not be written.
    if (CountLocked() == 0)
        return m_pinned >= 0 ? (m_pinned + 1) % kSlots : 0;
    if (IsEndMarker(m_slots[m_writeIndex].state))
        return m_writeIndex;
    return (m_writeIndex + 1) % kSlots;
}

bool CGopQueue::IsFullLocked() const {
    return CountLocked() == kSlots || IsPinnedLocked(NextSlotLocked());
}

int CGopQueue::Count() const {
    std::lock_guard lock(m_lock);
    return CountLocked();
}

bool CGopQueue::IsEmpty() const {
    return Count() == 0;
}

bool CGopQueue::IsFull() const {
    std::lock_guard lock(m_lock);
    return IsFullLocked();
}

bool CGopQueue::Push(const uint8_t* data, int length, int64_t positionBefore,
                     int64_t positionAfter) {
    std::lock_guard lock(m_lock);
    if (IsFullLocked() || length < 0 || length > kGopBufferSize)
        return false;
    const int index = NextSlotLocked();
    GopBuffer& slot = m_slots[index];
    if (slot.data == nullptr)
        return false;
    if (CountLocked() == 0)
        m_readIndex = index;
    std::memcpy(slot.data, data, size_t(length));
    slot.length = length;
    slot.state = kSlotGop;
    slot.positionBefore = positionBefore;
    slot.positionAfter = positionAfter;
    m_writeIndex = index;
    m_taken.notify_all();
    return true;
}

bool CGopQueue::MarkEnd(int marker) {
    std::lock_guard lock(m_lock);
    if (!IsEndMarker(marker) || IsFullLocked())
        return false;
    const int index = NextSlotLocked();
    if (CountLocked() == 0) {
        m_readIndex = m_writeIndex = index;
        m_slots[index].state = marker;
        m_taken.notify_all();
        return false;
    }
    if (index == m_writeIndex)
        return false;  // the newest slot already is a marker
    m_slots[index].state = marker;
    m_writeIndex = index;
    m_taken.notify_all();
    return true;
}

GopBuffer* CGopQueue::Oldest(int* state) {
    std::lock_guard lock(m_lock);
    if (CountLocked() == 0)
        return nullptr;
    m_pinned = m_readIndex;
    m_pinnedAt = m_flushes;
    if (state != nullptr)
        *state = m_slots[m_readIndex].state;
    return &m_slots[m_readIndex];
}

bool CGopQueue::Consume() {
    std::lock_guard lock(m_lock);
    const bool stale = IsPinStaleLocked();
    m_pinned = -1;
    if (stale || CountLocked() == 0)
        return false;
    GopBuffer& slot = m_slots[m_readIndex];
    slot.state = slot.state == kSlotGop ? kSlotConsumed : kSlotEmpty;
    m_readIndex = (m_readIndex + 1) % kSlots;
    return true;
}

void CGopQueue::Release() {
    std::lock_guard lock(m_lock);
    m_pinned = -1;
}

bool CGopQueue::IsPinStale() const {
    std::lock_guard lock(m_lock);
    return IsPinStaleLocked();
}

bool CGopQueue::WaitUntilNotEmpty(DWORD ms) {
    std::unique_lock lock(m_lock);
    return CurrentClock().WaitUntil(lock, m_taken, DeadlineAfter(ms),
                                    [this] { return CountLocked() > 0; });
}

int CGopQueue::ReadIndex() const {
    std::lock_guard lock(m_lock);
    return m_readIndex;
}

int CGopQueue::WriteIndex() const {
    std::lock_guard lock(m_lock);
    return m_writeIndex;
}
