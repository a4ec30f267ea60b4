// Test-side reading of a `.inx` time index file: its header and every entry
// after it (the end mark included).
#pragma once

#include <filesystem>
#include <vector>

#include "shared/IndexRecords.h"

// A header of zeros when the file cannot be read.
InxHd ReadInxFile(const std::filesystem::path& inx, std::vector<InxUnit>* entries);
