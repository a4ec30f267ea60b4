#include "tests/tools/recgen/RecordingReader.h"

#include <fstream>

#include "shared/ByteOrder.h"

namespace {

std::vector<uint8_t> ReadAt(std::ifstream& in, uint64_t offset, std::size_t size) {
    std::vector<uint8_t> bytes(size);
    in.seekg(std::streamoff(offset));
    in.read(reinterpret_cast<char*>(bytes.data()), std::streamsize(size));
    bytes.resize(std::size_t(in.gcount()));
    in.clear();
    return bytes;
}

WalkedGop Walk(const std::vector<uint8_t>& gop, uint64_t offset) {
    WalkedGop w{offset, ReadFrameHeader(gop.data()), {}, {}, {}};
    const std::size_t tail = std::size_t(w.first.audioLength) + w.first.logLength;
    if (gop.size() < tail + kFrameHeaderSize)
        return w;
    const std::size_t framesEnd = gop.size() - tail;
    std::size_t at = 0;
    while (framesEnd > kFrameHeaderSize && at + kFrameHeaderSize <= framesEnd) {
        const FrameHeader h = ReadFrameHeader(gop.data() + at);
        if (h.magic != kFrameMagic)
            break;
        const uint8_t* data = gop.data() + at + kFrameHeaderSize;
        w.frames.push_back({h, {data, data + h.frameLength}});
        at += kFrameHeaderSize + h.frameLength;
    }
    w.audio.assign(gop.begin() + std::ptrdiff_t(framesEnd),
                   gop.begin() + std::ptrdiff_t(framesEnd + w.first.audioLength));
    w.telemetry.assign(gop.end() - w.first.logLength, gop.end());
    return w;
}

}  // namespace

std::vector<IndexEntry> ReadIndex(const std::string& inxPath) {
    std::ifstream in(inxPath, std::ios::binary);
    const std::vector<uint8_t> header = ReadAt(in, 0, 16);
    std::vector<IndexEntry> entries;
    if (header.size() < 16)
        return entries;
    for (uint32_t i = LoadU32(header.data() + 4); i <= LoadU32(header.data() + 8); ++i) {
        const std::vector<uint8_t> e = ReadAt(in, 16ull * i, 16);
        if (e.size() == 16)
            entries.push_back({LoadU32(e.data()), LoadU64(e.data() + 8)});
    }
    return entries;
}

std::vector<WalkedGop> WalkRecording(const std::string& dvrPath, const std::string& inxPath) {
    std::vector<IndexEntry> entries = ReadIndex(inxPath);
    std::vector<WalkedGop> gops;
    std::ifstream dvr(dvrPath, std::ios::binary);
    for (std::size_t i = 0; i + 1 < entries.size(); ++i) {
        const std::vector<uint8_t> head = ReadAt(dvr, entries[i].offset, kFrameHeaderSize);
        if (head.size() < std::size_t(kFrameHeaderSize))
            break;
        const std::vector<uint8_t> gop =
            ReadAt(dvr, entries[i].offset, ReadFrameHeader(head.data()).gopLength);
        if (gop.size() >= std::size_t(kFrameHeaderSize))
            gops.push_back(Walk(gop, entries[i].offset));
    }
    return gops;
}
