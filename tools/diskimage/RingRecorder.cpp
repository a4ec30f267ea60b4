#include "tools/diskimage/RingRecorder.h"

#include <stdexcept>

#include "format/FrameHeader.h"
#include "tools/recgen/GopBuilder.h"

namespace diskimage {
namespace {

uint32_t RoundUp512(uint32_t n) {
    return (n + 511) / 512 * 512;
}

}  // namespace

std::vector<uint8_t> MakeTestGop(uint32_t time, uint32_t payload, uint32_t prevSectors,
                                 uint32_t statedLength, uint32_t copiedHeaderAt) {
    recgen::GopFields fields;
    fields.time = time;
    fields.prevGopLength = prevSectors;
    const bool split = copiedHeaderAt >= uint32_t(kFrameHeaderSize) && copiedHeaderAt < payload;
    fields.copyGopFields = split;
    recgen::GopBuilder builder(fields);
    recgen::GopFrame frame;
    frame.frameType = 1;
    // 0xAB never forms the frame magic, so no sector inside a GOP looks like
    // a GOP start unless a copied header lies on one.
    if (split) {
        frame.data.assign(copiedHeaderAt - kFrameHeaderSize, 0xAB);
        builder.AddFrame(frame);
        frame.channel = 1;
        payload -= copiedHeaderAt;
    }
    frame.data.assign(payload, 0xAB);
    builder.AddFrame(std::move(frame));
    std::vector<uint8_t> gop = builder.Build();
    if (statedLength > 0) {
        FrameHeader header = ReadFrameHeader(gop.data());
        header.gopLength = statedLength;
        WriteFrameHeader(header, gop.data());
    }
    return gop;
}

RingRecorder::RingRecorder(SparseImage& image, const RingSpan& span, uint64_t startRaw,
                           uint32_t firstEntry)
    : image_(image), span_(span), next_(startRaw), nextEntry_(firstEntry) {
    if (startRaw % 512 != 0 || startRaw < span.begin || startRaw >= span.wrapLimit)
        throw std::invalid_argument("ring: start outside the ring");
}

const PlacedGop& RingRecorder::Append(uint32_t time, uint32_t payload, uint32_t statedLength,
                                      uint32_t copiedHeaderAt) {
    std::vector<uint8_t> gop =
        MakeTestGop(time, payload, prevSectors_, statedLength, copiedHeaderAt);
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

std::vector<PlacedGop> LiveGops(const std::vector<PlacedGop>& written) {
    std::vector<PlacedGop> live;
    for (size_t i = 0; i < written.size(); ++i) {
        const PlacedGop& g = written[i];
        bool overwritten = false;
        for (size_t j = i + 1; j < written.size() && !overwritten; ++j)
            overwritten =
                written[j].raw < g.raw + g.size && g.raw < written[j].raw + written[j].size;
        if (!overwritten)
            live.push_back(g);
    }
    return live;
}

}  // namespace diskimage
