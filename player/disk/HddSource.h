// CHddSource, the reader of a recorder's hard disk (source types 1 and 5).
//
// The recorder keeps `timeindex`, `eventindex` and `quickindex` at the root
// of the disk's first partition (a lettered drive) and writes its GOPs into
// the second partition as a ring, read raw through "\\.\PHYSICALDRIVE%d".
// Raw offsets are relative to that partition; data positions run over the
// ring's two parts as one range (RingLayout). Index offsets are raw; time
// and event entries are handed out with their offsets mapped to data
// positions (all ones outside the readable range), quick records unchanged.
// The time index header is handed out with `last` one below the stored value
// (the stored one lies one past the newest entry), and with `first` at the
// ring's start when the open had to find it.
//
// GOP reads, seeks, times and extraction behave as CFileSource's, on data
// positions (CRingSource); the seek's own error report is 40053.
//
// Threads: no lock. The source manager serialises calls on the open reader;
// the storage threads detect, open and poll it; an extraction reader belongs
// to the extraction thread, and only its stop flag is set from elsewhere.
// Ownership: the reader owns its device handle and index streams.
#pragma once

#include <atomic>
#include <cstdint>

#include "player/disk/IndexFile.h"
#include "player/disk/RingSource.h"
#include "player/source/DataSource.h"
#include "player/source/ExtractCallback.h"
#include "shared/IndexRecords.h"
#include "shared/QuickIndexRecords.h"

// The source callback's shape: (kind, name, status). The rebuild reports
// (5, null, progress 0 to 10000); its end comes from the rebuild thread.
using RebuildCallback = void (*)(int kind, const char* name, int status);

inline constexpr int kRebuildKind = 5;

// The unused tail of a wrapped disk ring: no GOP starts in it.
inline constexpr uint64_t kDiskRingReserve = 10485760;

// How a scan of the ring ended.
enum class RebuildScan { Written, Failed, Stopped };

class CHddSource : public CRingSource {
public:
    CHddSource() : CRingSource(ERR_DISK_SEEK_FAILED) {}
    // A second reader on the same disk: the path set and the partition,
    // every handle closed (the extraction thread reopens it).
    explicit CHddSource(const CHddSource& detected);
    CHddSource& operator=(const CHddSource&) = delete;
    ~CHddSource() { Close(); }

    // Finds the lettered drive holding `timeindex` whose disk has a second
    // partition; fills `paths` and this reader's partition.
    bool Detect(CDataSource* paths);
    // As Detect, for a rebuild: the drive is found by any of its three index
    // files, since the time index may be the one that was lost.
    bool DetectForRebuild(CDataSource* paths);

    // Opens the drive and the index files of `paths`, repairs the ring's
    // start and probes. 0, or -1 with everything closed.
    int Open(const CDataSource& paths);
    int Reopen();
    // Closes everything and forgets the partition. Always 0.
    int Close();

    bool ReadTimeInxHd(InxHd* header);
    bool ReadTimeInxUnit(int index, InxUnit* unit);
    bool ReadTimeInxRaw(int index, InxUnit* unit);
    bool ReadEvtInxHd(InxHd* header);
    bool ReadEvtInxUnit(int index, InxUnit* unit);
    bool ReadQuickInxHd(QuickInxHd* header);
    bool ReadQuickInxUnit(int index, QuickInxUnit* unit);

    // As CFileSource::ExtractRange, on data positions and this reader's index.
    int ExtractRange(uint64_t from, uint64_t to, const ExtractCallback& callback);

    // Scans the data partition (the second of the layout) of the disk
    // `dataPath` for GOPs on whole minutes and writes a time index of them to
    // `outputPath`, in ring order: raw order, from the older lap on when the
    // ring has wrapped (marked wrapped then; RingScan.h). Reads a block at a
    // time, each read followed by a 1 ms pause on the injectable clock and
    // a progress report (0 to 10000); `stop`, when set, ends the scan before
    // its next read. Unreadable sectors are passed and counted into
    // `unreadableSectors`. Failed when the drive cannot be read, no minute
    // was found or the output cannot be written. Sends no end report and
    // needs no open or detected reader.
    static RebuildScan RebuildTimeIndex(const char* dataPath, const char* outputPath,
                                        RebuildCallback callback,
                                        const std::atomic<bool>* stop = nullptr,
                                        uint64_t* unreadableSectors = nullptr);
    // Puts a rebuilt index in place of the disk's `timeIndexPath`: the old
    // file is first copied to the same name with ".bak" appended, and left
    // untouched when that copy, or anything after it, fails.
    static bool ReplaceTimeIndex(const char* rebuiltPath, const char* timeIndexPath);

    uint64_t PartitionStart() const { return m_partitionStart; }
    uint64_t PartitionLength() const { return m_partitionLength; }

private:
    // The second partition of the disk's layout: where the ring lies.
    static bool DataPartitionOf(const char* disk, uint64_t* start, uint64_t* length);
    bool DetectBy(bool anyIndex, CDataSource* paths);
    void KeepRingStart(const char* timeIndexPath, const InxHd& stored, uint32_t start);
    void CloseAfterFailedOpen();

    CIndexFile m_timeInx{16};
    CIndexFile m_eventInx{16};
    CIndexFile m_quickInx{128};
    uint64_t m_partitionStart = kNoPosition;
    uint64_t m_partitionLength = kNoPosition;
    // The ring's start found by the open when the stored `first` is stale;
    // handed out as `first` (the index directory may be read-only). 0: none.
    uint32_t m_keptStart = 0;
};
