#include "player/disk/IndexArea.h"

#include <cstring>

#include "platform/base/File.h"
#include "player/source/SeekHandle64.h"

void CIndexArea::Attach(HANDLE device) {
    Close();
    m_device = device;
}

void CIndexArea::Close() {
    if (m_device != INVALID_HANDLE_VALUE)
        CloseHandle(m_device);
    m_device = INVALID_HANDLE_VALUE;
    m_cachedSector = kNoArea;
}

bool CIndexArea::Read(uint32_t index, void* record) {
    const uint64_t offset = uint64_t(index) * m_recordSize;
    if (!IsOpen() || m_start == kNoArea || offset + m_recordSize > m_length)
        return false;
    const uint64_t sector = m_start + offset / kSectorSize * kSectorSize;
    if (sector != m_cachedSector) {
        DWORD got = 0;
        m_cachedSector = kNoArea;
        if (SeekHandle64(m_device, sector, FILE_BEGIN) == kSeekFailed ||
            !ReadFile(m_device, m_sector, kSectorSize, &got) || got != DWORD(kSectorSize))
            return false;
        m_cachedSector = sector;
    }
    std::memcpy(record, m_sector + offset % kSectorSize, m_recordSize);
    return true;
}
