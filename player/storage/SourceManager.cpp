#include "player/storage/SourceManager.h"

#include <mutex>
#include <utility>

#include "platform/base/Event.h"
#include "platform/base/Thread.h"
#include "player/disk/TimeIndexRebuild.h"
#include "player/errors/DeferringLock.h"
#include "player/errors/ErrorSink.h"

namespace {

constexpr DWORD kThreadEndWaitMs = 500;
constexpr uint32_t kNoTime = ~uint32_t(0);

void WaitAndClose(HANDLE* thread) {
    if (*thread == nullptr)
        return;
    WaitForSingleObject(*thread, kThreadEndWaitMs);
    CloseHandle(*thread);
    *thread = nullptr;
}

}  // namespace

CSourceManager::~CSourceManager() {
    EndStorageThreads();
    EndExtraction(kThreadEndWaitMs);
}

int CSourceManager::Open(int type, const char* dataPath, const char* indexPath) {
    DeferringLock lock(m_lock);
    if (m_type != OPENED_NONE)
        return -1;
    switch (type) {
        case OPENED_FILE_PAIR:
            return OpenFilePair(dataPath, indexPath);
        case OPENED_DISK:
        case OPENED_CARD:
            return StartStorageThread(type);
        case OPENED_REBUILD_REQUEST:
        case OPENED_REBUILD:
            if (RebuildRunning()) {
                lock.unlock();
                ReportSource(OPENED_REBUILD, nullptr, SOURCE_REBUILD_BUSY);
                return -1;
            }
            return StartStorageThread(OPENED_REBUILD);
        default:
            return -1;
    }
}

int CSourceManager::OpenFilePair(const char* dataPath, const char* indexPath) {
    if (m_fileReader.Open(dataPath, indexPath) != 0)
        return -1;
    m_type = OPENED_FILE_PAIR;
    return 0;
}

int CSourceManager::StartStorageThread(int type) {
    const uint64_t session = m_session;
    HANDLE stop = CreateEvent(true, false);
    auto rebuild = type == OPENED_REBUILD ? std::make_shared<RebuildRun>() : nullptr;
    HANDLE thread = rebuild != nullptr
                        ? StartRebuildThread(rebuild)
                        : CreateThread([=, this] { OpenDiskThread(type, session, stop); });
    if (thread == nullptr) {
        CloseHandle(stop);
        return -1;
    }
    m_stopEvent = stop;
    m_openThread = thread;
    if (rebuild != nullptr)
        m_rebuild = std::move(rebuild);
    m_type = type;
    return 0;
}

// The rebuild thread gets all it uses (its run and the source callback) when
// it starts and never touches the manager, so that one outliving the wait
// of a close or of the manager's end harms nothing.
HANDLE CSourceManager::StartRebuildThread(std::shared_ptr<RebuildRun> run) {
    const zSourceCallback callback = m_sourceCallback.load();
    return CreateThread([run, callback] {
        const zSourceStatus end = RunTimeIndexRebuild(callback, run->stop);
        if (callback != nullptr)
            callback(OPENED_REBUILD, nullptr, end);
        run->running = false;
    });
}

// With m_lock held.
bool CSourceManager::RebuildRunning() const {
    return m_rebuild != nullptr && m_rebuild->running.load();
}

int CSourceManager::Close() {
    DeferringLock lock(m_lock);
    const int type = m_type;
    if (type == OPENED_NONE) {
        lock.unlock();
        ReportError(ERR_CLOSE_NO_SOURCE);
        return -1;
    }
    if (type == OPENED_FILE_PAIR) {
        const int result = m_fileReader.Close();
        m_type = OPENED_NONE;
        return result;
    }
    if (!IsDevice(type) && type != OPENED_REBUILD) {
        lock.unlock();
        ReportError(ERR_CLOSE_UNKNOWN_TYPE);
        return -1;
    }
    lock.unlock();
    EndStorageThreads();
    lock.lock();
    m_diskReader.reset();  // closes the device
    m_cardReader.reset();
    m_type = OPENED_NONE;
    return 0;
}

bool CSourceManager::EndSource() {
    if (TellType() != OPENED_NONE)
        Close();
    DeferringLock lock(m_lock);
    return !RebuildRunning();
}

// Ends the session so that no storage thread touches a device again, then
// waits for the threads outside the lock: they take it for every device call.
void CSourceManager::EndStorageThreads() {
    HANDLE openThread, watchThread, stop;
    {
        DeferringLock lock(m_lock);
        ++m_session;
        if (m_rebuild != nullptr)
            m_rebuild->stop = true;
        openThread = std::exchange(m_openThread, nullptr);
        watchThread = std::exchange(m_watchThread, nullptr);
        stop = std::exchange(m_stopEvent, nullptr);
    }
    if (stop != nullptr)
        SetEvent(stop);
    WaitAndClose(&openThread);
    WaitAndClose(&watchThread);
    if (stop != nullptr)
        CloseHandle(stop);
}

void CSourceManager::ReportSource(int kind, const char* name, int status) const {
    zSourceCallback callback = m_sourceCallback.load();
    if (callback != nullptr)
        callback(kind, name, status);
}

template <typename Op, typename Result>
Result CSourceManager::OnReader(Op op, Result otherwise) {
    DeferringLock lock(m_lock);
    return m_type == OPENED_FILE_PAIR ? op(m_fileReader) : OnDeviceReader(op, otherwise);
}

template <typename Op, typename Result>
Result CSourceManager::OnDeviceReader(Op op, Result otherwise) {
    DeferringLock lock(m_lock);
    if (m_type == OPENED_DISK && m_diskReader != nullptr)
        return op(*m_diskReader);
    if (m_type == OPENED_CARD && m_cardReader != nullptr)
        return op(*m_cardReader);
    return otherwise;
}

bool CSourceManager::HasReader() const {
    return m_type == OPENED_FILE_PAIR || (m_type == OPENED_DISK && m_diskReader != nullptr) ||
           (m_type == OPENED_CARD && m_cardReader != nullptr);
}

// A disk or card source answers as a reader that is not open until its
// device was found and opened; no other type has a reader.
GopReadResult CSourceManager::NoReaderResult() const {
    return IsDevice(m_type) ? GopReadResult::NotOpen : GopReadResult::Failed;
}

int CSourceManager::TellScreenNum() {
    return OnReader([](auto& r) { return r.TellScreenNum(); }, -1);
}

int CSourceManager::TellGopVersion() {
    return OnReader([](auto& r) { return r.TellGopVersion(); }, -1);
}

int CSourceManager::TellCarId(char* carId) {
    return OnReader([carId](auto& r) { return r.TellCarId(carId); }, -1);
}

int CSourceManager::Seek(uint64_t position) {
    DeferringLock lock(m_lock);
    if (HasReader())
        return OnReader([=](auto& r) { return r.Seek(position); }, -1);
    switch (m_type) {
        case OPENED_NONE:
            ReportError(ERR_SOURCE_SEEK_NO_SOURCE);
            return -1;
        case OPENED_DISK:
            ReportError(ERR_DISK_SEEK_FAILED);
            return -1;
        case OPENED_CARD:
            ReportError(ERR_CARD_SEEK_FAILED);
            return -1;
        default:
            ReportError(ERR_SOURCE_SEEK_TYPE);
            return -1;
    }
}

GopReadResult CSourceManager::ReadGop(uint8_t* buffer, int* length) {
    return OnReader([=](auto& r) { return r.ReadGop(buffer, length); }, NoReaderResult());
}

GopReadResult CSourceManager::ReadGopBack(uint8_t* buffer, int* length) {
    return OnReader([=](auto& r) { return r.ReadGopBack(buffer, length); }, NoReaderResult());
}

GopReadResult CSourceManager::SkipGop(int n, uint8_t* buffer, int* length) {
    return OnReader([=](auto& r) { return r.SkipGop(n, buffer, length); }, NoReaderResult());
}

GopReadResult CSourceManager::SkipGopBack(int n, uint8_t* buffer, int* length) {
    return OnReader([=](auto& r) { return r.SkipGopBack(n, buffer, length); }, NoReaderResult());
}

uint64_t CSourceManager::TellTotalLen() {
    return OnReader([](auto& r) { return uint64_t(r.TellTotalLen()); }, kNoPosition);
}

uint64_t CSourceManager::Tellp() {
    return OnReader([](auto& r) { return uint64_t(r.Tellp()); }, kNoPosition);
}

uint32_t CSourceManager::TellBegTime() {
    return OnReader([](auto& r) { return uint32_t(r.TellBegTime()); }, kNoTime);
}

uint32_t CSourceManager::TellEndTime() {
    return OnReader([](auto& r) { return uint32_t(r.TellEndTime()); }, kNoTime);
}

bool CSourceManager::ReadTimeInxHd(InxHd* header) {
    return OnReader([header](auto& r) { return r.ReadTimeInxHd(header); }, false);
}

bool CSourceManager::ReadTimeInxUnit(int index, InxUnit* unit) {
    return OnReader([=](auto& r) { return r.ReadTimeInxUnit(index, unit); }, false);
}

bool CSourceManager::ReadEvtInxHd(InxHd* header) {
    return OnDeviceReader([header](auto& r) { return r.ReadEvtInxHd(header); }, false);
}

bool CSourceManager::ReadEvtInxUnit(int index, InxUnit* unit) {
    return OnDeviceReader([=](auto& r) { return r.ReadEvtInxUnit(index, unit); }, false);
}

bool CSourceManager::ReadQuickInxHd(QuickInxHd* header) {
    return OnDeviceReader([header](auto& r) { return r.ReadQuickInxHd(header); }, false);
}

bool CSourceManager::ReadQuickInxUnit(int index, QuickInxUnit* unit) {
    return OnDeviceReader([=](auto& r) { return r.ReadQuickInxUnit(index, unit); }, false);
}
