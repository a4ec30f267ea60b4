// The extraction thread of the source manager.
#include <memory>
#include <mutex>

#include "platform/base/Thread.h"
#include "player/errors/DeferringLock.h"
#include "player/storage/SourceManager.h"

int CSourceManager::StartExtract(uint64_t from, uint64_t to, ExtractCallback callback) {
    DeferringLock lock(m_lock);
    if (!callback || IsExtracting())
        return -1;
    // The second reader is built here, under the lock, from the open one's
    // paths (and partition or areas): the open reader is never shared. A disk
    // or card not found yet gives a reader that cannot open (code -1).
    switch (m_type) {
        case OPENED_FILE_PAIR:
            return StartExtractWith(std::make_shared<CFileSource>(m_fileReader.PathSet()), from, to,
                                    std::move(callback));
        case OPENED_DISK:
            return StartExtractWith(m_diskReader != nullptr
                                        ? std::make_shared<CHddSource>(*m_diskReader)
                                        : std::make_shared<CHddSource>(),
                                    from, to, std::move(callback));
        case OPENED_CARD:
            return StartExtractWith(m_cardReader != nullptr
                                        ? std::make_shared<CSdSource>(*m_cardReader)
                                        : std::make_shared<CSdSource>(),
                                    from, to, std::move(callback));
        default:
            return -1;
    }
}

// With m_lock held.
template <typename Reader>
int CSourceManager::StartExtractWith(std::shared_ptr<Reader> reader, uint64_t from, uint64_t to,
                                     ExtractCallback callback) {
    if (m_extractThread != nullptr)
        CloseHandle(m_extractThread);
    // A stop reaches the reader's own flag at once, so the reader sees it
    // before it hands on its next GOP, even the first.
    {
        std::lock_guard stopLock(m_stopMutex);
        m_stopExtraction = [weak = std::weak_ptr<Reader>(reader)] {
            if (const std::shared_ptr<Reader> running = weak.lock())
                running->SetStopFlag(true);
        };
    }
    m_extractThread = CreateThread([reader, from, to, callback = std::move(callback)] {
        const zExtractCode end = ExtractWith(*reader, from, to, callback);
        callback(int(end), 0, nullptr, 0);
    });
    return m_extractThread != nullptr ? 0 : -1;
}

// Takes only the stop's own lock: a stop never waits for a read of the open
// source, and may come from inside the extraction callback.
int CSourceManager::StopExtract() {
    std::lock_guard lock(m_stopMutex);
    if (m_stopExtraction)
        m_stopExtraction();
    return 0;
}

bool CSourceManager::IsExtracting() const {
    DeferringLock lock(m_lock);
    return m_extractThread != nullptr && WaitForSingleObject(m_extractThread, 0) == WAIT_TIMEOUT;
}

bool CSourceManager::EndExtraction(DWORD waitMs) {
    StopExtract();
    HANDLE thread;
    {
        std::lock_guard lock(m_lock);
        thread = m_extractThread;
    }
    if (thread == nullptr)
        return true;
    if (WaitForSingleObject(thread, waitMs) == WAIT_TIMEOUT)
        return false;
    std::lock_guard lock(m_lock);
    if (m_extractThread == thread) {
        CloseHandle(thread);
        m_extractThread = nullptr;
    }
    return true;
}

template <typename Reader>
zExtractCode CSourceManager::ExtractWith(Reader& reader, uint64_t from, uint64_t to,
                                         const ExtractCallback& callback) {
    if (reader.Reopen() != 0)
        return EXTRACT_OPEN_FAILED;
    const int result = reader.ExtractRange(from, to, callback);
    reader.Close();
    if (result != 0)
        return EXTRACT_READ_FAILED;
    return reader.StopFlag() ? EXTRACT_STOPPED : EXTRACT_FINISHED;
}
