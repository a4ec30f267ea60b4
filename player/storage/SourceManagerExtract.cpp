// The extraction thread of the source manager.
#include <mutex>

#include "platform/base/Thread.h"
#include "player/storage/SourceManager.h"

int CSourceManager::StartExtract(uint64_t from, uint64_t to, ExtractCallback callback) {
    std::lock_guard lock(m_lock);
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
    m_extractStop = false;
    m_extractThread = CreateThread([=, this, callback = std::move(callback)] {
        const zExtractCode end = ExtractWith(*reader, from, to, callback);
        callback(int(end), 0, nullptr, 0);
    });
    return m_extractThread != nullptr ? 0 : -1;
}

int CSourceManager::StopExtract() {
    m_extractStop = true;
    return 0;
}

bool CSourceManager::IsExtracting() const {
    std::lock_guard lock(m_lock);
    return m_extractThread != nullptr && WaitForSingleObject(m_extractThread, 0) == WAIT_TIMEOUT;
}

template <typename Reader>
zExtractCode CSourceManager::ExtractWith(Reader& reader, uint64_t from, uint64_t to,
                                         const ExtractCallback& callback) {
    if (reader.Reopen() != 0)
        return EXTRACT_OPEN_FAILED;
    // The reader belongs to this thread: the manager's stop flag reaches it
    // here, before the range and before each GOP is handed on.
    auto forward = [&](int code, int percent, const void* data, int length) {
        callback(code, percent, data, length);
        if (m_extractStop)
            reader.SetStopFlag(true);
    };
    reader.SetStopFlag(m_extractStop);
    const int result = reader.ExtractRange(from, to, forward);
    reader.Close();
    if (result != 0)
        return EXTRACT_READ_FAILED;
    return reader.StopFlag() ? EXTRACT_STOPPED : EXTRACT_FINISHED;
}
