// Makes a written disk image the only recorder disk the disk reader finds:
// writes a drive table at `tablePath` mapping a removable drive E: to the
// image's index folder and physical drive 1 to the image, and names the table
// in the environment for the readers of this process.
#pragma once

#include <string>

#include "tools/diskimage/HddImage.h"

namespace diskimage {

bool UseHddImage(const std::string& tablePath, const HddImageOptions& options);

}  // namespace diskimage
