#include "export/mov/SampleTable.h"

#include <algorithm>
#include <array>

CSampleTable::~CSampleTable() {
    Remove();
}

bool CSampleTable::Open(const std::string& path) {
    Remove();
    m_File = std::fopen(path.c_str(), "wb+");
    if (m_File == nullptr)
        return false;
    m_Path = path;
    m_Count = 0;
    return true;
}

bool CSampleTable::Append(uint32_t entry) {
    const uint8_t bytes[4] = {uint8_t(entry >> 24), uint8_t(entry >> 16), uint8_t(entry >> 8),
                              uint8_t(entry)};
    if (m_File == nullptr || std::fwrite(bytes, 1, 4, m_File) != 4)
        return false;
    ++m_Count;
    return true;
}

bool CSampleTable::Rewind() {
    return m_File != nullptr && std::fseek(m_File, 0, SEEK_SET) == 0;
}

bool CSampleTable::CopyTo(CBoxOutput& out) {
    std::array<uint8_t, 16384> buffer;
    size_t left = size_t(m_Count) * 4;
    while (left > 0 && out.Ok()) {
        const size_t n = std::fread(buffer.data(), 1, std::min(left, buffer.size()), m_File);
        if (n == 0)
            return false;
        out.Bytes(buffer.data(), n);
        left -= n;
    }
    return out.Ok();
}

bool CSampleTable::ReadNext(uint32_t* entry) {
    uint8_t bytes[4];
    if (std::fread(bytes, 1, 4, m_File) != 4)
        return false;
    *entry =
        uint32_t(bytes[0]) << 24 | uint32_t(bytes[1]) << 16 | uint32_t(bytes[2]) << 8 | bytes[3];
    return true;
}

void CSampleTable::Remove() {
    if (m_File == nullptr)
        return;
    std::fclose(m_File);
    std::remove(m_Path.c_str());
    m_File = nullptr;
    m_Path.clear();
    m_Count = 0;
}
