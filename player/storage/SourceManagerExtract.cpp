// The extraction thread of the source manager.
#include <mutex>

#include "platform/base/Thread.h"
#include "player/storage/SourceManager.h"

int CSourceManager::StartExtract(uint64_t from, uint64_t to, ExtractCallback callback) {
    std::lock_guard lock(m_lock);
    const int type = m_type;
    if ((type != OPENED_FILE_PAIR && !IsDevice(type)) || !callback || IsExtracting())
        return -1;
    if (m_extractThread != nullptr)
        CloseHandle(m_extractThread);
    const CDataSource paths = type == OPENED_FILE_PAIR ? m_fileReader.PathSet() : m_devicePaths;
    m_extractStop = false;
    m_extractThread = CreateThread([=, this, callback = std::move(callback)] {
        ExtractThread(type, paths, from, to, callback);
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

void CSourceManager::ExtractThread(int type, const CDataSource& paths, uint64_t from, uint64_t to,
                                   const ExtractCallback& callback) {
    // No device reader can be opened a second time before the device layer
    // reads raw devices.
    const zExtractCode end =
        type == OPENED_FILE_PAIR ? ExtractFilePair(paths, from, to, callback) : EXTRACT_OPEN_FAILED;
    callback(int(end), 0, nullptr, 0);
}

zExtractCode CSourceManager::ExtractFilePair(const CDataSource& paths, uint64_t from, uint64_t to,
                                             const ExtractCallback& callback) {
    CFileSource reader(paths);
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
