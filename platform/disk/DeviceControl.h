// The storage controls the recorder readers ask a device handle (from
// OpenDevice) for. The control codes are the storage driver's numbers; the
// records are ours.
#pragma once

#include "platform/base/Handle.h"
#include "platform/base/WinTypes.h"

inline constexpr DWORD IOCTL_STORAGE_GET_DEVICE_NUMBER = 0x002D1080;
inline constexpr DWORD IOCTL_DISK_GET_DRIVE_GEOMETRY = 0x00070000;
inline constexpr DWORD IOCTL_DISK_GET_DRIVE_LAYOUT = 0x0007400C;
inline constexpr DWORD IOCTL_DISK_CHECK_VERIFY = 0x00074800;

inline constexpr DWORD kDeviceTypeDisk = 7;

// IOCTL_STORAGE_GET_DEVICE_NUMBER, on a logical drive's handle.
struct StorageDeviceNumber {
    DWORD deviceType;       // kDeviceTypeDisk
    DWORD deviceNumber;     // the physical drive's number
    DWORD partitionNumber;  // 1 for the first partition; 0 for a whole disk
};

// IOCTL_DISK_GET_DRIVE_GEOMETRY, on a physical drive's handle. The product of
// the four counts is the disk's exact size: whole disks report one sector per
// track and track per cylinder.
struct DiskGeometry {
    LONGLONG cylinders;
    DWORD mediaType;  // 12: fixed medium
    DWORD tracksPerCylinder;
    DWORD sectorsPerTrack;
    DWORD bytesPerSector;
};

struct DiskPartition {
    LONGLONG startingOffset;   // bytes from the start of the disk
    LONGLONG partitionLength;  // bytes
    DWORD partitionNumber;     // 1 to 4, from the entry's slot
    BYTE partitionType;
    BYTE bootIndicator;
};

// IOCTL_DISK_GET_DRIVE_LAYOUT, on a physical drive's handle: the used primary
// partitions of the disk's master boot record, in slot order.
struct DiskLayout {
    DWORD partitionCount;
    DWORD signature;  // the disk signature at byte 440
    DiskPartition partitions[4];
};

// IOCTL_DISK_CHECK_VERIFY answers TRUE while the medium is there. Each
// control fails (FALSE) with EINVAL for an unknown code or handle, ERANGE for
// an output buffer smaller than the record, and ENOMEDIUM for an absent drive;
// `returned` (optional) receives the bytes written.
BOOL DeviceIoControl(HANDLE device, DWORD code, const void* in, DWORD inSize, void* out,
                     DWORD outSize, DWORD* returned);
