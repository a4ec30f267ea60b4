#include "platform/disk/Drives.h"

#include <fcntl.h>

#include <cctype>
#include <cerrno>
#include <cstring>

#include "platform/base/File.h"
#include "platform/base/LastError.h"
#include "platform/disk/DriveTable.h"

namespace {

constexpr const char* kDevicePrefix = "\\\\.\\";
constexpr const char* kPhysicalDrive = "PHYSICALDRIVE";

char LetterOf(const char* text) {
    if (text == nullptr || text[0] == 0 || text[1] != ':')
        return 0;
    return char(std::toupper(static_cast<unsigned char>(text[0])));
}

// The file behind a device name of `table`, or "" with the reason in errno.
std::string DevicePath(const DriveTable& table, const char* name) {
    errno = ENOENT;
    if (std::strncmp(name, kDevicePrefix, 4) != 0)
        return {};
    name += 4;
    if (LetterOf(name) != 0 && name[2] == 0) {
        const LogicalDrive* drive = table.FindLogical(LetterOf(name));
        return drive != nullptr ? drive->device : std::string();
    }
    if (strncasecmp(name, kPhysicalDrive, std::strlen(kPhysicalDrive)) != 0)
        return {};
    char* end = nullptr;
    const char* digits = name + std::strlen(kPhysicalDrive);
    const unsigned long number = std::strtoul(digits, &end, 10);
    if (end == digits || *end != 0)
        return {};
    const PhysicalDrive* drive = table.FindPhysical(DWORD(number));
    if (drive == nullptr)
        return {};
    if (!drive->present) {
        errno = ENOMEDIUM;
        return {};
    }
    return drive->path;
}

}  // namespace

DWORD GetLogicalDrives() {
    DWORD mask = 0;
    for (const LogicalDrive& drive : CurrentDriveTable().logical)
        mask |= DWORD(1) << (drive.letter - 'A');
    return mask;
}

UINT GetDriveType(const char* root) {
    const LogicalDrive* drive = nullptr;
    const DriveTable table = CurrentDriveTable();
    if (char letter = LetterOf(root))
        drive = table.FindLogical(letter);
    if (drive == nullptr)
        return DRIVE_NO_ROOT_DIR;
    return drive->kind == DriveKind::Removable ? DRIVE_REMOVABLE : DRIVE_FIXED;
}

std::string DriveRootPath(char letter) {
    const DriveTable table = CurrentDriveTable();
    const LogicalDrive* drive =
        table.FindLogical(char(std::toupper(static_cast<unsigned char>(letter))));
    return drive != nullptr ? drive->root : std::string();
}

HANDLE OpenDevice(const char* name) {
    if (name == nullptr) {
        SetLastError(EINVAL);
        return INVALID_HANDLE_VALUE;
    }
    const std::string path = DevicePath(CurrentDriveTable(), name);
    if (path.empty()) {
        SetLastError(DWORD(errno));
        return INVALID_HANDLE_VALUE;
    }
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd == -1)
        return INVALID_HANDLE_VALUE;
    return RegisterHandle(std::make_shared<FileObject>(fd));
}

std::string PhysicalDriveName(DWORD number) {
    return std::string("\\\\.\\") + kPhysicalDrive + std::to_string(number);
}
