// The device threads of the source manager: detection, opening and watch of
// a disk or card source.
#include <mutex>

#include "platform/base/Thread.h"
#include "player/errors/DeferringLock.h"
#include "player/storage/SourceManager.h"

namespace {

constexpr DWORD kPollMs = 250;

// True when the session's stop event is set or gone: the thread must end.
bool Stopped(HANDLE stop, DWORD waitMs) {
    return WaitForSingleObject(stop, waitMs) != WAIT_TIMEOUT;
}

}  // namespace

void CSourceManager::OpenDiskThread(int kind, uint64_t session, HANDLE stop) {
    if (kind == OPENED_DISK)
        FindAndOpen(kind, session, stop, &m_diskReader);
    else
        FindAndOpen(kind, session, stop, &m_cardReader);
}

// Detects and opens on a reader nobody else knows yet, without the lock (an
// open may search the ring), and hands it to the manager only when the
// session is still the one that started this thread.
template <typename Reader>
void CSourceManager::FindAndOpen(int kind, uint64_t session, HANDLE stop,
                                 std::unique_ptr<Reader>* slot) {
    auto reader = std::make_unique<Reader>();
    CDataSource paths;
    while (!reader->Detect(&paths))
        if (Stopped(stop, kPollMs))
            return;
    bool opened = reader->Open(paths) == 0;
    DeferringLock lock(m_lock);
    if (!IsCurrent(session))
        return;
    opened = opened && StartWatch(kind, session, stop);
    if (opened)
        *slot = std::move(reader);
    lock.unlock();
    ReportSource(kind, paths.DataFile, opened ? SOURCE_OPENED : SOURCE_OPEN_FAILED);
}

// With m_lock held.
bool CSourceManager::StartWatch(int kind, uint64_t session, HANDLE stop) {
    m_watchThread = CreateThread([=, this] { WatchDiskThread(kind, session, stop); });
    return m_watchThread != nullptr;
}

void CSourceManager::WatchDiskThread(int kind, uint64_t session, HANDLE stop) {
    do {
        DeferringLock lock(m_lock);
        if (!IsCurrent(session))
            return;
        const bool present = DeviceIsPresent(kind);
        lock.unlock();
        if (!present) {
            ReportSource(kind, nullptr, SOURCE_REMOVED);
            return;
        }
    } while (!Stopped(stop, kPollMs));
}

// With m_lock held.
bool CSourceManager::DeviceIsPresent(int kind) const {
    if (kind == OPENED_DISK)
        return m_diskReader != nullptr && m_diskReader->IsPresent();
    return m_cardReader != nullptr && m_cardReader->IsPresent();
}
