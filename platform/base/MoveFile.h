// Moving a file or directory (MoveFileW): never replaces an existing target
// (EEXIST), and a file moves across file systems by copying its bytes,
// permission bits and times and removing the original; the copy is made
// under a temporary name and appears under the target's name only whole.
// A directory moves only within its file system (EXDEV otherwise), as on the
// platform we stand in for. FALSE with an errno number on failure.
#pragma once

#include "platform/base/WinTypes.h"

BOOL MoveFileW(const wchar_t* existing, const wchar_t* target);
// The same for UTF-8 paths.
BOOL MoveFileUtf8(const char* existing, const char* target);
