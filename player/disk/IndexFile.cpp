#include "player/disk/IndexFile.h"

bool CIndexFile::Open(const char* path) {
    Close();
    m_file = fopen(path, "rb");
    return m_file != nullptr;
}

bool CIndexFile::Reopen(const char* path) {
    FILE* fresh = fopen(path, "rb");
    if (fresh == nullptr)
        return false;
    Close();
    m_file = fresh;
    return true;
}

void CIndexFile::Close() {
    if (m_file != nullptr)
        fclose(m_file);
    m_file = nullptr;
}

bool CIndexFile::Read(uint32_t index, void* record) {
    if (m_file == nullptr)
        return false;
    return fseeko(m_file, off_t(uint64_t(index) * m_recordSize), SEEK_SET) == 0 &&
           fread(record, 1, m_recordSize, m_file) == m_recordSize;
}

bool CIndexFile::WriteHeader(const char* path, const void* bytes, size_t size) {
    FILE* file = fopen(path, "r+b");
    if (file == nullptr)
        return false;
    const bool written = fwrite(bytes, 1, size, file) == size;
    return (fclose(file) == 0) && written;
}
