// One index file of a recorder disk's first partition (`timeindex`,
// `eventindex` or `quickindex`): record i of `recordSize` bytes at
// recordSize × i, read through a buffered stream with 64-bit offsets.
// Threads: no lock; the owning reader's caller serialises every call.
#pragma once

#include <cstdint>
#include <cstdio>

class CIndexFile {
public:
    explicit CIndexFile(uint32_t recordSize) : m_recordSize(recordSize) {}
    CIndexFile(const CIndexFile&) = delete;
    CIndexFile& operator=(const CIndexFile&) = delete;
    ~CIndexFile() { Close(); }

    bool Open(const char* path);
    // A fresh stream on `path` in place of the open one, which is kept when
    // the new one cannot be opened. False then.
    bool Reopen(const char* path);
    void Close();
    bool IsOpen() const { return m_file != nullptr; }

    // Record `index` (0: the header) into `record`; false on a short read.
    bool Read(uint32_t index, void* record);
    // Writes `size` bytes at offset 0 through a stream of its own (the reading
    // stream stays as it is); false when the file cannot be written.
    static bool WriteHeader(const char* path, const void* bytes, size_t size);

private:
    uint32_t m_recordSize;
    FILE* m_file = nullptr;
};
