// CSourceManager: knows which source is open, owns its reader, forwards every
// read, seek, time and index query to it under one lock, and runs the storage
// threads: device detection and watch (disk and card sources), the index
// rebuild, and the extraction.
//
// Source types (zOpenedType): -1 none, 0 file pair, 1 recorder hard disk,
// 2 SD card, 5 index rebuild (a request of type 4 is stored as 5). Disk and
// card are read by CHddSource and CSdSource (player/disk) on the devices of
// platform/disk.
//
// Threads: the exports and the player's command and read threads call in.
// `m_lock` is recursive (a forwarded call may run inside another: Seek
// through OnReader) and is taken through DeferringLock: the errors a reader
// reports under it reach the host's callback once it has been let go, and no
// callback of the manager runs with it held.
//
// Faults designed out:
// - Storage threads stop through a per-open session: Close ends the session
//   under the lock, wakes them, and waits for each outside the lock (at most
//   500 ms); a thread checks its session under the lock before it hands
//   over a reader or polls the manager's, so no reader of the manager is
//   used once Close has taken over, even from a thread that outlived its
//   wait. Thread handles are closed and reset.
// - StopExtract sets the stop flag of the extraction's private reader
//   itself, so no GOP reaches the host after it, not even a first one. An
//   extraction builds that reader from the open one when it starts, so it
//   always ends with exactly one of the codes 2, 3, -1 and -3, whatever
//   happens to the open source meanwhile.
// - A thread that cannot be started leaves the manager as it was.
// - The detection thread finds and opens a device on a reader of its own and
//   hands it over under the lock, so a reader the manager holds is always
//   open and no forwarded call meets one half opened.
// - One rebuild at a time: while the thread of an earlier one still runs
//   (a close waits 500 ms at most), a new one is refused with -1 and the
//   report (5, null, SOURCE_REBUILD_BUSY). A close sets the rebuild's stop
//   flag, which ends its scan before the next sector. Every rebuild ends
//   with exactly one report: SOURCE_REBUILD_DONE once the new index is in
//   place (behind a ".bak" of the old one), another negative status with
//   the old index untouched (RunTimeIndexRebuild).
#pragma once

#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>

#include "platform/base/CriticalSection.h"
#include "platform/base/Handle.h"
#include "player/disk/HddSource.h"
#include "player/disk/SdSource.h"
#include "player/source/ExtractCallback.h"
#include "player/source/FileSource.h"
#include "player/source/GopReadResult.h"
#include "shared/IndexRecords.h"
#include "shared/PlayerInterface.h"
#include "shared/QuickIndexRecords.h"

class CSourceManager {
public:
    CSourceManager() = default;
    // Ends the storage threads as Close would and stops a running
    // extraction (500 ms each at most). An extraction that outlives the wait
    // uses nothing of the manager: its reader and sink are its own.
    ~CSourceManager();
    CSourceManager(const CSourceManager&) = delete;
    CSourceManager& operator=(const CSourceManager&) = delete;

    // 0, or -1 when a source is open, the type is unknown, the file pair
    // does not open or a thread cannot start. For types 1, 2, 4 and 5, 0
    // says only that the thread runs: the outcome comes on the source callback.
    int Open(int type, const char* dataPath, const char* indexPath);
    // 0, or -1 with 40017 (nothing open) or the file reader's failure.
    int Close();
    int TellType() const { return m_type.load(); }
    // What the player's release does to its source: closes whatever is open
    // (a running rebuild is broken off first and leaves the disk's index as
    // it was). True when no storage thread of it runs any more.
    bool EndSource();

    void SetSourceCallback(zSourceCallback callback) { m_sourceCallback.store(callback); }
    void SetReservedCallback(zReservedCallback callback) { m_reservedCallback.store(callback); }

    // Starts extracting [from, to] of the open source into `callback` on a
    // thread of its own. -1 unless a source of type 0, 1 or 2 is open, the
    // callback is set and no extraction runs; -1 also when the thread
    // cannot start.
    int StartExtract(uint64_t from, uint64_t to, ExtractCallback callback);
    // Asks a running extraction to stop before its next GOP; 0.
    int StopExtract();
    // True while an extraction thread runs.
    bool IsExtracting() const;
    // Stops a running extraction and waits at most `waitMs` for its thread
    // (outside the lock: the extraction callback may query the source).
    // True when no extraction thread runs any more.
    bool EndExtraction(DWORD waitMs);

    // Forwarded to the reader of the open type under the lock. A disk or
    // card has a reader once its device was found and opened. With no reader
    // they answer as the comment of each says.
    int TellScreenNum();                                  // -1
    int TellGopVersion();                                 // -1
    int TellCarId(char* carId);                           // -1
    int Seek(uint64_t position);                          // -1 with 40048 (none) / 40049
    GopReadResult ReadGop(uint8_t* buffer, int* length);  // Failed
    GopReadResult ReadGopBack(uint8_t* buffer, int* length);
    GopReadResult SkipGop(int n, uint8_t* buffer, int* length);
    GopReadResult SkipGopBack(int n, uint8_t* buffer, int* length);
    uint64_t TellTotalLen();            // all ones
    uint64_t Tellp();                   // all ones
    uint32_t TellBegTime();             // all ones
    uint32_t TellEndTime();             // all ones
    bool ReadTimeInxHd(InxHd* header);  // false
    bool ReadTimeInxUnit(int index, InxUnit* unit);
    // The event and quick indexes exist on disks and cards only.
    bool ReadEvtInxHd(InxHd* header);
    bool ReadEvtInxUnit(int index, InxUnit* unit);
    bool ReadQuickInxHd(QuickInxHd* header);
    bool ReadQuickInxUnit(int index, QuickInxUnit* unit);

private:
    int OpenFilePair(const char* dataPath, const char* indexPath);
    int StartStorageThread(int type);
    void EndStorageThreads();

    // The storage threads; `session` and `stop` are those of the open that
    // started them.
    void OpenDiskThread(int kind, uint64_t session, HANDLE stop);
    template <typename Reader>
    void FindAndOpen(int kind, uint64_t session, HANDLE stop, std::unique_ptr<Reader>* slot);
    bool StartWatch(int kind, uint64_t session, HANDLE stop);
    void WatchDiskThread(int kind, uint64_t session, HANDLE stop);
    bool DeviceIsPresent(int kind) const;

    // One index rebuild, shared by the manager and its thread.
    struct RebuildRun {
        std::atomic<bool> stop{false};    // set by Close and the manager's end
        std::atomic<bool> running{true};  // cleared after the end report
    };
    HANDLE StartRebuildThread(std::shared_ptr<RebuildRun> run);
    bool RebuildRunning() const;
    bool IsCurrent(uint64_t session) const { return m_session == session; }
    void ReportSource(int kind, const char* name, int status) const;

    // Starts the extraction thread on `reader`, a second reader of the open
    // source that belongs to the thread from then on, as does the callback:
    // the thread uses nothing of the manager.
    template <typename Reader>
    int StartExtractWith(std::shared_ptr<Reader> reader, uint64_t from, uint64_t to,
                         ExtractCallback callback);
    template <typename Reader>
    static zExtractCode ExtractWith(Reader& reader, uint64_t from, uint64_t to,
                                    const ExtractCallback& callback);

    // Run `op` on the reader of the open type (file, disk or card; disk or
    // card only), else answer `otherwise`.
    template <typename Op, typename Result>
    Result OnReader(Op op, Result otherwise);
    template <typename Op, typename Result>
    Result OnDeviceReader(Op op, Result otherwise);
    bool HasReader() const;  // with m_lock held
    GopReadResult NoReaderResult() const;
    static bool IsDevice(int type) { return type == OPENED_DISK || type == OPENED_CARD; }

    std::atomic<int> m_type{-1};  // written under m_lock, read without it
    mutable CriticalSection m_lock;
    // Guarded by m_lock.
    CFileSource m_fileReader;
    std::unique_ptr<CHddSource> m_diskReader;  // open, or null until found
    std::unique_ptr<CSdSource> m_cardReader;   // open, or null until found
    uint64_t m_session = 0;                    // ends (grows) with every Close
    HANDLE m_stopEvent = nullptr;              // set when the session ends
    HANDLE m_openThread = nullptr;             // OpenDiskThread or RebuildIndexThread
    HANDLE m_watchThread = nullptr;            // WatchDiskThread
    HANDLE m_extractThread = nullptr;
    std::shared_ptr<RebuildRun> m_rebuild;  // the latest rebuild, or null

    std::mutex m_stopMutex;
    std::function<void()> m_stopExtraction;  // guarded by m_stopMutex; stops the latest extraction
    std::atomic<zSourceCallback> m_sourceCallback{nullptr};
    std::atomic<zReservedCallback> m_reservedCallback{nullptr};  // stored, never called
};
