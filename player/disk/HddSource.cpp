#include "player/disk/HddSource.h"

#include <cstdio>
#include <string>

#include "platform/disk/Drives.h"
#include "player/disk/IndexReads.h"
#include "player/disk/RingOpen.h"
#include "player/disk/RingRange.h"
#include "player/source/IndexCodec.h"
#include "shared/IndexRing.h"

CHddSource::CHddSource(const CHddSource& detected)
    : CRingSource(ERR_DISK_SEEK_FAILED),
      m_partitionStart(detected.m_partitionStart),
      m_partitionLength(detected.m_partitionLength) {
    CopyPaths(detected);
}

int CHddSource::Open(const CDataSource& paths) {
    if (IsOpen() || m_partitionStart == kNoPosition || m_partitionLength == kNoPosition)
        return -1;
    // Copies first: Reopen passes this reader's own path set.
    const std::string data = paths.DataFile, time = paths.TimeIndexFile,
                      event = paths.EventIndexFile, quick = paths.QuickIndexFile;
    if (data.empty() || time.empty() || event.empty() || quick.empty())
        return -1;
    const HANDLE device = OpenDevice(data.c_str());
    if (device == INVALID_HANDLE_VALUE)
        return -1;
    m_ring.Attach(device, m_partitionStart, RingLayout{0, m_partitionLength});
    InxHd stored{};
    RingOpening opening{};
    const TimeEntryReader read = [this](uint32_t i, InxUnit* unit) {
        return ReadIndexEntry(m_timeInx, int(i), unit);
    };
    if (!m_timeInx.Open(time.c_str()) || !m_eventInx.Open(event.c_str()) ||
        !m_quickInx.Open(quick.c_str()) || !ReadIndexHeader(m_timeInx, &stored) ||
        !OpenRing(
            m_ring, read,
            {stored.first, NewestOfStoredLast(stored.last), stored.wrapped != 0, kDiskRingReserve},
            &opening)) {
        CloseAfterFailedOpen();
        return -1;
    }
    KeepRingStart(time.c_str(), stored, opening.startIndex);
    TakeOpening(opening);
    StorePath(DataFile, data.c_str());
    StorePath(TimeIndexFile, time.c_str());
    StorePath(EventIndexFile, event.c_str());
    StorePath(QuickIndexFile, quick.c_str());
    return 0;
}

// The start is written back so that the next open need not search again; a
// read-only index directory only costs that search. Either way the start is
// kept in memory, and the reading stream is replaced only by one that opened,
// so a failed write or reopen never leaves the index unreadable.
void CHddSource::KeepRingStart(const char* timeIndexPath, const InxHd& stored, uint32_t start) {
    m_keptStart = 0;
    if (start == 0 || start == stored.first)
        return;
    m_keptStart = start;
    InxHd repaired = stored;
    repaired.first = start;
    uint8_t record[16];
    EncodeInxHd(repaired, record);
    if (CIndexFile::WriteHeader(timeIndexPath, record, sizeof record))
        m_timeInx.Reopen(timeIndexPath);  // drops what the stream buffered of the old header
}

int CHddSource::Reopen() {
    if (IsOpen())
        return -1;
    const CDataSource paths = PathSet();
    return Open(paths);
}

void CHddSource::CloseAfterFailedOpen() {
    m_ring.Detach();
    m_timeInx.Close();
    m_eventInx.Close();
    m_quickInx.Close();
}

int CHddSource::Close() {
    CloseAfterFailedOpen();
    m_partitionStart = m_partitionLength = kNoPosition;
    m_keptStart = 0;
    DataFile[0] = TimeIndexFile[0] = EventIndexFile[0] = QuickIndexFile[0] = '\0';
    return 0;
}

int CHddSource::ExtractRange(uint64_t from, uint64_t to, const ExtractCallback& callback) {
    return ExtractRingRange(*this, m_ring, from, to, callback);
}
