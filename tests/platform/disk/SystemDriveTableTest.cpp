#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "platform/disk/SystemDriveTable.h"
#include "tests/tools/recgen/TempDir.h"

namespace fs = std::filesystem;

namespace {

TEST(MountInfo, LinesGiveDeviceNumbersAndUnescapedMountPoints) {
    const auto entry = ParseMountInfoLine(
        "36 35 8:17 / /media/rec\\040disk rw,noatime shared:1 - vfat /dev/sdb1 rw");
    ASSERT_TRUE(entry);
    EXPECT_EQ(entry->major, 8u);
    EXPECT_EQ(entry->minor, 17u);
    EXPECT_EQ(entry->mountPoint, "/media/rec disk");
    EXPECT_FALSE(ParseMountInfoLine("36 35 817 / /x rw"));
    EXPECT_FALSE(ParseMountInfoLine(""));
}

// A fake /sys with disks sda (fixed) and sdb (removable) and a loop device,
// the partitions sda1 and sdb1 mounted, sdb1 twice.
class SystemTable : public testing::Test {
protected:
    void SetUp() override {
        AddDisk("sda", "0", {{"sda1", "8:1"}});
        AddDisk("sdb", "1", {{"sdb1", "8:17"}});
        fs::create_directories(dir_.File("sys/block/loop0"));  // no device: left out
        std::ofstream(dir_.File("mountinfo")) << "20 1 0:5 / /proc rw - proc proc rw\n"
                                              << "21 1 8:1 / / rw - ext4 /dev/sda1 rw\n"
                                              << "22 1 8:17 / /media/rec rw - vfat /dev/sdb1 rw\n"
                                              << "23 1 8:17 / /mnt/again rw - vfat /dev/sdb1 rw\n";
    }
    void AddDisk(const std::string& name, const char* removable,
                 const std::vector<std::pair<std::string, std::string>>& partitions) {
        const fs::path disk = dir_.File("sys/devices/" + name);
        fs::create_directories(disk / "device");
        std::ofstream(disk / "removable") << removable << "\n";
        fs::create_directories(dir_.File("sys/block"));
        fs::create_directory_symlink(disk, dir_.File("sys/block/" + name));
        fs::create_directories(dir_.File("sys/dev/block"));
        for (const auto& [part, numbers] : partitions) {
            fs::create_directories(disk / part);
            std::ofstream(disk / part / "partition") << "1\n";
            fs::create_directory_symlink(disk / part, dir_.File("sys/dev/block/" + numbers));
        }
    }
    TempDir dir_;
};

TEST_F(SystemTable, DisksAreNumberedByNameAndPartitionsLetteredFromC) {
    const DriveTable table = ReadSystemDriveTable(dir_.File("mountinfo"), dir_.File("sys"), "/dev");
    ASSERT_EQ(table.physical.size(), 2u);
    EXPECT_EQ(table.physical[0].path, "/dev/sda");
    EXPECT_EQ(table.physical[1].path, "/dev/sdb");
    ASSERT_EQ(table.logical.size(), 2u);
    EXPECT_EQ(table.logical[0].letter, 'C');
    EXPECT_EQ(table.logical[0].kind, DriveKind::Fixed);
    EXPECT_EQ(table.logical[1].letter, 'D');
    EXPECT_EQ(table.logical[1].kind, DriveKind::Removable);
    EXPECT_EQ(table.logical[1].root, "/media/rec");
    EXPECT_EQ(table.logical[1].device, "/dev/sdb1");
    EXPECT_EQ(table.logical[1].deviceNumber, 1u);
}

}  // namespace
