// CFileSource, the reader of a recording file pair: the .dvr data file, a
// chain of GOPs each starting on a 512-byte boundary, and its .inx time index
// of 16-byte records (the InxHd header, then InxUnit entries first .. last,
// entry `last` being the end mark whose offset is the data length).
//
// A data position is a byte offset into the .dvr. The reader is open while
// its .dvr stream is. GOP reads take the caller's buffer and an in/out length
// (in: the buffer size, out: the GOP's length rounded up to 512) and return a
// GopReadResult. Errors go to the error sink as (code, system error, 0).
//
// Threads: no lock. The source manager serialises every call on the open
// reader; an extraction reader belongs to the extraction thread alone, and
// only its stop flag is set from another thread.
//
// Ownership: the reader owns its two streams and closes them in Close (and
// in its destructor).
#pragma once

#include <atomic>
#include <cstdint>
#include <cstdio>

#include "platform/base/WinTypes.h"
#include "player/source/BackLink.h"
#include "player/source/DataSource.h"
#include "player/source/ExtractCallback.h"
#include "player/source/GopReadResult.h"
#include "shared/IndexRecords.h"

class CFileSource : public CDataSource {
public:
    // Closed, all paths empty.
    CFileSource() = default;
    // Closed, with the four paths of `paths` (for Reopen): the extraction
    // thread's second reader on the open reader's files.
    explicit CFileSource(const CDataSource& paths);
    CFileSource(const CFileSource&) = delete;
    CFileSource& operator=(const CFileSource&) = delete;
    ~CFileSource();

    // Opens the pair (UTF-8 paths), reads the index ends and probes the first
    // GOPs. 0, or -1 with everything closed (40100: .inx not openable; 40101:
    // header, first or last entry unreadable, or data length 0).
    int Open(const char* dvrPath, const char* inxPath);
    // Open on the stored paths; -1 when open or when a path is empty.
    int Reopen();
    // Closes both streams and empties their paths, even when a close fails
    // (40020 .dvr, 40021 .inx; the result is then -1).
    int Close();

    bool IsOpen() const { return m_dvrFile != nullptr; }
    int TellScreenNum() const;
    int TellGopVersion() const;
    // Copies the vehicle id into 16 characters; -1 when closed or null.
    int TellCarId(char* carId) const;

    GopReadResult ReadGop(uint8_t* buffer, int* length);
    // Passes n >= 1 GOPs forward and reads the next one.
    GopReadResult SkipGop(int n, uint8_t* buffer, int* length);
    // Reads the GOP before the current position and stands at its start.
    GopReadResult ReadGopBack(uint8_t* buffer, int* length);
    // Passes n >= 1 GOPs backward and reads the one before them.
    GopReadResult SkipGopBack(int n, uint8_t* buffer, int* length);

    // Moves to `position` rounded up to 512 (the data length at most).
    // 0, or -1 with 40050 (closed), 40051 (outside the data) or 40052.
    int Seek(uint64_t position);

    uint64_t TellTotalLen() const;  // all ones when closed
    uint64_t Tellp() const;         // all ones when closed
    uint32_t TellBegTime() const;   // 0 when closed
    uint32_t TellEndTime() const;   // 0 when closed

    bool ReadTimeInxHd(InxHd* header);
    // Record `index` of the .inx; false for index <= 0, a closed index or a
    // short read.
    bool ReadTimeInxUnit(int index, InxUnit* unit);

    // Sends every GOP of [from, to) and then the index entries of the range
    // (renumbered from 1, offsets relative to `from`) to `callback`. Both ends
    // must be offsets of index entries. 0, or -1 when refused or failed, and
    // -1 (after the index) when a GOP of the range could not be sent.
    int ExtractRange(uint64_t from, uint64_t to, const ExtractCallback& callback);

    // Set from any thread to end a running extraction before its next GOP.
    void SetStopFlag(bool stop) { m_stopFlag.store(stop); }
    bool StopFlag() const { return m_stopFlag.load(); }

private:
    bool OpenStreams(const char* dvrPath, const char* inxPath);
    bool ReadIndexEnds(DWORD* systemError);
    void Probe();
    void CloseAfterFailedOpen();

    // Forward: finds the next GOP start at or after m_position.
    GopReadResult FindGopForward(uint8_t* sector);
    GopReadResult ReadGopAt(uint64_t start, uint64_t size, uint8_t* buffer, int* length);
    void PassGop(uint64_t size);
    GopReadResult ScanForward(int pass, uint8_t* buffer, int* length);
    // Backward: the GOP before m_position (BackLink.h).
    GopReadResult FindBackLink(GopLink* link);
    GopReadResult ScanBackward(int pass, uint8_t* buffer, int* length);

    bool ReadSector(uint64_t position, uint8_t* sector);
    bool SeekStream(uint64_t position);
    GopReadResult FailAtStreamOffset();

    bool FindRange(uint64_t from, uint64_t to, InxHd* header, uint32_t* iFrom, uint32_t* iTo);
    bool SendIndex(InxHd header, uint32_t iFrom, uint32_t iTo, uint64_t from,
                   const ExtractCallback& callback);
    uint64_t IndexRecordCount();

    uint64_t m_totalLen = 0;  // data length: offset of entry `last`
    uint64_t m_position = 0;  // current data position, the .dvr stream's offset
    uint32_t m_begTime = 0;   // time of entry `first`
    uint32_t m_endTime = 0;   // time of entry `last`
    FILE* m_dvrFile = nullptr;
    FILE* m_inxFile = nullptr;
    int m_screenNum = -1;   // channel count from the probe, -1 unknown
    char m_carId[16] = {};  // vehicle id from the probe (empty)
    int m_gopVersion = -1;  // GOP version from the probe, -1 unknown
    std::atomic<bool> m_stopFlag{false};
};
