#include "platform/disk/DeviceControl.h"

#include <linux/fs.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <optional>

#include "platform/base/File.h"
#include "platform/base/LastError.h"
#include "platform/disk/DriveTable.h"
#include "platform/disk/Mbr.h"
#include "shared/ByteOrder.h"

namespace {

constexpr DWORD kFixedMedia = 12;

BOOL Fail(DWORD error) {
    SetLastError(error);
    return FALSE;
}

bool SameFile(const struct stat& open, const std::string& path) {
    struct stat named {};
    if (::stat(path.c_str(), &named) != 0)
        return false;
    if (S_ISBLK(open.st_mode) && S_ISBLK(named.st_mode))
        return open.st_rdev == named.st_rdev;
    return open.st_dev == named.st_dev && open.st_ino == named.st_ino;
}

// What a device handle is, found by comparing its file with the table's.
struct Device {
    int fd = -1;
    struct stat st {};
    const LogicalDrive* logical = nullptr;
    const PhysicalDrive* physical = nullptr;
};

std::optional<Device> Identify(HANDLE handle, const DriveTable& table) {
    std::shared_ptr<FileObject> file = LookUpHandleAs<FileObject>(handle);
    Device device;
    if (file == nullptr || ::fstat(file->Fd(), &device.st) != 0)
        return std::nullopt;
    device.fd = file->Fd();
    for (const PhysicalDrive& drive : table.physical) {
        if (SameFile(device.st, drive.path))
            device.physical = &drive;
    }
    for (const LogicalDrive& drive : table.logical) {
        if (SameFile(device.st, drive.device))
            device.logical = &drive;
    }
    return device;
}

std::optional<uint64_t> SizeOf(const Device& device) {
    if (S_ISREG(device.st.st_mode))
        return uint64_t(device.st.st_size);
    uint64_t size = 0;
    if (S_ISBLK(device.st.st_mode) && ::ioctl(device.fd, BLKGETSIZE64, &size) == 0)
        return size;
    return std::nullopt;
}

BOOL DeviceNumber(const Device& device, void* out) {
    StorageDeviceNumber number{kDeviceTypeDisk, 0, 0};
    if (device.logical != nullptr)
        number = {kDeviceTypeDisk, device.logical->deviceNumber, 1};
    else if (device.physical != nullptr)
        number.deviceNumber = device.physical->number;
    else
        return Fail(EINVAL);
    std::memcpy(out, &number, sizeof number);
    return TRUE;
}

BOOL Geometry(const Device& device, void* out) {
    const std::optional<uint64_t> size = SizeOf(device);
    if (!size)
        return Fail(EIO);
    const DiskGeometry geometry{LONGLONG(*size / 512), kFixedMedia, 1, 1, 512};
    std::memcpy(out, &geometry, sizeof geometry);
    return TRUE;
}

BOOL Layout(const Device& device, void* out) {
    uint8_t sector[kMbrSize];
    if (::pread(device.fd, sector, sizeof sector, 0) != ssize_t(sizeof sector))
        return Fail(EIO);
    DiskLayout layout{};
    layout.signature = LoadU32(sector + 440);
    for (const MbrPartition& p : ParseMbr(sector)) {
        layout.partitions[layout.partitionCount++] = {
            LONGLONG(p.startingOffset), LONGLONG(p.partitionLength), DWORD(p.slot + 1), p.type,
            BYTE(p.bootable ? 0x80 : 0)};
    }
    std::memcpy(out, &layout, sizeof layout);
    return TRUE;
}

DWORD RecordSize(DWORD code) {
    switch (code) {
        case IOCTL_STORAGE_GET_DEVICE_NUMBER:
            return sizeof(StorageDeviceNumber);
        case IOCTL_DISK_GET_DRIVE_GEOMETRY:
            return sizeof(DiskGeometry);
        case IOCTL_DISK_GET_DRIVE_LAYOUT:
            return sizeof(DiskLayout);
        default:
            return 0;
    }
}

BOOL Control(const Device& device, DWORD code, void* out) {
    if (code == IOCTL_STORAGE_GET_DEVICE_NUMBER)
        return DeviceNumber(device, out);
    // The remaining controls address whole disks.
    if (device.physical == nullptr)
        return Fail(EINVAL);
    if (!device.physical->present)
        return Fail(ENOMEDIUM);
    switch (code) {
        case IOCTL_DISK_CHECK_VERIFY: {
            // A reader whose medium went reports no size, or a size of 0.
            const std::optional<uint64_t> size = SizeOf(device);
            return size && *size > 0 ? TRUE : Fail(ENOMEDIUM);
        }
        case IOCTL_DISK_GET_DRIVE_GEOMETRY:
            return Geometry(device, out);
        case IOCTL_DISK_GET_DRIVE_LAYOUT:
            return Layout(device, out);
        default:
            return Fail(EINVAL);
    }
}

}  // namespace

BOOL DeviceIoControl(HANDLE handle, DWORD code, const void* /*in*/, DWORD /*inSize*/, void* out,
                     DWORD outSize, DWORD* returned) {
    if (returned != nullptr)
        *returned = 0;
    if (code != IOCTL_DISK_CHECK_VERIFY && RecordSize(code) == 0)
        return Fail(EINVAL);
    if (outSize < RecordSize(code) || (RecordSize(code) != 0 && out == nullptr))
        return Fail(ERANGE);
    // Absent disks stay in the table so that their open handles can be told so.
    DriveTable table = CurrentDriveTable();
    const std::optional<Device> device = Identify(handle, table);
    if (!device)
        return Fail(EINVAL);
    if (!Control(*device, code, out))
        return FALSE;
    if (returned != nullptr)
        *returned = RecordSize(code);
    return TRUE;
}
