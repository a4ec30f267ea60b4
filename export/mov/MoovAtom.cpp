#include "export/mov/MoovAtom.h"

namespace {

constexpr uint32_t kEpoch1970 = 0x7C25B080;  // 1970-01-01 in seconds from 1904
constexpr uint32_t kVideoTrackId = 1, kAudioTrackId = 2;

struct TrakSizes {
    uint32_t stbl, minf, mdia, trak;
};

uint32_t AvcCSize(const MoovFacts& f) {
    return uint32_t(f.sps.size() + f.pps.size() + 19);
}

uint32_t VideoStsdSize(const MoovFacts& f) {
    return AvcCSize(f) + 102;
}

uint32_t StscSize(const CSampleTable& t) {
    return 12 * t.Count() + 16;
}

uint32_t WordTableSize(const CSampleTable& t, uint32_t headerSize) {
    return 4 * t.Count() + headerSize;
}

uint32_t OffsetTableSize(const MoovFacts& f, const CSampleTable& t) {
    return (f.longOffsets ? 8 : 4) * t.Count() + 16;
}

TrakSizes VideoSizes(const MoovFacts& f, const MovTableSet& t) {
    TrakSizes s{};
    s.stbl = 8 * t[kVideoSttsCounts].Count() + 16 + WordTableSize(t[kVideoSyncSamples], 16) +
             StscSize(t[kVideoSamplesPerChunk]) + WordTableSize(t[kVideoSampleSizes], 20) +
             OffsetTableSize(f, t[kVideoChunkOffsets]) + VideoStsdSize(f) + 8;
    s.minf = s.stbl + 64;
    s.mdia = s.minf + 85;
    s.trak = s.mdia + 100;
    return s;
}

TrakSizes AudioSizes(const MoovFacts& f, const MovTableSet& t) {
    TrakSizes s{};
    s.stbl = 24 + StscSize(t[kAudioSamplesPerChunk]) + 20 +
             OffsetTableSize(f, t[kAudioChunkOffsets]) + 52 + 8;
    s.minf = s.stbl + 60;
    s.mdia = s.minf + 85;
    s.trak = s.mdia + 100;
    return s;
}

void Matrix(CBoxOutput& out) {
    for (uint32_t v : {0x10000u, 0u, 0u, 0u, 0x10000u, 0u, 0u, 0u, 0x40000000u})
        out.U32(v);
}

void Mvhd(CBoxOutput& out, const MoovFacts& f) {
    out.Box(108, "mvhd");
    out.U32(0);
    out.U32(kEpoch1970);
    out.U32(kEpoch1970);
    out.U32(f.timescale);
    out.U32(f.videoDuration);
    out.U32(0x10000);  // rate 1.0
    out.U16(0x100);    // volume 1.0
    out.Zeros(10);
    Matrix(out);
    out.Zeros(24);
    out.U32(kAudioTrackId + 1);
}

void Tkhd(CBoxOutput& out, uint32_t trackId, uint32_t duration, uint16_t volume, int width,
          int height) {
    out.Box(92, "tkhd");
    out.U32(15);  // enabled, in movie, in preview, in poster
    out.U32(kEpoch1970);
    out.U32(kEpoch1970);
    out.U32(trackId);
    out.U32(0);
    out.U32(duration);
    out.Zeros(12);
    out.U16(volume);
    out.Zeros(2);
    Matrix(out);
    out.U32(uint32_t(width) << 16);
    out.U32(uint32_t(height) << 16);
}

void Mdhd(CBoxOutput& out, uint32_t timescale, uint32_t duration) {
    out.Box(32, "mdhd");
    out.U32(0);
    out.U32(kEpoch1970);
    out.U32(kEpoch1970);
    out.U32(timescale);
    out.U32(duration);
    out.U32(0);
}

void Hdlr(CBoxOutput& out, const char* subtype, const char* name) {
    out.Box(45, "hdlr");
    out.U32(0);
    out.Bytes("mhlr", 4);
    out.Bytes(subtype, 4);
    out.Zeros(12);
    out.U8(12);
    out.Bytes(name, 12);
}

void Dinf(CBoxOutput& out) {
    out.Box(36, "dinf");
    out.Box(28, "dref");
    out.U32(0);
    out.U32(1);
    out.Box(12, "url ");
    out.U32(1);  // the data are in this file
}

void Avc1(CBoxOutput& out, const MoovFacts& f) {
    out.Box(VideoStsdSize(f), "stsd");
    out.U32(0);
    out.U32(1);
    out.Box(VideoStsdSize(f) - 16, "avc1");
    out.Zeros(6);
    out.U16(1);  // data reference
    out.U32(0);
    out.Bytes("VEXO", 4);
    out.U32(512);  // temporal quality
    out.U32(512);  // spatial quality
    out.U16(uint16_t(f.width));
    out.U16(uint16_t(f.height));
    out.U32(0x480000);  // 72 dpi
    out.U32(0x480000);
    out.U32(0);
    out.U16(1);  // frames per sample
    out.Zeros(32);
    out.U16(24);
    out.U16(0xFFFF);
    out.Box(AvcCSize(f), "avcC");
    // Profile, compatibility and level as the SPS states them.
    const bool full = f.sps.size() >= 4;
    out.U8(1);
    out.U8(full ? f.sps[1] : 0x42);
    out.U8(full ? f.sps[2] : 0x00);
    out.U8(full ? f.sps[3] : 0x1E);
    out.U8(0xFF);  // 4-byte lengths
    out.U8(0xE1);  // one SPS
    out.U16(uint16_t(f.sps.size()));
    out.Bytes(f.sps);
    out.U8(1);
    out.U16(uint16_t(f.pps.size()));
    out.Bytes(f.pps);
}

void Ulaw(CBoxOutput& out, const MoovFacts& f) {
    out.Box(52, "stsd");
    out.U32(0);
    out.U32(1);
    out.Box(36, "ulaw");
    out.Zeros(6);
    out.U16(1);  // data reference
    out.Zeros(8);
    out.U16(1);  // mono
    out.U16(uint16_t(f.sampleBits));
    out.U16(0xFFFE);  // compression id -2
    out.U16(0);
    out.U16(uint16_t(f.sampleRate));  // 16.16
    out.U16(0);
}

// A table box whose entries are copied from one work file as they are.
bool CopiedTable(CBoxOutput& out, const char* type, CSampleTable& t, bool withSampleSize) {
    out.Box(WordTableSize(t, withSampleSize ? 20 : 16), type);
    out.U32(0);
    if (withSampleSize)
        out.U32(0);
    out.U32(t.Count());
    return t.Rewind() && t.CopyTo(out);
}

bool ChunkOffsets(CBoxOutput& out, const MoovFacts& f, CSampleTable& offsets) {
    if (!f.longOffsets)
        return CopiedTable(out, "stco", offsets, false);
    out.Box(OffsetTableSize(f, offsets), "co64");
    out.U32(0);
    out.U32(offsets.Count());
    if (!offsets.Rewind())
        return false;
    uint32_t high = 0, previous = 0;
    for (uint32_t i = 0; i < offsets.Count(); ++i) {
        uint32_t low = 0;
        if (!offsets.ReadNext(&low))
            return false;
        high += low < previous ? 1 : 0;
        previous = low;
        out.U32(high);
        out.U32(low);
    }
    return true;
}

bool Stsc(CBoxOutput& out, CSampleTable& samplesPerChunk) {
    out.Box(StscSize(samplesPerChunk), "stsc");
    out.U32(0);
    out.U32(samplesPerChunk.Count());
    if (!samplesPerChunk.Rewind())
        return false;
    for (uint32_t chunk = 1; chunk <= samplesPerChunk.Count(); ++chunk) {
        uint32_t samples = 0;
        if (!samplesPerChunk.ReadNext(&samples))
            return false;
        out.U32(chunk);
        out.U32(samples);
        out.U32(1);
    }
    return true;
}

bool VideoStts(CBoxOutput& out, CSampleTable& counts, CSampleTable& durations) {
    out.Box(8 * counts.Count() + 16, "stts");
    out.U32(0);
    out.U32(counts.Count());
    if (!counts.Rewind() || !durations.Rewind())
        return false;
    for (uint32_t i = 0; i < counts.Count(); ++i) {
        uint32_t count = 0, duration = 0;
        if (!counts.ReadNext(&count) || !durations.ReadNext(&duration))
            return false;
        out.U32(count);
        out.U32(duration);
    }
    return true;
}

bool ReadSingle(CSampleTable& t, uint32_t* value) {
    return t.Count() == 1 && t.Rewind() && t.ReadNext(value);
}

bool VideoTrak(CBoxOutput& out, const MoovFacts& f, MovTableSet& t) {
    const TrakSizes s = VideoSizes(f, t);
    out.Box(s.trak, "trak");
    Tkhd(out, kVideoTrackId, f.videoDuration, 0, f.width, f.height);
    out.Box(s.mdia, "mdia");
    Mdhd(out, f.timescale, f.videoDuration);
    Hdlr(out, "vide", "VideoHandler");
    out.Box(s.minf, "minf");
    out.Box(20, "vmhd");
    out.U32(1);
    out.Zeros(8);
    Dinf(out);
    out.Box(s.stbl, "stbl");
    Avc1(out, f);
    return VideoStts(out, t[kVideoSttsCounts], t[kVideoSttsDurations]) &&
           CopiedTable(out, "stss", t[kVideoSyncSamples], false) &&
           Stsc(out, t[kVideoSamplesPerChunk]) &&
           CopiedTable(out, "stsz", t[kVideoSampleSizes], true) &&
           ChunkOffsets(out, f, t[kVideoChunkOffsets]);
}

bool AudioTrak(CBoxOutput& out, const MoovFacts& f, MovTableSet& t) {
    uint32_t sttsCount = 0, sampleCount = 0;
    if (!ReadSingle(t[kAudioSttsCount], &sttsCount) ||
        !ReadSingle(t[kAudioSampleCount], &sampleCount))
        return false;
    const TrakSizes s = AudioSizes(f, t);
    out.Box(s.trak, "trak");
    Tkhd(out, kAudioTrackId, f.audioDuration, 0x100, 0, 0);
    out.Box(s.mdia, "mdia");
    Mdhd(out, f.sampleRate, f.audioSamples);
    Hdlr(out, "soun", "SoundHandler");
    out.Box(s.minf, "minf");
    out.Box(16, "smhd");
    out.Zeros(8);
    Dinf(out);
    out.Box(s.stbl, "stbl");
    Ulaw(out, f);
    out.Box(24, "stts");
    out.U32(0);
    out.U32(1);
    out.U32(sttsCount);
    out.U32(1);
    if (!Stsc(out, t[kAudioSamplesPerChunk]))
        return false;
    out.Box(20, "stsz");
    out.U32(0);
    out.U32(1);  // every sample is one byte
    out.U32(sampleCount);
    return ChunkOffsets(out, f, t[kAudioChunkOffsets]);
}

}  // namespace

uint32_t MoovSize(const MoovFacts& facts, MovTableSet& tables) {
    return VideoSizes(facts, tables).trak + AudioSizes(facts, tables).trak + 116;
}

bool WriteMoov(CBoxOutput& out, const MoovFacts& facts, MovTableSet& tables) {
    out.Box(MoovSize(facts, tables), "moov");
    Mvhd(out, facts);
    return VideoTrak(out, facts, tables) && AudioTrak(out, facts, tables) && out.Ok();
}
