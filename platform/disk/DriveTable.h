// The machine's drives as the disk layer sees them: lettered logical drives
// and numbered physical drives. Either the system's own (mounted partitions
// and whole disks of /sys/block) or a fixture table read from the file named
// by $DVR_DRIVE_TABLE, which maps drives to directories and image files so
// that tests run unprivileged against images.
//
// The table is read afresh by every query: a test that rewrites the table file
// (a drive marked absent, say) is seen by the next query of any thread.
#pragma once

#include <string>
#include <vector>

#include "platform/base/WinTypes.h"

inline constexpr const char* kDriveTableVariable = "DVR_DRIVE_TABLE";

enum class DriveKind { Removable, Fixed };

struct LogicalDrive {
    char letter = 0;  // 'A' to 'Z'
    DriveKind kind = DriveKind::Fixed;
    std::string root;        // the directory where the drive's root is mounted
    std::string device;      // what "\\.\X:" opens: the partition device, or `root` in a fixture
    DWORD deviceNumber = 0;  // the physical drive the partition lies on
};

struct PhysicalDrive {
    DWORD number = 0;
    std::string path;  // a block device or an image file
    bool present = true;
};

struct DriveTable {
    std::vector<LogicalDrive> logical;    // in letter order
    std::vector<PhysicalDrive> physical;  // in number order

    const LogicalDrive* FindLogical(char letter) const;
    const PhysicalDrive* FindPhysical(DWORD number) const;
};

// The table in force: the fixture table when $DVR_DRIVE_TABLE is set (an
// unreadable file gives an empty table), else the system's. Logical drives on
// an absent physical drive are left out, as a removed disk takes its letters.
DriveTable CurrentDriveTable();
