#include "export/mov/BoxOutput.h"

#include <algorithm>
#include <array>

void CBoxOutput::U16(uint16_t value) {
    const uint8_t bytes[2] = {uint8_t(value >> 8), uint8_t(value)};
    Bytes(bytes, sizeof bytes);
}

void CBoxOutput::U32(uint32_t value) {
    const uint8_t bytes[4] = {uint8_t(value >> 24), uint8_t(value >> 16), uint8_t(value >> 8),
                              uint8_t(value)};
    Bytes(bytes, sizeof bytes);
}

void CBoxOutput::Bytes(const void* bytes, size_t size) {
    if (m_Ok && size > 0)
        m_Ok = std::fwrite(bytes, 1, size, m_File) == size;
}

void CBoxOutput::Zeros(size_t count) {
    static const std::array<uint8_t, 64> kZeros{};
    while (count > 0) {
        const size_t n = std::min(count, kZeros.size());
        Bytes(kZeros.data(), n);
        count -= n;
    }
}

void CBoxOutput::Box(uint32_t size, const char* type) {
    U32(size);
    Bytes(type, 4);
}
