#include "platform/disk/DriveTable.h"

#include <algorithm>
#include <cstdlib>

#include "platform/disk/DriveTableFile.h"
#include "platform/disk/SystemDriveTable.h"

const LogicalDrive* DriveTable::FindLogical(char letter) const {
    for (const LogicalDrive& drive : logical) {
        if (drive.letter == letter)
            return &drive;
    }
    return nullptr;
}

const PhysicalDrive* DriveTable::FindPhysical(DWORD number) const {
    for (const PhysicalDrive& drive : physical) {
        if (drive.number == number)
            return &drive;
    }
    return nullptr;
}

namespace {

void DropLettersOfAbsentDisks(DriveTable* table) {
    std::erase_if(table->logical, [table](const LogicalDrive& drive) {
        const PhysicalDrive* disk = table->FindPhysical(drive.deviceNumber);
        return disk != nullptr && !disk->present;
    });
}

}  // namespace

DriveTable CurrentDriveTable() {
    DriveTable table;
    if (const char* file = std::getenv(kDriveTableVariable))
        ReadDriveTableFile(file, &table);
    else
        table = ReadSystemDriveTable("/proc/self/mountinfo", "/sys", "/dev");
    DropLettersOfAbsentDisks(&table);
    return table;
}
