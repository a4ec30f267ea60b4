#include <gtest/gtest.h>

#include <cerrno>
#include <cstdlib>
#include <filesystem>

#include "platform/base/File.h"
#include "platform/base/LastError.h"
#include "platform/disk/DeviceControl.h"
#include "platform/disk/DriveTableFile.h"
#include "platform/disk/Drives.h"
#include "platform/disk/Mbr.h"
#include "tests/tools/recgen/TempDir.h"
#include "tools/diskimage/Mbr.h"
#include "tools/diskimage/SparseImage.h"

namespace {

constexpr uint64_t kMiB = 1048576;

// A disk image with two partitions as physical drive 2 and its first
// partition's directory as drive E.
class DevicesTest : public testing::Test {
protected:
    void SetUp() override {
        std::filesystem::create_directory(dir_.File("e"));
        diskimage::SparseImage image(dir_.File("disk.img"), 8 * kMiB);
        image.Write(0, diskimage::EncodeMbr({{kMiB, kMiB, 0x0C}, {2 * kMiB, 6 * kMiB, 0x83}}, 77));
        image.Write(3 * kMiB, "raw bytes", 9);
        table_.logical = {{'E', DriveKind::Removable, dir_.File("e"), dir_.File("e"), 2}};
        table_.physical = {{2, dir_.File("disk.img"), true}};
        Write();
        setenv(kDriveTableVariable, dir_.File("table").c_str(), 1);
    }
    void TearDown() override { unsetenv(kDriveTableVariable); }
    void Write() { ASSERT_TRUE(WriteDriveTableFile(dir_.File("table"), table_)); }

    TempDir dir_;
    DriveTable table_;
};

TEST_F(DevicesTest, LogicalDriveAnswersItsDeviceNumber) {
    const HANDLE drive = OpenDevice("\\\\.\\e:");
    ASSERT_NE(drive, INVALID_HANDLE_VALUE);
    StorageDeviceNumber number{};
    DWORD returned = 0;
    ASSERT_TRUE(DeviceIoControl(drive, IOCTL_STORAGE_GET_DEVICE_NUMBER, nullptr, 0, &number,
                                sizeof number, &returned));
    EXPECT_EQ(returned, sizeof number);
    EXPECT_EQ(number.deviceNumber, 2u);
    EXPECT_EQ(number.partitionNumber, 1u);
    // A logical drive has no disk controls.
    DiskGeometry geometry{};
    EXPECT_FALSE(DeviceIoControl(drive, IOCTL_DISK_GET_DRIVE_GEOMETRY, nullptr, 0, &geometry,
                                 sizeof geometry, nullptr));
    CloseHandle(drive);
}

TEST_F(DevicesTest, PhysicalDriveIsReadRawWithItsLayoutAndSize) {
    const HANDLE disk = OpenDevice("\\\\.\\PHYSICALDRIVE2");
    ASSERT_NE(disk, INVALID_HANDLE_VALUE);
    char bytes[9] = {};
    ASSERT_TRUE(SetFilePointerEx(disk, 3 * kMiB, nullptr, FILE_BEGIN));
    ASSERT_TRUE(ReadFile(disk, bytes, sizeof bytes, nullptr));
    EXPECT_EQ(std::string(bytes, 9), "raw bytes");

    DiskLayout layout{};
    ASSERT_TRUE(DeviceIoControl(disk, IOCTL_DISK_GET_DRIVE_LAYOUT, nullptr, 0, &layout,
                                sizeof layout, nullptr));
    ASSERT_EQ(layout.partitionCount, 2u);
    EXPECT_EQ(layout.signature, 77u);
    EXPECT_EQ(layout.partitions[1].startingOffset, LONGLONG(2 * kMiB));
    EXPECT_EQ(layout.partitions[1].partitionLength, LONGLONG(6 * kMiB));
    EXPECT_EQ(layout.partitions[1].partitionNumber, 2u);

    DiskGeometry g{};
    ASSERT_TRUE(
        DeviceIoControl(disk, IOCTL_DISK_GET_DRIVE_GEOMETRY, nullptr, 0, &g, sizeof g, nullptr));
    EXPECT_EQ(uint64_t(g.cylinders) * g.tracksPerCylinder * g.sectorsPerTrack * g.bytesPerSector,
              8 * kMiB);
    EXPECT_FALSE(
        DeviceIoControl(disk, IOCTL_DISK_GET_DRIVE_LAYOUT, nullptr, 0, &layout, 8, nullptr));
    EXPECT_EQ(GetLastError(), DWORD(ERANGE));
    CloseHandle(disk);
}

TEST_F(DevicesTest, RemovedDiskFailsTheMediaCheckOfAnOpenHandle) {
    const HANDLE disk = OpenDevice("\\\\.\\PHYSICALDRIVE2");
    ASSERT_NE(disk, INVALID_HANDLE_VALUE);
    EXPECT_TRUE(DeviceIoControl(disk, IOCTL_DISK_CHECK_VERIFY, nullptr, 0, nullptr, 0, nullptr));
    table_.physical[0].present = false;
    Write();
    EXPECT_FALSE(DeviceIoControl(disk, IOCTL_DISK_CHECK_VERIFY, nullptr, 0, nullptr, 0, nullptr));
    EXPECT_EQ(GetLastError(), DWORD(ENOMEDIUM));
    EXPECT_EQ(OpenDevice("\\\\.\\PHYSICALDRIVE2"), INVALID_HANDLE_VALUE);
    EXPECT_EQ(OpenDevice("\\\\.\\E:"), INVALID_HANDLE_VALUE);
    CloseHandle(disk);
}

TEST_F(DevicesTest, UnknownNamesDoNotOpen) {
    for (const char* name :
         {"\\\\.\\PHYSICALDRIVE3", "\\\\.\\PHYSICALDRIVE", "\\\\.\\PHYSICALDRIVE2x",
          "\\\\.\\F:", "\\\\.\\E:x", "E:", "//./PHYSICALDRIVE2"})
        EXPECT_EQ(OpenDevice(name), INVALID_HANDLE_VALUE) << name;
}

TEST(Mbr, UsedEntriesOnlyAndOnlyWithTheSignature) {
    std::vector<uint8_t> sector =
        diskimage::EncodeMbr({{512, 1024, 0x07}, {0, 0, 0}, {4096, 512, 0x83}});
    const std::vector<MbrPartition> parts = ParseMbr(sector.data());
    ASSERT_EQ(parts.size(), 2u);
    EXPECT_EQ(parts[0].slot, 0);
    EXPECT_EQ(parts[0].partitionLength, 1024u);
    EXPECT_EQ(parts[1].slot, 2);
    EXPECT_EQ(parts[1].startingOffset, 4096u);
    sector[511] = 0;
    EXPECT_TRUE(ParseMbr(sector.data()).empty());
}

}  // namespace
