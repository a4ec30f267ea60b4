#include "player/source/DataSource.h"

#include <cstring>

CDataSource::CDataSource() {
    DataFile[0] = TimeIndexFile[0] = EventIndexFile[0] = QuickIndexFile[0] = '\0';
}

void CDataSource::CopyPaths(const CDataSource& other) {
    std::memcpy(DataFile, other.DataFile, kSourcePathSize);
    std::memcpy(TimeIndexFile, other.TimeIndexFile, kSourcePathSize);
    std::memcpy(EventIndexFile, other.EventIndexFile, kSourcePathSize);
    std::memcpy(QuickIndexFile, other.QuickIndexFile, kSourcePathSize);
    // Buffers filled by hand elsewhere may lack a terminator.
    DataFile[kSourcePathSize - 1] = TimeIndexFile[kSourcePathSize - 1] = '\0';
    EventIndexFile[kSourcePathSize - 1] = QuickIndexFile[kSourcePathSize - 1] = '\0';
}

bool StorePath(char (&path)[kSourcePathSize], const char* text) {
    const size_t length = text == nullptr ? 0 : std::strlen(text);
    if (length >= kSourcePathSize) {
        path[0] = '\0';
        return false;
    }
    if (length > 0)
        std::memcpy(path, text, length);
    path[length] = '\0';
    return true;
}
