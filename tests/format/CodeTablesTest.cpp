#include "format/CodeTables.h"

#include <gtest/gtest.h>

namespace {

struct CodeRow {
    int code, channels, rate, bits, audioChannels;
};

TEST(CodeTables, EveryCode) {
    const CodeRow rows[] = {
        {0, 0, 22050, 16, 1}, {1, 1, 8000, 8, 1},    {2, 4, 16000, 32, 2}, {3, 8, 22050, 16, 4},
        {4, 12, 32000, 0, 8}, {5, 16, 44100, 0, 16}, {6, 0, 4000, 0, 1},   {7, 0, 11025, 0, 1},
        {8, 0, 0, 0, 0},      {-1, 0, 0, 0, 0},
    };
    for (const CodeRow& row : rows) {
        SCOPED_TRACE(row.code);
        EXPECT_EQ(ChannelCountOfCode(row.code), row.channels);
        EXPECT_EQ(SampleRateOfCode(row.code), row.rate);
        EXPECT_EQ(SampleBitsOfCode(row.code), row.bits);
        EXPECT_EQ(AudioChannelsOfCode(row.code), row.audioChannels);
    }
}

TEST(CodeTables, PictureSizes) {
    struct Row {
        int code;
        bool pal;
        bool known;
        int width, height;
    };
    const Row rows[] = {
        {1, false, true, 1920, 1080}, {2, true, true, 1280, 720},  {3, true, true, 960, 576},
        {3, false, true, 960, 480},   {4, true, true, 704, 576},   {4, false, true, 704, 480},
        {5, true, true, 704, 288},    {5, false, true, 704, 240},  {6, true, true, 352, 288},
        {6, false, true, 352, 240},   {7, false, true, 1280, 960}, {0, true, false, 0, 0},
        {8, true, false, 0, 0},       {15, false, false, 0, 0},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.code);
        PictureSize size{-1, -1};
        EXPECT_EQ(PictureSizeOfCode(row.code, row.pal, &size), row.known);
        if (row.known) {
            EXPECT_EQ(size.width, row.width);
            EXPECT_EQ(size.height, row.height);
        } else {
            EXPECT_EQ(size.width, -1);
        }
    }
}

}  // namespace
