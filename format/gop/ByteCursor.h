// A read cursor over [0, end) of a byte buffer. No read can pass `end`: a
// read or skip that would is refused (false / null) and leaves the cursor
// where it was, so a damaged length can never move a parse outside the GOP.
#pragma once

#include <cstdint>

#include "shared/ByteOrder.h"

namespace gop_detail {

class ByteCursor {
public:
    ByteCursor(const uint8_t* base, uint32_t end, uint32_t pos = 0)
        : m_base(base), m_end(end), m_pos(pos <= end ? pos : end) {}

    uint32_t Pos() const { return m_pos; }
    uint32_t End() const { return m_end; }
    uint32_t Remaining() const { return m_end - m_pos; }
    bool Has(uint64_t n) const { return n <= Remaining(); }

    // The n bytes at the cursor, which then moves past them; null (cursor
    // unmoved) when fewer than n remain.
    const uint8_t* Take(uint64_t n) {
        if (!Has(n))
            return nullptr;
        const uint8_t* p = m_base + m_pos;
        m_pos += uint32_t(n);
        return p;
    }
    bool Skip(uint64_t n) { return Take(n) != nullptr; }

    bool ReadU8(uint8_t* v) {
        const uint8_t* p = Take(1);
        if (p)
            *v = *p;
        return p != nullptr;
    }
    bool ReadU16(uint16_t* v) {
        const uint8_t* p = Take(2);
        if (p)
            *v = LoadU16(p);
        return p != nullptr;
    }
    bool ReadU32(uint32_t* v) {
        const uint8_t* p = Take(4);
        if (p)
            *v = LoadU32(p);
        return p != nullptr;
    }

private:
    const uint8_t* m_base;
    uint32_t m_end;
    uint32_t m_pos;
};

}  // namespace gop_detail
