// CDataSource, the base of the three readers (file pair, recorder hard disk,
// SD card): the path set of a source. Each path is UTF-8 text in a fixed
// 260-character buffer (259 and the terminator); an empty path is unused.
// For the file pair DataFile is the .dvr and TimeIndexFile the .inx path.
#pragma once

#include <cstddef>

inline constexpr size_t kSourcePathSize = 260;

class CDataSource {
public:
    // All four paths empty.
    CDataSource();

    // The path set alone, for building a second reader on the same source.
    const CDataSource& PathSet() const { return *this; }

    char DataFile[kSourcePathSize];
    char TimeIndexFile[kSourcePathSize];
    char EventIndexFile[kSourcePathSize];
    char QuickIndexFile[kSourcePathSize];

protected:
    // Copies all four paths of `other`.
    void CopyPaths(const CDataSource& other);
};

// Copies `text` (null: empty) into a path buffer. False, and the buffer
// emptied, when the text does not fit: a cut path would name another file.
bool StorePath(char (&path)[kSourcePathSize], const char* text);
