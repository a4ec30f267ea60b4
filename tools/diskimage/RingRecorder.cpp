#include "tools/diskimage/RingRecorder.h"

#include <stdexcept>

#include "tools/recgen/GopBuilder.h"

namespace diskimage {
namespace {

uint32_t RoundUp512(uint32_t n) {
    return (n + 511) / 512 * 512;
}

}  // namespace

std::vector<uint8_t> MakeTestGop(uint32_t time, uint32_t payload, uint32_t prevSectors) {
    recgen::GopFields fields;
    fields.time = time;
    fields.prevGopLength = prevSectors;
    recgen::GopBuilder builder(fields);
    recgen::GopFrame frame;
    frame.frameType = 1;
    // 0xAB never forms the frame magic, so no sector inside a GOP looks like a GOP start.
    frame.data.assign(payload, 0xAB);
    builder.AddFrame(std::move(frame));
    return builder.Build();
}

RingRecorder::RingRecorder(SparseImage& image, const RingSpan& span, uint64_t startRaw,
                           uint32_t firstEntry)
    : image_(image), span_(span), next_(startRaw), nextEntry_(firstEntry) {
    if (startRaw % 512 != 0 || startRaw < span.begin || startRaw >= span.wrapLimit)
        throw std::invalid_argument("ring: start outside the ring");
}

const PlacedGop& RingRecorder::Append(uint32_t time, uint32_t payload) {
    std::vector<uint8_t> gop = MakeTestGop(time, payload, prevSectors_);
    const uint32_t size = RoundUp512(uint32_t(gop.size()));
    if (next_ >= span_.wrapLimit || next_ + size > span_.end) {
        next_ = span_.begin;
        wrapped_ = true;
    }
    gop.resize(size, 0);
    image_.Write(span_.imageBase + next_, gop);
    written_.push_back({next_, size, time, nextEntry_});
    next_ += size;
    nextEntry_ = NextIndexEntry(nextEntry_);
    prevSectors_ = size / 512;
    return written_.back();
}

std::vector<PlacedGop> RingRecorder::Live() const {
    std::vector<PlacedGop> live;
    for (size_t i = 0; i < written_.size(); ++i) {
        const PlacedGop& g = written_[i];
        bool overwritten = false;
        for (size_t j = i + 1; j < written_.size() && !overwritten; ++j)
            overwritten =
                written_[j].raw < g.raw + g.size && g.raw < written_[j].raw + written_[j].size;
        if (!overwritten)
            live.push_back(g);
    }
    return live;
}

}  // namespace diskimage
