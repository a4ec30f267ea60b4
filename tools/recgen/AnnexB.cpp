#include "tools/recgen/AnnexB.h"

namespace recgen {
namespace {

constexpr int kNalSlice = 1, kNalIdr = 5, kNalSps = 7, kNalPps = 8;

// Position of the next 00 00 01 at or after `from`, or the stream's size.
std::size_t NextStartCode(std::span<const uint8_t> s, std::size_t from) {
    for (std::size_t i = from; i + 2 < s.size(); ++i) {
        if (s[i] == 0 && s[i + 1] == 0 && s[i + 2] == 1)
            return i;
    }
    return s.size();
}

void Append(std::vector<uint8_t>& out, std::span<const uint8_t> nal) {
    out.insert(out.end(), {0, 0, 0, 1});
    out.insert(out.end(), nal.begin(), nal.end());
}

}  // namespace

std::vector<std::span<const uint8_t>> SplitNalUnits(std::span<const uint8_t> stream) {
    std::vector<std::span<const uint8_t>> units;
    std::size_t at = NextStartCode(stream, 0);
    while (at < stream.size()) {
        const std::size_t begin = at + 3;
        at = NextStartCode(stream, begin);
        std::size_t end = at;
        // The zero in front of a 4-byte start code and trailing zeros are not payload.
        while (end > begin && stream[end - 1] == 0)
            --end;
        if (end > begin)
            units.push_back(stream.subspan(begin, end - begin));
    }
    return units;
}

std::vector<uint8_t> RecorderFrameWriter::Rewrite(std::span<const uint8_t> accessUnit,
                                                  bool keyFrame) {
    std::vector<std::span<const uint8_t>> slices;
    for (std::span<const uint8_t> nal : SplitNalUnits(accessUnit)) {
        const int type = NalType(nal);
        if (type == kNalSps)
            sps_.assign(nal.begin(), nal.end());
        if (type == kNalPps)
            pps_.assign(nal.begin(), nal.end());
        if (type == kNalSlice || type == kNalIdr)
            slices.push_back(nal);
    }
    std::vector<uint8_t> out;
    if (keyFrame) {
        if (sps_.empty() || pps_.empty())
            return out;
        Append(out, sps_);
        Append(out, pps_);
    }
    for (std::span<const uint8_t> slice : slices)
        Append(out, slice);
    return out;
}

}  // namespace recgen
