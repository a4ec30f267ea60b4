#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <stdexcept>
#include <string>

#include <unistd.h>

#include "app/res/render/SkinManifest.h"

namespace {

class SkinManifest : public ::testing::Test {
protected:
    void TearDown() override { std::remove(path_.c_str()); }
    std::vector<SkinEntry> Read(const std::string& text) {
        std::ofstream(path_) << text;
        return ReadSkinManifest(path_);
    }
    // One file per test: ctest runs the cases of this fixture side by side.
    std::string path_ = ::testing::TempDir() + "skin_manifest_" +
                        ::testing::UnitTest::GetInstance()->current_test_info()->name() + "_" +
                        std::to_string(::getpid()) + ".txt";
};

}  // namespace

TEST_F(SkinManifest, ReadsEntriesAndSkipsComments) {
    const auto entries = Read(
        "# comment\n\n"
        "1024 play.svg 80 40 states=normal,hover key=0a0a0a matte=1B1E23\n"
        "1001 bar.svg 64 83 states=normal key=none matte=000000\n");
    ASSERT_EQ(entries.size(), 2u);
    EXPECT_EQ(entries[0].id, 1024u);
    EXPECT_EQ(entries[0].file, "play.svg");
    EXPECT_EQ(entries[0].width, 80);
    EXPECT_EQ(entries[0].height, 40);
    EXPECT_EQ(entries[0].states, (std::vector<std::string>{"normal", "hover"}));
    ASSERT_TRUE(entries[0].key.has_value());
    EXPECT_EQ(*entries[0].key, 0x0A0A0Au);
    EXPECT_EQ(entries[0].matte, 0x1B1E23u);
    EXPECT_FALSE(entries[1].key.has_value());
}

TEST_F(SkinManifest, RefusesMalformedLines) {
    const char* const lines[] = {
        "1024 play.svg 80",                                                // no height
        "1024 play.svg 0 40 states=normal key=none matte=000000",          // empty size
        "1024 play.svg 81 40 states=normal,hover key=none matte=000000",   // unequal cells
        "1024 play.svg 80 40 states=normal key=12345 matte=000000",        // short colour
        "1024 play.svg 80 40 states=normal key=none matte=00000g",         // not hex
        "1024 play.svg 80 40 states=normal key=none",                      // no matte
        "1024 play.svg 80 40 states=normal key=none matte=000000 size=2",  // unknown field
        "1024 play.svg 80 40 states= key=none matte=000000",               // no state
    };
    for (const char* line : lines)
        EXPECT_THROW(Read(std::string(line) + "\n"), std::runtime_error) << line;
}
