// Big-endian writes into a movie file, atom by atom. The first failed write
// makes the output failed; later writes are then skipped.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <span>

class CBoxOutput {
public:
    explicit CBoxOutput(FILE* file) : m_File(file) {}

    void U8(uint8_t value) { Bytes(&value, 1); }
    void U16(uint16_t value);
    void U32(uint32_t value);
    void Bytes(const void* bytes, size_t size);
    void Bytes(std::span<const uint8_t> bytes) { Bytes(bytes.data(), bytes.size()); }
    void Zeros(size_t count);
    // An atom header: its size, header included, and its four-letter type.
    void Box(uint32_t size, const char* type);

    bool Ok() const { return m_Ok; }

private:
    FILE* m_File;
    bool m_Ok = true;
};
