// The read thread: fills the GOP queue from the source, at most three GOPs
// ahead of the playback thread.
#include <algorithm>
#include <memory>

#include "platform/base/Clock.h"
#include "platform/base/Event.h"
#include "player/core/GopRecord.h"
#include "player/core/Player.h"
#include "player/core/WaitedByStop.h"
#include "player/errors/DeferringLock.h"

namespace {

constexpr DWORD kNeedDataWaitMs = 5000;
constexpr DWORD kReadErrorBackOffMs = 100;
constexpr DWORD kEndWaitMs = 100;
constexpr int kJumpGops = 20;
constexpr int kFirstSkippingSpeed = 16;

}  // namespace

void CPlayer::ReadThread() {
    const CWaitedByStop readThread;
    auto buffer = std::make_unique_for_overwrite<uint8_t[]>(kGopBufferSize);
    auto info = std::make_unique<GopInfo>();
    while (m_readRun) {
        WaitForSingleObject(m_needDataEvent, kNeedDataWaitMs);
        if (!m_readRun)
            break;
        if (ReadAndQueue(buffer.get(), info.get()) == GopReadResult::Failed) {
            ReportMessage(MSG_READ_ERROR, 0);
            Sleep(kReadErrorBackOffMs);  // need data stays set: read again
        }
    }
    Sleep(kEndWaitMs);
}

// One read and what it gives, under the read gate.
GopReadResult CPlayer::ReadAndQueue(uint8_t* buffer, GopInfo* info) {
    DeferringLock gate(m_readGate);
    if (m_queue.IsFull()) {
        SetEvent(m_dataReadyEvent);
        ResetEvent(m_needDataEvent);
        return GopReadResult::NotOpen;
    }
    const int64_t before = int64_t(m_source.Tellp());
    int length = kGopBufferSize;
    const int jump = m_jumpMode.exchange(0);
    const GopReadResult result = ReadNext(jump, buffer, &length);
    if (result == GopReadResult::Read)
        ContinueAfterJump(jump, length);
    const int64_t after = int64_t(m_source.Tellp());
    switch (result) {
        case GopReadResult::Read:
            OnGopRead(buffer, length, before, after, info);
            break;
        case GopReadResult::End:
            m_queue.MarkEnd(kSlotEndOfData);
            // The playback thread asks again once it has moved on; reading
            // on at the end would only spin.
            ResetEvent(m_needDataEvent);
            break;
        case GopReadResult::Failed:
            break;
        default:  // start of data backward, or no reader
            ResetEvent(m_needDataEvent);
            break;
    }
    return result;
}

// Jumps pass 20 GOPs; fast play from speed 16 passes speed/8 - 1 GOPs per read.
GopReadResult CPlayer::ReadNext(int jump, uint8_t* buffer, int* length) {
    const bool forward = m_forward;
    const int speed = m_speed;
    if (jump == 1)
        return m_source.SkipGopBack(kJumpGops, buffer, length);
    if (jump == 2)
        return m_source.SkipGop(kJumpGops, buffer, length);
    if (speed < kFirstSkippingSpeed)
        return forward ? m_source.ReadGop(buffer, length) : m_source.ReadGopBack(buffer, length);
    const int skip = speed / 8 - 1;
    return forward ? m_source.SkipGop(skip, buffer, length)
                   : m_source.SkipGopBack(skip, buffer, length);
}

// A jump against the direction of play leaves the reader on the wrong side
// of the GOP it read, and the next read would return that GOP again: move
// past it. A jump code other than 1 or 2 reads as no jump.
void CPlayer::ContinueAfterJump(int jump, int length) {
    const uint64_t position = m_source.Tellp();
    if (jump == 1 && m_forward)
        m_source.Seek(position + uint64_t(length));
    if (jump == 2 && !m_forward && position >= uint64_t(length))
        m_source.Seek(position - uint64_t(length));
}

// Queues a GOP that parses; one that does not is dropped.
void CPlayer::OnGopRead(uint8_t* buffer, int length, int64_t before, int64_t after, GopInfo* info) {
    ResetGopRecord(info, nullptr);
    if (m_parser.Parse(buffer, uint32_t(std::max(length, 0)), info, false) >= 0)
        m_queue.Push(buffer, length, before, after);
    if (m_queue.IsFull()) {
        SetEvent(m_dataReadyEvent);
        ResetEvent(m_needDataEvent);
    }
}
