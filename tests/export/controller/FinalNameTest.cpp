#include "export/controller/FinalName.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "tests/tools/recgen/TempDir.h"

namespace {

void Write(const std::string& path, const std::string& text) {
    std::ofstream(path, std::ios::binary) << text;
}

std::string Read(const std::string& path) {
    const std::vector<uint8_t> bytes = ReadWholeFile(path);
    return {bytes.begin(), bytes.end()};
}

TEST(MoveToFreeName, MovesToAFreeName) {
    TempDir dir;
    Write(dir.File("temp.avi"), "new");
    EXPECT_EQ(oskulo::MoveToFreeName(dir.File("temp.avi"), dir.File("final.avi")),
              dir.File("final.avi"));
    EXPECT_EQ(Read(dir.File("final.avi")), "new");
    EXPECT_FALSE(std::filesystem::exists(dir.File("temp.avi")));
}

TEST(MoveToFreeName, NeverReplacesAnExistingFile) {
    TempDir dir;
    Write(dir.File("final.avi"), "old");
    Write(dir.File("final_2.avi"), "older");
    Write(dir.File("temp.avi"), "new");
    EXPECT_EQ(oskulo::MoveToFreeName(dir.File("temp.avi"), dir.File("final.avi")),
              dir.File("final_3.avi"));
    EXPECT_EQ(Read(dir.File("final.avi")), "old");
    EXPECT_EQ(Read(dir.File("final_2.avi")), "older");
    EXPECT_EQ(Read(dir.File("final_3.avi")), "new");
    EXPECT_FALSE(std::filesystem::exists(dir.File("temp.avi")));
}

TEST(MoveToFreeName, AFailedMoveLeavesTheFileWhereItWas) {
    TempDir dir;
    Write(dir.File("temp.avi"), "new");
    EXPECT_EQ(oskulo::MoveToFreeName(dir.File("temp.avi"), dir.File("missing/final.avi")),
              dir.File("temp.avi"));
    EXPECT_EQ(Read(dir.File("temp.avi")), "new");
}

TEST(MoveToFreeName, ANameWithoutExtensionGetsItsNumberAtTheEnd) {
    TempDir dir;
    Write(dir.File("final"), "old");
    Write(dir.File("temp.avi"), "new");
    EXPECT_EQ(oskulo::MoveToFreeName(dir.File("temp.avi"), dir.File("final")), dir.File("final_2"));
}

// Files made together take one number: the first for which none exists.
TEST(FreeNames, NumbersFilesMadeTogetherAlike) {
    TempDir dir;
    const std::vector<std::string> pair = {dir.File("rec.dvr"), dir.File("rec.inx")};
    EXPECT_EQ(oskulo::FreeNames(pair), pair);
    Write(dir.File("rec.inx"), "old");  // either file taken takes the number
    Write(dir.File("rec_2.dvr"), "old");
    EXPECT_EQ(oskulo::FreeNames(pair),
              (std::vector<std::string>{dir.File("rec_3.dvr"), dir.File("rec_3.inx")}));
    std::filesystem::create_symlink(dir.File("nowhere"), dir.File("rec_3.dvr"));
    EXPECT_EQ(oskulo::FreeNames(pair)[0], dir.File("rec_4.dvr")) << "a dangling link is taken";
}

}  // namespace
