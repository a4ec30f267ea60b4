// CFrameRouter's routing of one frame to its channel's decoder.
#include "player/decode/FrameRouter.h"

#include <gtest/gtest.h>

#include "RecordingDecoder.h"

namespace gop_test {
namespace {

TEST(CFrameRouter, GroupCountIsOneOnlyWhenOneIsPassed) {
    CDataDec* none[kMaxChannels] = {};
    EXPECT_EQ(CFrameRouter(none, 1).GroupCount(), 1);
    EXPECT_EQ(CFrameRouter(none, 0).GroupCount(), 0);
    EXPECT_EQ(CFrameRouter(none, 2).GroupCount(), 0);
}

struct DecoderTable {
    RecordingDecoder decoders[kMaxChannels];
    CDataDec* table[kMaxChannels];
    DecoderTable() {
        for (int c = 0; c < kMaxChannels; ++c)
            table[c] = &decoders[c];
    }
};

TEST(DecodeFrame, CallsTheChannelsDecoderWithTheArgumentsUnchanged) {
    DecoderTable d;
    CFrameRouter router(d.table, 1);
    const unsigned char data[3] = {1, 2, 3};
    unsigned char out[8];
    int size = 0, width = 0, height = 0;
    EXPECT_TRUE(router.DecodeFrame(0, 5, data, 3, out, &size, &width, &height));
    ASSERT_EQ(d.decoders[4].decodes.size(), 1u);
    const RecordingDecoder::DecodeCall& call = d.decoders[4].decodes[0];
    EXPECT_EQ(call.data, data);
    EXPECT_EQ(call.length, 3);
    EXPECT_EQ(call.out, out);
    EXPECT_EQ(call.size, &size);
    EXPECT_EQ(call.width, &width);
    EXPECT_EQ(call.height, &height);
    for (int c = 0; c < kMaxChannels; ++c) {
        if (c != 4) {
            EXPECT_TRUE(d.decoders[c].decodes.empty());
        }
        EXPECT_EQ(d.decoders[c].opens, 0);
        EXPECT_EQ(d.decoders[c].closes, 0);
    }
}

TEST(DecodeFrame, ReturnsTheDecodersResult) {
    DecoderTable d;
    d.decoders[15].decodeResult = false;
    CFrameRouter router(d.table, 1);
    EXPECT_FALSE(router.DecodeFrame(0, 16, nullptr, 0, nullptr, nullptr, nullptr, nullptr));
    EXPECT_TRUE(router.DecodeFrame(0, 1, nullptr, 0, nullptr, nullptr, nullptr, nullptr));
    EXPECT_EQ(d.decoders[15].decodes.size(), 1u);
    EXPECT_EQ(d.decoders[0].decodes.size(), 1u);
}

TEST(DecodeFrame, RefusesAGroupOrChannelOutOfRangeWithoutCallingADecoder) {
    DecoderTable d;
    CFrameRouter router(d.table, 1);
    EXPECT_FALSE(router.DecodeFrame(1, 1, nullptr, 0, nullptr, nullptr, nullptr, nullptr));
    EXPECT_FALSE(router.DecodeFrame(-1, 1, nullptr, 0, nullptr, nullptr, nullptr, nullptr));
    EXPECT_FALSE(router.DecodeFrame(0, 0, nullptr, 0, nullptr, nullptr, nullptr, nullptr));
    EXPECT_FALSE(router.DecodeFrame(0, 17, nullptr, 0, nullptr, nullptr, nullptr, nullptr));
    EXPECT_FALSE(router.DecodeFrame(0, -3, nullptr, 0, nullptr, nullptr, nullptr, nullptr));
    CFrameRouter noGroup(d.table, 2);
    EXPECT_FALSE(noGroup.DecodeFrame(0, 1, nullptr, 0, nullptr, nullptr, nullptr, nullptr));
    for (const RecordingDecoder& dec : d.decoders)
        EXPECT_TRUE(dec.decodes.empty());
}

// Mended: a channel without a decoder is refused instead of calling through null.
TEST(DecodeFrame, RefusesAChannelWithoutADecoder) {
    DecoderTable d;
    d.table[2] = nullptr;
    CFrameRouter router(d.table, 1);
    EXPECT_FALSE(router.DecodeFrame(0, 3, nullptr, 0, nullptr, nullptr, nullptr, nullptr));
    EXPECT_TRUE(router.DecodeFrame(0, 4, nullptr, 0, nullptr, nullptr, nullptr, nullptr));
}

TEST(DecodeFrame, TheConstructorCopiesTheTable) {
    DecoderTable d;
    CFrameRouter router(d.table, 1);
    d.table[0] = nullptr;  // the router keeps its own copy
    EXPECT_TRUE(router.DecodeFrame(0, 1, nullptr, 0, nullptr, nullptr, nullptr, nullptr));
    EXPECT_EQ(d.decoders[0].decodes.size(), 1u);
}

}  // namespace
}  // namespace gop_test
