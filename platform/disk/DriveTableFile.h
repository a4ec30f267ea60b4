// The fixture drive table file: one drive a line, '#' starts a comment.
//
//   logical <letter> removable|fixed <device number> <root directory>
//   physical <number> present|absent <image file>
//
// Paths run to the end of the line and may hold spaces.
#pragma once

#include <string>

#include "platform/disk/DriveTable.h"

// False when the file cannot be read or a line is malformed (`table` is then
// left empty).
bool ReadDriveTableFile(const std::string& path, DriveTable* table);

// Writes `table` so that ReadDriveTableFile gives it back. Written to a
// temporary name and renamed, so that a reader never sees half a table.
bool WriteDriveTableFile(const std::string& path, const DriveTable& table);
