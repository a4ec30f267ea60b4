// The probe every reader runs while it opens a source: it reads GOPs 0, 2, 5,
// 9, 14, ... (attempt 0 reads, attempt k >= 1 passes k GOPs and reads the
// next) until CGopParser::Probe accepts one, the data ends, or 100 attempts
// are made. The reader's position is left wherever the attempts stopped.
#pragma once

#include <cstdint>
#include <memory>

#include "format/gop/GopParser.h"
#include "player/source/GopReadResult.h"
#include "shared/GopRecords.h"

inline constexpr int kProbeAttempts = 100;

// `Reader` offers ReadGop(buffer, length) and SkipGop(n, buffer, length).
// True with `set` filled from the accepted GOP's first header.
template <typename Reader>
bool ProbeFirstGops(Reader& reader, FrameSet* set) {
    auto buffer = std::make_unique_for_overwrite<uint8_t[]>(kGopBufferSize);
    const CGopParser parser;
    for (int k = 0; k < kProbeAttempts; ++k) {
        int length = kGopBufferSize;
        const GopReadResult result = k == 0 ? reader.ReadGop(buffer.get(), &length)
                                            : reader.SkipGop(k, buffer.get(), &length);
        if (result == GopReadResult::End)
            return false;
        if (result == GopReadResult::Read && parser.Probe(buffer.get(), uint32_t(length), set) == 0)
            return true;
    }
    return false;
}
