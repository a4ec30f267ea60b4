#include "player/record/RecordWriter.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "player/source/FileSource.h"
#include "shared/ByteOrder.h"
#include "shared/IndexRecords.h"
#include "tests/player/disk/NoWriteOverride.h"
#include "tests/player/errors/ErrorCapture.h"
#include "tests/tools/recgen/TempDir.h"

namespace {

// How many descriptors of this process are open on `path`.
int OpenDescriptorsOn(const std::string& path) {
    std::error_code ec;
    const auto wanted = std::filesystem::weakly_canonical(path, ec);
    int count = 0;
    for (const auto& entry : std::filesystem::directory_iterator("/proc/self/fd")) {
        if (std::filesystem::read_symlink(entry.path(), ec) == wanted)
            ++count;
    }
    return count;
}

class RecordWriterTest : public testing::Test {
protected:
    std::string Base() const { return dir_.File("rec"); }
    std::string Dvr() const { return Base() + ".dvr"; }
    std::string Inx() const { return Base() + ".inx"; }

    TempDir dir_;
    CRecordWriter writer_;
};

TEST_F(RecordWriterTest, StartWritesTheHeaderAndStopTheEndMark) {
    ASSERT_TRUE(writer_.SetRecord(Base().c_str(), true));
    EXPECT_TRUE(writer_.IsRecording());
    EXPECT_FALSE(writer_.Start(Base().c_str()));  // one recording at a time
    EXPECT_EQ(std::filesystem::file_size(Dvr()), 0u);
    {
        // Bytes that reach the .dvr meanwhile count in the end mark.
        std::ofstream dvr(Dvr(), std::ios::binary | std::ios::app);
        dvr << std::string(1536, 'g');
    }
    ASSERT_TRUE(writer_.SetRecord(Base().c_str(), false));
    EXPECT_FALSE(writer_.IsRecording());
    const std::vector<uint8_t> inx = ReadWholeFile(Inx());
    ASSERT_EQ(inx.size(), 32u);
    EXPECT_EQ(LoadU32(inx.data()), kInxMagic);
    EXPECT_EQ(LoadU32(inx.data() + 4), 1u);
    EXPECT_EQ(LoadU32(inx.data() + 8), 1u);  // last: the end mark
    EXPECT_EQ(LoadU32(inx.data() + 12), 0u);
    EXPECT_EQ(LoadU32(inx.data() + 16), 0u);
    EXPECT_EQ(LoadU32(inx.data() + 20), 0u);
    EXPECT_EQ(LoadU64(inx.data() + 24), 1536u);
    EXPECT_EQ(OpenDescriptorsOn(Dvr()) + OpenDescriptorsOn(Inx()), 0);
}

TEST_F(RecordWriterTest, AStoppedEmptyRecordingIsRefusedByTheReader) {
    ASSERT_TRUE(writer_.Start(Base().c_str()));
    ASSERT_TRUE(writer_.Stop());
    ErrorCapture errors;
    CFileSource reader;
    EXPECT_EQ(reader.Open(Dvr().c_str(), Inx().c_str()), -1);
    EXPECT_EQ(errors.TakeCodes(), std::vector<int>{40101});
}

TEST_F(RecordWriterTest, StopWithoutARecordingIsRefused) {
    EXPECT_FALSE(writer_.Stop());
    EXPECT_FALSE(writer_.SetRecord(nullptr, false));
    EXPECT_FALSE(std::filesystem::exists(Inx()));
}

// A directory in the way of one file makes that file impossible to create:
// the start fails and leaves no new file behind.
class BlockedFileTest : public RecordWriterTest, public testing::WithParamInterface<const char*> {};

TEST_P(BlockedFileTest, StartFailsAndLeavesNothingOpen) {
    const std::string blocked = Base() + GetParam();
    std::filesystem::create_directory(blocked);
    EXPECT_FALSE(writer_.Start(Base().c_str()));
    EXPECT_FALSE(writer_.IsRecording());
    const std::string other = blocked == Dvr() ? Inx() : Dvr();
    EXPECT_FALSE(std::filesystem::exists(other));
    EXPECT_EQ(OpenDescriptorsOn(other), 0);
    std::filesystem::remove(blocked);
    EXPECT_TRUE(writer_.Start(Base().c_str()));  // a later start works
    EXPECT_TRUE(writer_.Stop());
}

INSTANTIATE_TEST_SUITE_P(EitherFile, BlockedFileTest, testing::Values(".inx", ".dvr"),
                         [](const testing::TestParamInfo<const char*>& param) {
                             return std::string(param.param + 1);
                         });

// A start over an existing recording whose index cannot be written fails
// and costs neither file a byte.
TEST_F(RecordWriterTest, StartOverAPairWithAReadOnlyIndexKeepsBothFiles) {
    const std::string data(839168, 'g');
    std::ofstream(Dvr(), std::ios::binary) << data;
    std::ofstream(Inx(), std::ios::binary) << std::string(48, 'i');
    ASSERT_EQ(chmod(Inx().c_str(), 0444), 0);
    {
        NoWriteOverride readOnly;
        EXPECT_FALSE(writer_.Start(Base().c_str()));
    }
    EXPECT_FALSE(writer_.IsRecording());
    const std::vector<uint8_t> dvr = ReadWholeFile(Dvr());
    EXPECT_EQ(std::string(dvr.begin(), dvr.end()), data);
    EXPECT_EQ(ReadWholeFile(Inx()).size(), 48u);
    EXPECT_EQ(OpenDescriptorsOn(Dvr()) + OpenDescriptorsOn(Inx()), 0);
}

TEST_F(RecordWriterTest, NamesThatDoNotFitAreRefused) {
    const std::string longBase = dir_.File(std::string(250, 'n'));
    EXPECT_FALSE(writer_.Start(longBase.c_str()));
    EXPECT_TRUE(std::filesystem::is_empty(longBase.substr(0, longBase.rfind('/'))));
    EXPECT_FALSE(writer_.IsRecording());
}

TEST_F(RecordWriterTest, DestroyingARunningWriterFinishesThePair) {
    {
        CRecordWriter writer;
        ASSERT_TRUE(writer.Start(Base().c_str()));
    }
    const std::vector<uint8_t> inx = ReadWholeFile(Inx());
    ASSERT_EQ(inx.size(), 32u);
    EXPECT_EQ(LoadU32(inx.data() + 8), 1u);
}

}  // namespace
