#include "player/disk/SdSource.h"

#include <string>

#include "platform/disk/Drives.h"
#include "player/disk/IndexReads.h"
#include "player/disk/RingRange.h"

namespace {

constexpr uint64_t kMiB = 1048576;

}  // namespace

CSdSource::CSdSource(const CSdSource& detected)
    : CRingSource(ERR_CARD_SEEK_FAILED),
      m_dataStart(detected.m_dataStart),
      m_dataLength(detected.m_dataLength) {
    StorePath(DataFile, detected.DataFile);
    m_timeArea.Place(detected.m_timeArea.Start(), detected.m_timeArea.Length());
    m_eventArea.Place(detected.m_eventArea.Start(), detected.m_eventArea.Length());
    m_quickArea.Place(detected.m_quickArea.Start(), detected.m_quickArea.Length());
}

// The areas follow from T; false unless T is sector-aligned, lies after the
// header sector and leaves a data area before the card's end.
bool CSdSource::PlaceAreas(uint64_t indexOffset, uint64_t cardEnd) {
    const uint64_t areas = 160 * kMiB;
    if (indexOffset % 512 != 0 || indexOffset < kSdHeaderOffset + 512 || indexOffset > cardEnd ||
        cardEnd - indexOffset <= areas)
        return false;
    m_timeArea.Place(indexOffset, 16 * kMiB);
    m_eventArea.Place(indexOffset + 16 * kMiB, 16 * kMiB);
    m_quickArea.Place(indexOffset + 32 * kMiB, 128 * kMiB);
    m_dataStart = indexOffset + areas;
    m_dataLength = cardEnd - m_dataStart;
    return true;
}

bool CSdSource::OpenHandles(const char* dataPath) {
    const HANDLE data = OpenDevice(dataPath), time = OpenDevice(dataPath),
                 event = OpenDevice(dataPath), quick = OpenDevice(dataPath);
    m_ring.Attach(data, 0, RingLayout{m_dataStart, m_dataStart + m_dataLength});
    m_timeArea.Attach(time);
    m_eventArea.Attach(event);
    m_quickArea.Attach(quick);
    return m_ring.IsOpen() && m_timeArea.IsOpen() && m_eventArea.IsOpen() && m_quickArea.IsOpen();
}

int CSdSource::Open(const CDataSource& paths) {
    if (IsOpen() || m_dataStart == kNoPosition || m_dataLength == kNoPosition)
        return -1;
    const std::string data = paths.DataFile;  // Reopen passes this reader's own path
    InxHd stored{};
    RingOpening opening{};
    const TimeEntryReader read = [this](uint32_t i, InxUnit* unit) {
        return ReadIndexEntry(m_timeArea, int(i), unit);
    };
    if (data.empty() || !OpenHandles(data.c_str()) || !ReadIndexHeader(m_timeArea, &stored) ||
        !OpenRing(m_ring, read, {stored.first, stored.last, stored.wrapped != 0, 0}, &opening)) {
        CloseHandles();
        return -1;
    }
    m_keptStart = opening.startIndex;
    TakeOpening(opening);
    StorePath(DataFile, data.c_str());
    return 0;
}

int CSdSource::Reopen() {
    if (IsOpen())
        return -1;
    const CDataSource paths = PathSet();
    return Open(paths);
}

void CSdSource::CloseHandles() {
    m_ring.Detach();
    m_timeArea.Close();
    m_eventArea.Close();
    m_quickArea.Close();
}

int CSdSource::Close() {
    CloseHandles();
    m_dataStart = m_dataLength = kNoPosition;
    m_timeArea.Place(kNoArea, kNoArea);
    m_eventArea.Place(kNoArea, kNoArea);
    m_quickArea.Place(kNoArea, kNoArea);
    m_keptStart = 0;
    DataFile[0] = TimeIndexFile[0] = EventIndexFile[0] = QuickIndexFile[0] = '\0';
    return 0;
}

int CSdSource::ExtractRange(uint64_t from, uint64_t to, const ExtractCallback& callback) {
    return ExtractRingRange(*this, m_ring, from, to, callback);
}

bool CSdSource::ReadTimeInxHd(InxHd* header) {
    if (!ReadIndexHeader(m_timeArea, header))
        return false;
    if (m_keptStart != 0)
        header->first = m_keptStart;
    return true;
}

bool CSdSource::ReadTimeInxUnit(int index, InxUnit* unit) {
    return ReadMappedEntry(m_timeArea, index, unit, [this](uint64_t r) { return RawToLogical(r); });
}

bool CSdSource::ReadTimeInxRaw(int index, InxUnit* unit) {
    return ReadIndexEntry(m_timeArea, index, unit);
}

bool CSdSource::ReadEvtInxHd(InxHd* header) {
    return ReadIndexHeader(m_eventArea, header);
}

bool CSdSource::ReadEvtInxUnit(int index, InxUnit* unit) {
    return ReadMappedEntry(m_eventArea, index, unit,
                           [this](uint64_t r) { return RawToLogical(r); });
}

bool CSdSource::ReadQuickInxHd(QuickInxHd* header) {
    return ReadQuickRecord(m_quickArea, 0, header);
}

bool CSdSource::ReadQuickInxUnit(int index, QuickInxUnit* unit) {
    return index >= 1 && ReadQuickRecord(m_quickArea, index, unit);
}
