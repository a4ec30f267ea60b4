#include "tools/diskimage/HddDriveTable.h"

#include <cstdlib>

#include "platform/disk/DriveTableFile.h"

namespace diskimage {

bool UseHddImage(const std::string& tablePath, const HddImageOptions& options) {
    DriveTable table;
    table.logical = {{'E', DriveKind::Removable, options.indexDir, options.indexDir, 1}};
    table.physical = {{1, options.imagePath, true}};
    return WriteDriveTableFile(tablePath, table) &&
           setenv(kDriveTableVariable, tablePath.c_str(), 1) == 0;
}

}  // namespace diskimage
