// 64-bit seek on a file or device handle of the file layer, for the readers
// of raw devices and images.
#pragma once

#include <cstdint>

#include "platform/base/File.h"

inline constexpr uint64_t kSeekFailed = ~uint64_t(0);

// Moves the handle's file pointer to `offset` from `origin` (FILE_BEGIN,
// FILE_CURRENT or FILE_END; for the last two the offset is taken as signed)
// and returns the new offset, or kSeekFailed (all ones) when the seek fails,
// with the reason in GetLastError.
uint64_t SeekHandle64(HANDLE handle, uint64_t offset, DWORD origin);
