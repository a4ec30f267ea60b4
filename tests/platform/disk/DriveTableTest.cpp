#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>

#include "platform/disk/DriveTable.h"
#include "platform/disk/DriveTableFile.h"
#include "platform/disk/Drives.h"
#include "tests/tools/recgen/TempDir.h"

namespace {

DriveTable SampleTable(const TempDir& dir) {
    DriveTable table;
    table.logical = {{'C', DriveKind::Fixed, dir.File("c drive"), dir.File("c drive"), 0},
                     {'F', DriveKind::Removable, dir.File("f"), dir.File("f"), 1}};
    table.physical = {{0, dir.File("disk0.img"), true}, {1, dir.File("disk 1.img"), false}};
    return table;
}

TEST(DriveTableFile, WrittenTableReadsBackWithSpacesInPaths) {
    TempDir dir;
    const DriveTable written = SampleTable(dir);
    ASSERT_TRUE(WriteDriveTableFile(dir.File("table"), written));
    DriveTable read;
    ASSERT_TRUE(ReadDriveTableFile(dir.File("table"), &read));
    ASSERT_EQ(read.logical.size(), 2u);
    EXPECT_EQ(read.logical[0].root, dir.File("c drive"));
    EXPECT_EQ(read.logical[1].kind, DriveKind::Removable);
    EXPECT_EQ(read.logical[1].deviceNumber, 1u);
    ASSERT_EQ(read.physical.size(), 2u);
    EXPECT_EQ(read.physical[1].path, dir.File("disk 1.img"));
    EXPECT_FALSE(read.physical[1].present);
}

TEST(DriveTableFile, MalformedLinesGiveAnEmptyTable) {
    TempDir dir;
    for (const char* line : {"logical CC fixed 0 /x", "logical C floppy 0 /x", "logical C fixed 0",
                             "physical 1 maybe /x", "physical x present /x", "disk 0 /x"}) {
        std::ofstream(dir.File("table")) << "# comment\nphysical 0 present /a\n" << line << "\n";
        DriveTable table;
        EXPECT_FALSE(ReadDriveTableFile(dir.File("table"), &table)) << line;
        EXPECT_TRUE(table.physical.empty()) << line;
    }
}

TEST(CurrentDriveTable, AbsentDiskTakesItsLettersAway) {
    TempDir dir;
    ASSERT_TRUE(WriteDriveTableFile(dir.File("table"), SampleTable(dir)));
    setenv(kDriveTableVariable, dir.File("table").c_str(), 1);
    EXPECT_EQ(GetLogicalDrives(), 1u << ('C' - 'A'));  // F lies on the absent disk 1
    EXPECT_EQ(GetDriveType("C:/"), DRIVE_FIXED);
    EXPECT_EQ(GetDriveType("F:\\"), DRIVE_NO_ROOT_DIR);
    EXPECT_EQ(DriveRootPath('c'), dir.File("c drive"));

    DriveTable present = SampleTable(dir);
    present.physical[1].present = true;
    ASSERT_TRUE(WriteDriveTableFile(dir.File("table"), present));
    EXPECT_EQ(GetLogicalDrives(), (1u << ('C' - 'A')) | (1u << ('F' - 'A')));
    EXPECT_EQ(GetDriveType("F:"), DRIVE_REMOVABLE);
    unsetenv(kDriveTableVariable);
}

}  // namespace
