// Drive letters and raw devices: the names the recorder readers use.
//
//   GetLogicalDrives()          bit n set: drive 'A' + n exists
//   GetDriveType("E:/")         DRIVE_REMOVABLE, DRIVE_FIXED or DRIVE_NO_ROOT_DIR
//   DriveRootPath('E')          the directory holding drive E's root ("" if none);
//                               "E://timeindex" is DriveRootPath('E') + "/timeindex"
//   OpenDevice("\\.\E:")        the partition of a logical drive
//   OpenDevice("\\.\PHYSICALDRIVE1")  a whole disk, read from byte 0
//
// Devices are opened for reading only (read access, read sharing, existing);
// the handle is a file handle of platform/base (ReadFile, SetFilePointerEx,
// CloseHandle) that DeviceIoControl also accepts. Any thread.
#pragma once

#include <string>

#include "platform/base/Handle.h"
#include "platform/base/WinTypes.h"

inline constexpr UINT DRIVE_UNKNOWN = 0;
inline constexpr UINT DRIVE_NO_ROOT_DIR = 1;
inline constexpr UINT DRIVE_REMOVABLE = 2;
inline constexpr UINT DRIVE_FIXED = 3;

DWORD GetLogicalDrives();
// `root` begins with the letter ("E:/", "E:\\" or "E:").
UINT GetDriveType(const char* root);
std::string DriveRootPath(char letter);
// "\\.\PHYSICALDRIVE<number>", the name OpenDevice takes for a whole disk.
std::string PhysicalDriveName(DWORD number);

// INVALID_HANDLE_VALUE when the name is not a device of the table, the drive
// is absent (ENOMEDIUM) or it cannot be opened (the errno number).
HANDLE OpenDevice(const char* name);
