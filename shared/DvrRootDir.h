// The directory the program and the export library keep their working files
// in: $DVR_ROOT when set and not empty, else $HOME/DVR. UTF-8, no trailing '/'.
#pragma once

#include <string>

std::string DvrRootDir();
