// Damaged GOPs that recgen::GopBuilder cannot write (lengths that disagree with
// the bytes, blocks cut off by the GOP's end), assembled byte by byte. Each
// must parse without reading or writing outside the GOP or the record.
#include <gtest/gtest.h>

#include <vector>

#include "GopFixture.h"
#include "format/TelemetryLayout.h"

namespace gop_test {
namespace {

// Bytes appended one field at a time (little-endian).
struct Bytes {
    std::vector<uint8_t> v;
    Bytes& U8(uint8_t x) {
        v.push_back(x);
        return *this;
    }
    Bytes& U16(uint16_t x) { return U8(uint8_t(x)).U8(uint8_t(x >> 8)); }
    Bytes& U32(uint32_t x) { return U16(uint16_t(x)).U16(uint16_t(x >> 16)); }
    Bytes& Fill(size_t n, uint8_t x) {
        v.insert(v.end(), n, x);
        return *this;
    }
};

// A GOP without video: the first header, then `tail` (audio + telemetry),
// with the given lengths as the header states them.
RawGop GopWithTail(uint32_t version, const std::vector<uint8_t>& tail, uint32_t audioLength,
                   uint32_t logLength, uint32_t fps = 25) {
    RawGop gop(uint32_t(kFrameHeaderSize + tail.size()));
    FrameHeader h = FirstHeader(version, gop.size(), 0, audioLength, logLength);
    h.fps = fps;
    gop.Header(0, h);
    std::copy(tail.begin(), tail.end(), gop.bytes().begin() + kFrameHeaderSize);
    return gop;
}

uint32_t LogHd(uint8_t bits) {
    return telemetry::kLogTag | bits;
}

// A vehicle record with id "CAR", temperature t.
Bytes& Vehicle(Bytes& b, int8_t t) {
    b.U8('C').U8('A').U8('R').Fill(11, 0);
    return b.U8(uint8_t(t)).U8(0).U8(0).U8(0);
}

TEST(DamagedGop, ParseRejectsFewerThan40ValidBytes) {
    RawGop gop(40);
    gop.Header(0, FirstHeader(4, 40));
    Record r;
    EXPECT_EQ(MakeParser().Parse(gop.data(), 39, r.get(), true), -1);
    EXPECT_EQ(MakeParser().Parse(gop.data(), 0, r.get(), false), -1);
    EXPECT_EQ(MakeParser().Parse(nullptr, 4096, r.get(), false), -1);
    EXPECT_EQ(MakeParser().Parse(gop.data(), 40, nullptr, false), -1);
    EXPECT_EQ(MakeParser().Parse(gop.data(), 40, r.get(), true), 4);
}

TEST(DamagedGop, ParseRejectsAGopLengthBelowItsHeader) {
    RawGop gop(64);
    FrameHeader h = FirstHeader(4, 39);
    h.time = 77;
    gop.Header(0, h);
    Record r;
    EXPECT_EQ(MakeParser().Parse(gop.data(), gop.size(), r.get(), true), -1);
    EXPECT_EQ(r->time, 77u);  // filled before the length check, as for a long GOP
    gop.Header(0, FirstHeader(4, 0));
    EXPECT_EQ(MakeParser().Parse(gop.data(), gop.size(), r.get(), true), -1);
}

TEST(DamagedGop, TelemetryLongerThanTheGopIsIgnored) {
    Bytes log;
    log.U32(LogHd(0x01));
    Vehicle(log.U8(0).U16(1), 20);
    for (uint32_t logLength : {0xFFFFu, uint32_t(log.v.size() + 1), uint32_t(log.v.size() + 40)}) {
        RawGop gop = GopWithTail(1, log.v, 0, logLength);
        Record r;
        r->temperatureCount = 9;
        EXPECT_EQ(MakeParser().Parse(gop.data(), gop.size(), r.get(), true), 1);
        EXPECT_EQ(r->temperatureCount, 0) << logLength;
        EXPECT_EQ(r->carId[0], 0);
    }
    RawGop exact = GopWithTail(1, log.v, 0, uint32_t(log.v.size()));
    Record r;
    EXPECT_EQ(MakeParser().Parse(exact.data(), exact.size(), r.get(), true), 1);
    EXPECT_EQ(r->temperatureCount, 1);
    EXPECT_EQ(r->temperature[0], 20);
}

TEST(DamagedGop, TelemetryTooShortForLogHdIsIgnored) {
    for (uint32_t logLength : {1u, 2u, 3u}) {
        RawGop gop = GopWithTail(2, std::vector<uint8_t>(3, 0x5A), 0, logLength);
        Record r;
        EXPECT_EQ(MakeParser().Parse(gop.data(), gop.size(), r.get(), true), 2);
        EXPECT_EQ(r->speedCount, 0);
    }
}

TEST(DamagedGop, AFrameRunningPastTheGopEndsTheWalkUnentered) {
    RawGop gop(200);
    gop.Header(0, FirstHeader(4, 200, 0xFFFFF));
    Record r;
    r.FillSentinels();
    EXPECT_EQ(MakeParser().Parse(gop.data(), gop.size(), r.get(), true), 4);
    EXPECT_EQ(r->frameOffset[0][0], kSentinel);
    EXPECT_EQ(r->fps[0], int32_t(kSentinel));
}

TEST(DamagedGop, ALaterFrameRunningPastTheGopEndsTheWalk) {
    RawGop gop(200);
    gop.Header(0, FirstHeader(4, 200, 10));
    gop.Header(50, FrameOf(1, 1, 200 - 90 + 1));  // one byte too long
    Record r;
    r.FillSentinels();
    EXPECT_EQ(MakeParser().Parse(gop.data(), gop.size(), r.get(), true), 4);
    EXPECT_EQ(r->frameOffset[0][0], 40u);
    EXPECT_EQ(r->frameLength[0][0], 10u);
    EXPECT_EQ(r->frameOffset[1][0], kSentinel);
}

TEST(DamagedGop, AHeaderCutOffByTheGopEndIsNotRead) {
    // 30 bytes after the first frame: magic 511 but no room for a header.
    RawGop gop(100);
    gop.Header(0, FirstHeader(4, 80, 10));
    gop.U32(50, kFrameMagic);
    gop.U8(57, 1);  // frame number 1
    gop.U8(58, 3);  // channel 3
    Record r;
    r.FillSentinels();
    EXPECT_EQ(MakeParser().Parse(gop.data(), 100, r.get(), true), 4);
    EXPECT_EQ(r->frameOffset[0][0], 40u);
    EXPECT_EQ(r->frameOffset[3][0], kSentinel);
}

TEST(DamagedGop, ASubBlockRunningPastTheGopEndsTheTelemetry) {
    Bytes log;
    log.U32(LogHd(0x83));  // vehicle, speed, voltage
    Vehicle(log.U8(0).U16(1), -3);
    log.U8(0).U16(1000).U16(7).U16(8);  // speed says 1000 records, 2 present
    RawGop gop = GopWithTail(4, log.v, 0, uint32_t(log.v.size()));
    Record r;
    EXPECT_EQ(MakeParser().Parse(gop.data(), gop.size(), r.get(), true), 4);
    EXPECT_EQ(r->temperatureCount, 1);
    EXPECT_EQ(r->temperature[0], -3);
    EXPECT_EQ(r->speedCount, 0);
    EXPECT_EQ(r->voltageCount, 0);
}

TEST(DamagedGop, ASubBlockHeaderCutOffEndsTheTelemetry) {
    Bytes log;
    log.U32(LogHd(0x06)).U8(0).U16(1).U16(0x1005).U8(0);  // speed 5.1, GPS header cut
    RawGop gop = GopWithTail(4, log.v, 0, uint32_t(log.v.size()));
    Record r;
    EXPECT_EQ(MakeParser().Parse(gop.data(), gop.size(), r.get(), true), 4);
    EXPECT_EQ(r->speedCount, 1);
    EXPECT_FLOAT_EQ(r->speed[0], 5.1f);
    EXPECT_EQ(r->gpsCount, 0);
}

TEST(DamagedGop, AReservedSubBlockCutOffEndsTheTelemetry) {
    Bytes log;
    log.U32(LogHd(0xA0)).U8(0).U16(1).U8(0);  // bit 5 needs 5 bytes, 4 present
    RawGop gop = GopWithTail(4, log.v, 0, uint32_t(log.v.size()));
    Record r;
    EXPECT_EQ(MakeParser().Parse(gop.data(), gop.size(), r.get(), true), 4);
    EXPECT_EQ(r->voltageCount, 0);
}

TEST(DamagedGop, ATyreBlockCutOffIsNotRead) {
    for (int cut : {1, 4, 9}) {  // in the header, the entries, the truck layout
        Bytes log;
        log.U32(LogHd(0x10)).U8(0).U16(2).U8(4);
        for (uint8_t i = 0; i < 4; ++i)
            log.U8(i).U8(0x04).U8(30).U8(90);
        log.U8(1).U8(0).U8(0).U8(0x01);
        log.v.resize(log.v.size() - size_t(cut));
        RawGop gop = GopWithTail(4, log.v, 0, uint32_t(log.v.size()));
        Record r;
        r.FillSentinels();
        r->tyreCount = 5;
        EXPECT_EQ(MakeParser().Parse(gop.data(), gop.size(), r.get(), true), 4);
        EXPECT_EQ(r->tpmsCount, 0) << cut;
        EXPECT_EQ(r->tyreCount, 5);
        EXPECT_EQ(r->axleKind[0], int32_t(kSentinel));
    }
}

TEST(DamagedGop, AudioLongerThanTheGopIsCutAtItsEnd) {
    // One frame, 100 bytes of PCM; the header claims 5000 bytes of audio.
    RawGop gop(200);
    FrameHeader h = FirstHeader(1, 200, 60, 5000, 0);
    h.sampleBitsCode = 1;  // 8 bits, mono
    gop.Header(0, h);
    for (uint32_t i = 100; i < 200; ++i)
        gop.U8(i, uint8_t(i));
    Record r;
    EXPECT_EQ(MakeParser().Parse(gop.data(), gop.size(), r.get(), true), 1);
    EXPECT_EQ(r->frameOffset[0][0], 40u);
    EXPECT_EQ(r->audioLength, 100);
    EXPECT_EQ(r.audio[0], 100);
    EXPECT_EQ(r.audio[99], 199);
    EXPECT_EQ(r.audio[100], 0);
    EXPECT_EQ(r->chunkOffset[15] + r->chunkLength[15], 100u);
    EXPECT_TRUE(r.GuardIntact());
}

// A u-law audio block: header, track lengths, then `body`.
std::vector<uint8_t> UlawBlock(uint32_t dataOffset, uint16_t tracks, uint16_t chunkHeader,
                               uint16_t chunk, const std::vector<uint32_t>& lengths,
                               const std::vector<uint8_t>& body) {
    Bytes b;
    b.Fill(8, 0).U32(dataOffset).U16(tracks).U16(0).U32((uint32_t(chunkHeader) << 16) | chunk);
    b.Fill(20, 0);
    for (uint32_t l : lengths)
        b.U32(l);
    b.v.insert(b.v.end(), body.begin(), body.end());
    return b.v;
}

TEST(DamagedGop, UlawChunksOfSizeZeroDoNotLoopForever) {
    const auto block = UlawBlock(48, 2, 0, 0, {100, 100}, std::vector<uint8_t>(200, 1));
    RawGop gop = GopWithTail(4, block, uint32_t(block.size()), 0);
    Record r;
    r.FillSentinels();
    for (int track : {0, 1}) {
        g_nAudioType = track;
        EXPECT_EQ(MakeParser().Parse(gop.data(), gop.size(), r.get(), true), 4);
        EXPECT_EQ(r->audioLength, 0);
        EXPECT_EQ(r->chunkOffset[0], kSentinel);
    }
    g_nAudioType = 0;
}

TEST(DamagedGop, UlawChunkHeadersOnlyTakeEmptyChunks) {
    // Chunk size 0, header size 4: chunks of nothing, audioLength 0.
    const auto block = UlawBlock(44, 1, 4, 0, {40}, std::vector<uint8_t>(40, 1));
    RawGop gop = GopWithTail(4, block, uint32_t(block.size()), 0);
    Record r;
    EXPECT_EQ(MakeParser().Parse(gop.data(), gop.size(), r.get(), true), 4);
    EXPECT_EQ(r->audioLength, 0);
    EXPECT_EQ(r->chunkOffset[9], 720u);
    EXPECT_TRUE(r.GuardIntact());
}

TEST(DamagedGop, UlawTrackOutsideTheGopGivesNoAudio) {
    for (uint32_t offset : {0xFFFFFFF0u, 200u, 46u}) {
        const auto block = UlawBlock(offset, 1, 4, 76, {160}, std::vector<uint8_t>(160, 1));
        RawGop gop = GopWithTail(4, block, uint32_t(block.size()), 0);
        Record r;
        r.FillSentinels();
        EXPECT_EQ(MakeParser().Parse(gop.data(), gop.size(), r.get(), true), 4);
        if (offset == 46u) {  // the first chunk fits, the second would pass the end
            EXPECT_EQ(r->audioLength, 76);
        } else {
            EXPECT_EQ(r->audioLength, 0) << offset;
            EXPECT_EQ(r->chunkOffset[0], kSentinel);
        }
    }
}

TEST(DamagedGop, UlawTrackLengthsPastTheGopCountAsEmpty) {
    // Two tracks declared, but the block ends right after the audio header.
    const auto block = UlawBlock(48, 2, 4, 76, {}, {});
    RawGop gop = GopWithTail(4, block, uint32_t(block.size()), 0);
    Record r;
    g_nAudioType = 1;
    EXPECT_EQ(MakeParser().Parse(gop.data(), gop.size(), r.get(), true), 4);
    g_nAudioType = 0;
    EXPECT_EQ(r->audioLength, 0);
}

TEST(DamagedGop, UlawAudioHeaderCutOffGivesNoAudio) {
    const std::vector<uint8_t> block(20, 0);
    RawGop gop = GopWithTail(4, block, 300, 0);
    Record r;
    EXPECT_EQ(MakeParser().Parse(gop.data(), gop.size(), r.get(), true), 4);
    EXPECT_EQ(r->audioLength, 0);
}

TEST(DamagedGop, AnAudioLengthBeyondTheGopIsCutToIt) {
    RawGop gop(100);
    gop.Header(0, FirstHeader(1, 100, 0, 0xFFFFFFF0u, 0));
    Record r;
    EXPECT_EQ(MakeParser().Parse(gop.data(), gop.size(), r.get(), false), 1);
    EXPECT_EQ(r->audioLength, 60);
    EXPECT_EQ(MakeParser().Parse(gop.data(), gop.size(), r.get(), true), 1);
    EXPECT_EQ(r->audioLength, 60);
    EXPECT_TRUE(r.GuardIntact());
}

TEST(DamagedGop, WantedAudioWithoutABufferIsNotCopied) {
    const auto block = UlawBlock(44, 1, 4, 76, {160}, std::vector<uint8_t>(160, 1));
    RawGop gop = GopWithTail(4, block, uint32_t(block.size()), 0);
    Record r;
    r->audioData = nullptr;
    EXPECT_EQ(MakeParser().Parse(gop.data(), gop.size(), r.get(), true), 4);
    EXPECT_EQ(r->audioLength, int32_t(block.size()));  // the header's, as without audio
}

TEST(DamagedGop, EveryPrefixOfAGopParsesSafely) {
    // A GOP with frames, u-law audio and every sub-block, offered with
    // gopLength cut at every length: each parse must stay inside.
    Bytes log;
    log.U32(LogHd(0xFF));
    Vehicle(log.U8(0).U16(2), 1);
    Vehicle(log, 2);
    log.U8(0).U16(2).U16(1).U16(2);
    log.U8(0).U16(1).Fill(34, '1');
    log.U8(0).U16(1).U8(1).U8(2).U8(3);
    log.U8(0).U16(2).U8(4);
    for (uint8_t i = 0; i < 4; ++i)
        log.U8(i).U8(0x14).U8(210).U8(90);
    log.U8(1).U8(0).U8(0).U8(0x09);
    log.Fill(5, 0).Fill(4, 0).U8(0).U16(1).U16(0x200C);
    const auto audio = UlawBlock(44, 1, 4, 76, {160}, std::vector<uint8_t>(160, 7));
    const uint32_t full = 40 + 16 + 40 + 8 + uint32_t(audio.size() + log.v.size());
    RawGop gop(full);
    gop.Header(0, FirstHeader(4, full, 16, uint32_t(audio.size()), uint32_t(log.v.size())));
    gop.Header(56, FrameOf(1, 1, 8));
    std::copy(audio.begin(), audio.end(), gop.bytes().begin() + 104);
    std::copy(log.v.begin(), log.v.end(), gop.bytes().begin() + 104 + long(audio.size()));
    Record whole;
    ASSERT_EQ(MakeParser().Parse(gop.data(), full, whole.get(), true), 4);
    ASSERT_EQ(whole->voltageCount, 1);
    ASSERT_EQ(whole->audioLength, 152);
    for (uint32_t cut = 40; cut < full; ++cut) {
        std::vector<uint8_t> prefix(gop.bytes().begin(), gop.bytes().begin() + cut);
        StoreU32(prefix.data() + 32, cut);
        Record r;
        for (bool audioWanted : {false, true})
            EXPECT_EQ(MakeParser().Parse(prefix.data(), cut, r.get(), audioWanted), 4) << cut;
        EXPECT_TRUE(r.GuardIntact());
        EXPECT_LE(r->speedCount, 2);
    }
}

}  // namespace
}  // namespace gop_test
