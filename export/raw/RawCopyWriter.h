// CRawCopyWriter: the fast export, a recording file pair written from the
// GOPs of an export unchanged: the `.dvr` holds the GOPs back to back, each
// on a 512-byte boundary, and the `.inx` indexes every 120th GOP from the
// first, ending with an end mark at the data length, so that the copy opens
// in the player like any recording.
//
// Threads: no lock; the export controller calls it on the player library's
// extraction thread, one call at a time.
//
// Ownership: the writer owns its two files; Close (or the destructor)
// closes them. GOP buffers stay the caller's and are only read.
#pragma once

#include <cstdint>
#include <cstdio>

class CRawCopyWriter {
public:
    CRawCopyWriter() = default;
    ~CRawCopyWriter();
    CRawCopyWriter(const CRawCopyWriter&) = delete;
    CRawCopyWriter& operator=(const CRawCopyWriter&) = delete;

    // Creates both files (UTF-8 paths) and writes the index header; existing
    // files are emptied only once both are open. False when already open,
    // when either file cannot be created or the header cannot be written, or
    // when both paths name one file: nothing stays open then, a file this
    // call created is removed again and an existing one keeps its bytes.
    bool Open(const char* dvrPath, const char* inxPath);

    // Appends one GOP (its first 16 bytes at least, the first frame header's
    // time at offset 12) and, for every 120th GOP, its index entry. False
    // when closed, for a GOP too short to carry its time, or when the GOP or
    // its entry could not be written completely; after such a failure the
    // copy is broken and takes no more GOPs.
    bool WriteGop(const void* gop, int length);

    // The next GOP gets an index entry; the controller calls it after each
    // successful Open.
    void ResetGopCounter() { m_GopCounter = 0; }

    // Appends the end mark, sets the index header's last entry and closes
    // both files. False when anything written since Open (a GOP, an entry,
    // the end mark, the header) failed to reach the files (Error says why).
    // Closed files return true.
    bool Close();

    bool IsOpen() const { return m_DvrFile != nullptr; }

    // Why the last Open, or the copy since then, failed: the system's error
    // number (EIO when none was left), 0 while nothing failed. Kept after
    // Close until the next Open.
    int Error() const { return m_Error; }

private:
    bool AppendIndexEntry(uint32_t time, uint64_t offset);
    bool FinishIndex();
    // Keeps the reason of the call that just failed (the first one only); false.
    bool Fail();

    FILE* m_DvrFile = nullptr;
    FILE* m_InxFile = nullptr;
    int m_GopCounter = 0;     // GOPs written since the last index entry, 0 to 119
    uint32_t m_LastTime = 0;  // time of the last GOP written, kept from one export to the next
    uint64_t m_DvrSize = 0;   // bytes written to the .dvr
    int m_Error = 0;          // errno of the first failure since Open
};
