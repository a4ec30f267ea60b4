// CSdSource, the reader of a recorder's SD card (source type 2).
//
// The card has no file system: sector 31 holds the text "SD RAW FORMAT" and
// the offset T of the index areas; the time index area lies at T (16 MiB),
// the event area at T + 16 MiB (16 MiB), the quick area at T + 32 MiB
// (128 MiB), and the data ring from S = T + 160 MiB to the card's end E. Raw
// offsets are absolute on the card; the ring has no reserve. Everything is
// read through "\\.\PHYSICALDRIVE%d" by whole sectors, with one handle each
// for the data and the three areas so that index reads and GOP reads keep
// their own file pointers. The card is never written: when the ring has
// wrapped, the start the open finds is kept in memory and handed out as the
// time index header's `first`. The header's `last` is the newest entry.
//
// GOP reads, seeks, times and extraction as CHddSource's; the seek's own
// error report is 40054.
//
// Threads: as CHddSource. Ownership: the reader owns its four handles.
#pragma once

#include <cstdint>
#include <string>

#include "player/disk/IndexArea.h"
#include "player/disk/RingSource.h"
#include "player/source/ExtractCallback.h"
#include "shared/IndexRecords.h"
#include "shared/QuickIndexRecords.h"

inline constexpr uint64_t kSdHeaderOffset = 15872;
inline constexpr char kSdHeaderText[] = "SD RAW FORMAT";

class CSdSource : public CRingSource {
public:
    CSdSource() : CRingSource(ERR_CARD_SEEK_FAILED) {}
    // A second reader on the same card: the data path, the data area and the
    // three index areas, every handle closed.
    explicit CSdSource(const CSdSource& detected);
    CSdSource& operator=(const CSdSource&) = delete;
    ~CSdSource() { Close(); }

    // Looks at every whole disk for the card's header; fills `paths`
    // (DataFile only) and this reader's areas.
    bool Detect(CDataSource* paths);

    // Opens the card of `paths.DataFile` (the other paths are not used).
    int Open(const CDataSource& paths);
    int Reopen();
    // Closes the four handles and forgets the areas. Always 0.
    int Close();
    // Opens the drive four times, for data, time, event and quick reads.
    bool OpenHandles(const char* dataPath);

    bool ReadTimeInxHd(InxHd* header);
    bool ReadTimeInxUnit(int index, InxUnit* unit);
    bool ReadTimeInxRaw(int index, InxUnit* unit);
    bool ReadEvtInxHd(InxHd* header);
    bool ReadEvtInxUnit(int index, InxUnit* unit);
    bool ReadQuickInxHd(QuickInxHd* header);
    bool ReadQuickInxUnit(int index, QuickInxUnit* unit);

    int ExtractRange(uint64_t from, uint64_t to, const ExtractCallback& callback);

    uint64_t DataStart() const { return m_dataStart; }
    uint64_t DataLength() const { return m_dataLength; }
    uint64_t TimeAreaStart() const { return m_timeArea.Start(); }
    uint64_t EventAreaStart() const { return m_eventArea.Start(); }
    uint64_t QuickAreaStart() const { return m_quickArea.Start(); }

private:
    bool PlaceAreas(uint64_t indexOffset, uint64_t cardEnd);
    void CloseHandles();

    uint64_t m_dataStart = kNoPosition;   // S
    uint64_t m_dataLength = kNoPosition;  // E - S
    CIndexArea m_timeArea{16};
    CIndexArea m_eventArea{16};
    CIndexArea m_quickArea{128};
    // The time index entry found as the ring's start; 0: none.
    uint32_t m_keptStart = 0;
};
