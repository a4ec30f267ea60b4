// The system's drive table: whole disks from /sys/block (those backed by a
// device, so no loop or RAM disks), numbered in name order, and the mounted
// partitions of those disks from /proc/self/mountinfo, lettered from 'C' in
// mount order (a partition mounted twice keeps its first letter).
#pragma once

#include <optional>
#include <string>

#include "platform/disk/DriveTable.h"

struct MountEntry {
    unsigned major = 0, minor = 0;
    std::string mountPoint;  // octal escapes (\040) undone
};

// One line of mountinfo; nullopt when it is not one.
std::optional<MountEntry> ParseMountInfoLine(const std::string& line);

// Reads the table from the given files (tests pass a fake tree): `mountInfo`
// as /proc/self/mountinfo, `sysRoot` as /sys, `devRoot` as /dev.
DriveTable ReadSystemDriveTable(const std::string& mountInfo, const std::string& sysRoot,
                                const std::string& devRoot);
