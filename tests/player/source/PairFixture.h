// Test fixture of the file pair reader: a temporary directory with one pair
// r.dvr / r.inx written by recgen, the error reports captured, and a reader.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "format/FrameHeader.h"
#include "player/source/FileSource.h"
#include "tests/player/errors/ErrorCapture.h"
#include "tests/tools/recgen/TempDir.h"
#include "tools/recgen/GopBuilder.h"
#include "tools/recgen/PairWriter.h"

// The GOPs of the fixtures carry their number in `time`: kFirstTime + i.
inline constexpr uint32_t kFirstTime = 1000;

struct GopShape {
    uint32_t version = 4;
    uint32_t gopLength = 2000;      // bytes of the whole GOP, at least 40
    uint32_t channelCountCode = 2;  // 4 channels
    uint32_t sampleRateCode = 1;    // 8000 Hz
    uint32_t sampleBitsCode = 0;    // 16 bits
    // When above 0: a second frame whose header lies this many bytes into the GOP.
    uint32_t secondFrameAt = 0;
    bool copyGopFields = false;  // every frame header carries the GOP-wide fields
    bool telemetry = false;      // a telemetry block of its header alone ends the GOP
};

inline std::vector<uint8_t> MakeGop(const GopShape& shape, uint32_t time) {
    recgen::GopBuilder builder({.version = shape.version,
                                .channelCountCode = shape.channelCountCode,
                                .time = time,
                                .sampleBitsCode = shape.sampleBitsCode,
                                .sampleRateCode = shape.sampleRateCode,
                                .copyGopFields = shape.copyGopFields});
    uint32_t rest = shape.gopLength - kFrameHeaderSize;
    if (shape.telemetry) {
        builder.SetRawTelemetry({0, 0, 0, 0x5A});  // log_hd with no sub-blocks
        rest -= 4;
    }
    if (shape.secondFrameAt > 0) {
        recgen::GopFrame first;
        first.data.assign(shape.secondFrameAt - kFrameHeaderSize, 0x5C);
        builder.AddFrame(std::move(first));
        rest -= shape.secondFrameAt;
    }
    recgen::GopFrame frame;
    frame.channel = shape.secondFrameAt > 0 ? 1 : 0;
    frame.data.assign(rest, 0x5C);
    builder.AddFrame(std::move(frame));
    return builder.Build();
}

// The GOP number a read buffer holds.
inline int GopNumberOf(const uint8_t* gop) {
    return int(ReadFrameHeader(gop).time - kFirstTime);
}

class PairFixture : public testing::Test {
protected:
    std::string Dvr() const { return dir_.File("r.dvr"); }
    std::string Inx() const { return dir_.File("r.inx"); }

    std::unique_ptr<recgen::PairWriter> Writer() {
        auto writer = recgen::PairWriter::Create(Dvr(), Inx());
        EXPECT_NE(writer, nullptr);
        return writer;
    }

    // Adds GOPs numbered first .. first + count - 1 to `writer`.
    static void AddGops(recgen::PairWriter& writer, int first, int count,
                        const GopShape& shape = {}) {
        for (int i = first; i < first + count; ++i)
            ASSERT_TRUE(writer.AddGop(MakeGop(shape, kFirstTime + uint32_t(i))));
    }

    // Writes `count` GOPs and finishes the pair; GOP `damaged` is written
    // with `damage`.
    void WritePairDamaging(int count, int damaged, const recgen::GopDamage& damage) {
        auto writer = Writer();
        AddGops(*writer, 0, damaged);
        ASSERT_TRUE(writer->AddGop(MakeGop({}, kFirstTime + uint32_t(damaged)), damage));
        AddGops(*writer, damaged + 1, count - damaged - 1);
        ASSERT_TRUE(writer->Finish());
    }

    // Writes `count` GOPs of `shape` and finishes the pair.
    std::vector<recgen::GopPlacement> WritePair(int count, const GopShape& shape = {},
                                                const recgen::FinishOptions& finish = {}) {
        auto writer = Writer();
        AddGops(*writer, 0, count, shape);
        std::vector<recgen::GopPlacement> placements = writer->Placements();
        EXPECT_TRUE(writer->Finish(finish));
        return placements;
    }

    void OpenPair() {
        ASSERT_EQ(reader_.Open(Dvr().c_str(), Inx().c_str()), 0);
        ASSERT_TRUE(errors_.Take().empty());
    }

    // Every read is offered the whole buffer, as the player does.
    GopReadResult Read() {
        length_ = kGopBufferSize;
        return reader_.ReadGop(buffer_.data(), &length_);
    }
    GopReadResult Skip(int n) {
        length_ = kGopBufferSize;
        return reader_.SkipGop(n, buffer_.data(), &length_);
    }
    GopReadResult Back() {
        length_ = kGopBufferSize;
        return reader_.ReadGopBack(buffer_.data(), &length_);
    }
    GopReadResult SkipBack(int n) {
        length_ = kGopBufferSize;
        return reader_.SkipGopBack(n, buffer_.data(), &length_);
    }
    int Number() const { return GopNumberOf(buffer_.data()); }

    TempDir dir_;
    ErrorCapture errors_;
    CFileSource reader_;
    std::vector<uint8_t> buffer_ = std::vector<uint8_t>(kGopBufferSize);
    int length_ = 0;
};
