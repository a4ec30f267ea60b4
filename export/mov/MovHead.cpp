#include "export/mov/MovHead.h"

#include <limits>

#include "export/mov/BoxOutput.h"

namespace {

constexpr long kWideAt = 20;
constexpr long kMdatAt = 28;

}  // namespace

bool WriteMovHead(FILE* mov) {
    CBoxOutput out(mov);
    out.Box(20, "ftyp");
    out.Bytes("qt  ", 4);
    out.U32(0x20050300);
    out.Bytes("qt  ", 4);
    out.Box(8, "wide");
    out.Box(0, "mdat");
    return out.Ok();
}

bool WriteMdatSize(FILE* mov, uint64_t mediaEnd) {
    CBoxOutput out(mov);
    const uint64_t size = mediaEnd - kMdatAt;
    if (size <= std::numeric_limits<uint32_t>::max()) {
        if (std::fseek(mov, kMdatAt, SEEK_SET) != 0)
            return false;
        out.U32(uint32_t(size));
        return out.Ok();
    }
    if (std::fseek(mov, kWideAt, SEEK_SET) != 0)
        return false;
    out.U32(1);  // the size follows as 64 bits
    out.Bytes("mdat", 4);
    out.U32(uint32_t((mediaEnd - kWideAt) >> 32));
    out.U32(uint32_t(mediaEnd - kWideAt));
    return out.Ok();
}
