// CSdSource::Detect: the card among the whole disks, by its header sector.
#include <cstdio>
#include <cstring>
#include <string>

#include "platform/base/File.h"
#include "platform/disk/DeviceControl.h"
#include "platform/disk/Drives.h"
#include "player/disk/SdSource.h"
#include "player/source/SeekHandle64.h"
#include "shared/ByteOrder.h"

namespace {

// Whole disks are tried by number up to this one: a card carries no file
// system and so no drive letter, so its number says nothing about theirs.
constexpr DWORD kMaxPhysicalDrives = 32;

struct CardHeader {
    uint64_t indexOffset = 0;  // T
    uint64_t cardEnd = 0;      // E
};

// The header text is compared with its terminator, within its 14 bytes.
bool ReadCardHeader(HANDLE drive, CardHeader* header) {
    uint8_t sector[512];
    DWORD got = 0;
    if (SeekHandle64(drive, kSdHeaderOffset, FILE_BEGIN) == kSeekFailed ||
        !ReadFile(drive, sector, sizeof sector, &got) || got != sizeof sector ||
        std::memcmp(sector, kSdHeaderText, sizeof kSdHeaderText) != 0)
        return false;
    DiskGeometry geometry{};
    if (!DeviceIoControl(drive, IOCTL_DISK_GET_DRIVE_GEOMETRY, nullptr, 0, &geometry,
                         sizeof geometry, nullptr))
        return false;
    header->indexOffset = LoadU64(sector + 144);
    header->cardEnd = uint64_t(geometry.cylinders) * geometry.tracksPerCylinder *
                      geometry.sectorsPerTrack * geometry.bytesPerSector;
    return true;
}

}  // namespace

bool CSdSource::Detect(CDataSource* paths) {
    if (paths == nullptr)
        return false;
    for (DWORD n = 0; n < kMaxPhysicalDrives; ++n) {
        const std::string name = PhysicalDriveName(n);
        const HANDLE drive = OpenDevice(name.c_str());
        if (drive == INVALID_HANDLE_VALUE)
            continue;
        CardHeader header;
        const bool card = ReadCardHeader(drive, &header);
        CloseHandle(drive);
        if (card && PlaceAreas(header.indexOffset, header.cardEnd)) {
            paths->DataFile[0] = paths->TimeIndexFile[0] = '\0';
            paths->EventIndexFile[0] = paths->QuickIndexFile[0] = '\0';
            return StorePath(paths->DataFile, name.c_str());
        }
    }
    return false;
}
