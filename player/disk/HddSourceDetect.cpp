// CHddSource::Detect: the recorder's index drive and the disk under it.
#include <unistd.h>

#include <cstdio>
#include <cstring>
#include <optional>
#include <string>

#include "platform/disk/DeviceControl.h"
#include "platform/disk/Drives.h"
#include "player/disk/HddSource.h"

namespace {

std::string DeviceName(char letter) {
    return std::string("\\\\.\\") + letter + ":";
}

std::string IndexPath(char letter, const char* file) {
    return DriveRootPath(letter) + "/" + file;
}

std::optional<DWORD> DeviceNumberOf(char letter) {
    const HANDLE drive = OpenDevice(DeviceName(letter).c_str());
    if (drive == INVALID_HANDLE_VALUE)
        return std::nullopt;
    StorageDeviceNumber number{};
    const BOOL answered = DeviceIoControl(drive, IOCTL_STORAGE_GET_DEVICE_NUMBER, nullptr, 0,
                                          &number, sizeof number, nullptr);
    CloseHandle(drive);
    return answered ? std::optional<DWORD>(number.deviceNumber) : std::nullopt;
}

bool Holds(char letter, const char* file) {
    return ::access(IndexPath(letter, file).c_str(), F_OK) == 0;
}

bool HoldsIndex(char letter, bool anyIndex) {
    return Holds(letter, "timeindex") ||
           (anyIndex && (Holds(letter, "eventindex") || Holds(letter, "quickindex")));
}

// The first removable or fixed drive that answers and holds `timeindex`, or
// any of the three index files when `anyIndex`.
std::optional<std::pair<char, DWORD>> FindIndexDrive(bool anyIndex) {
    const DWORD drives = GetLogicalDrives();
    for (char letter = 'A'; letter <= 'Z'; ++letter) {
        const char root[] = {letter, ':', '/', '\0'};
        const UINT type = GetDriveType(root);
        if ((drives & (DWORD(1) << (letter - 'A'))) == 0 ||
            (type != DRIVE_REMOVABLE && type != DRIVE_FIXED))
            continue;
        const std::optional<DWORD> number = DeviceNumberOf(letter);
        if (number && HoldsIndex(letter, anyIndex))
            return std::make_pair(letter, *number);
    }
    return std::nullopt;
}

}  // namespace

bool CHddSource::DataPartitionOf(const char* disk, uint64_t* start, uint64_t* length) {
    const HANDLE drive = OpenDevice(disk);
    if (drive == INVALID_HANDLE_VALUE)
        return false;
    alignas(8) uint8_t buffer[2048];
    const BOOL answered = DeviceIoControl(drive, IOCTL_DISK_GET_DRIVE_LAYOUT, nullptr, 0, buffer,
                                          sizeof buffer, nullptr);
    CloseHandle(drive);
    DiskLayout layout;
    std::memcpy(&layout, buffer, sizeof layout);
    if (!answered || layout.partitionCount < 2)
        return false;
    *start = uint64_t(layout.partitions[1].startingOffset);
    *length = uint64_t(layout.partitions[1].partitionLength);
    return true;
}

bool CHddSource::Detect(CDataSource* paths) {
    return DetectBy(false, paths);
}

bool CHddSource::DetectForRebuild(CDataSource* paths) {
    return DetectBy(true, paths);
}

bool CHddSource::DetectBy(bool anyIndex, CDataSource* paths) {
    const auto drive = FindIndexDrive(anyIndex);
    if (paths == nullptr || !drive)
        return false;
    const std::string disk = PhysicalDriveName(drive->second);
    uint64_t start = 0, length = 0;
    if (!DataPartitionOf(disk.c_str(), &start, &length))
        return false;
    const char letter = drive->first;
    if (!StorePath(paths->DataFile, disk.c_str()) ||
        !StorePath(paths->TimeIndexFile, IndexPath(letter, "timeindex").c_str()) ||
        !StorePath(paths->EventIndexFile, IndexPath(letter, "eventindex").c_str()) ||
        !StorePath(paths->QuickIndexFile, IndexPath(letter, "quickindex").c_str()))
        return false;
    m_partitionStart = start;
    m_partitionLength = length;
    return true;
}
