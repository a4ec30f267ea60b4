// The device threads of the source manager: detection and watch of a disk or
// card source, and the index rebuild.
#include <filesystem>
#include <mutex>
#include <string>

#include "platform/base/Thread.h"
#include "player/storage/SourceManager.h"

namespace {

constexpr DWORD kPollMs = 250;
constexpr const char* kTimeIndexName = "timeindex";

// True when the session's stop event is set or gone: the thread must end.
bool Stopped(HANDLE stop, DWORD waitMs) {
    return WaitForSingleObject(stop, waitMs) != WAIT_TIMEOUT;
}

void CopyReplacing(const std::string& from, const std::string& to) {
    std::error_code ignored;  // the copies are best effort, as on the recorder's own tools
    std::filesystem::copy_file(from, to, std::filesystem::copy_options::overwrite_existing,
                               ignored);
}

}  // namespace

void CSourceManager::OpenDiskThread(int kind, uint64_t session, HANDLE stop) {
    CDataSource paths;
    while (!m_devices.Detect(kind, &paths))
        if (Stopped(stop, kPollMs))
            return;
    std::unique_lock lock(m_lock);
    if (!IsCurrent(session))
        return;
    const bool opened = OpenDetected(kind, session, stop, paths);
    lock.unlock();
    ReportSource(kind, paths.DataFile, opened ? SOURCE_OPENED : SOURCE_OPEN_FAILED);
}

// With m_lock held: opens the device and starts its watch; a watch that
// cannot start closes the device again.
bool CSourceManager::OpenDetected(int kind, uint64_t session, HANDLE stop,
                                  const CDataSource& paths) {
    if (!m_devices.Open(kind, paths))
        return false;
    m_watchThread = CreateThread([=, this] { WatchDiskThread(kind, session, stop); });
    if (m_watchThread == nullptr) {
        m_devices.Close(kind);
        return false;
    }
    m_devicePaths = paths;
    return true;
}

void CSourceManager::WatchDiskThread(int kind, uint64_t session, HANDLE stop) {
    do {
        std::unique_lock lock(m_lock);
        if (!IsCurrent(session))
            return;
        const bool present = m_devices.IsPresent(kind);
        lock.unlock();
        if (!present) {
            ReportSource(kind, nullptr, SOURCE_REMOVED);
            return;
        }
    } while (!Stopped(stop, kPollMs));
}

// Works on a reader of the device layer's own, never on the manager's, so a
// close during the rebuild leaves it running; it copies the rebuilt index
// over the disk's only when the rebuild reported its end.
void CSourceManager::RebuildIndexThread() {
    CDataSource paths;
    if (!m_devices.Detect(OPENED_DISK, &paths)) {
        ReportSource(OPENED_REBUILD, nullptr, SOURCE_DISK_NOT_FOUND);
        return;
    }
    const std::string timeIndex = paths.TimeIndexFile;
    CopyReplacing(timeIndex, timeIndex + ".bak");
    std::error_code error;
    const std::string current = (std::filesystem::current_path(error) / kTimeIndexName).string();
    if (m_devices.RebuildTimeIndex(paths, current.c_str(), m_sourceCallback.load()))
        CopyReplacing(current, timeIndex);
}
