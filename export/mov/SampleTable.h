// CSampleTable: one sample-table work file of a movie being written, the
// entries of one table as big-endian u32 values, appended while GOPs arrive
// and copied into the `moov` atom when the movie is finished. Keeping them on
// disk bounds the memory of long exports.
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>

#include "export/mov/BoxOutput.h"

class CSampleTable {
public:
    CSampleTable() = default;
    ~CSampleTable();
    CSampleTable(const CSampleTable&) = delete;
    CSampleTable& operator=(const CSampleTable&) = delete;

    // Creates (empties) the work file for reading and writing.
    bool Open(const std::string& path);
    bool Append(uint32_t entry);
    uint32_t Count() const { return m_Count; }
    // Reading back, once all entries are in: Rewind, then either CopyTo
    // (every entry, in order, to `out`) or ReadNext entry by entry. False
    // when the work file cannot be read back.
    bool Rewind();
    bool CopyTo(CBoxOutput& out);
    bool ReadNext(uint32_t* entry);
    // Closes the file and deletes it.
    void Remove();

private:
    FILE* m_File = nullptr;
    std::string m_Path;
    uint32_t m_Count = 0;
};
