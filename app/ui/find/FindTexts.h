// The texts of the find dialog's list cells that several lists share.
#pragma once

#include <cstdint>

#include "platform/afx/String.h"
#include "platform/base/SystemTime.h"

// A recording time (seconds since 1970, taken as signed 32-bit) as UTC
// "yyyy/mm/dd hh:mm:ss".
CString FormatRecordingTime(uint32_t time);

// A data position as the signed 64-bit decimal the main window's seek reads.
CString FormatDataPosition(uint64_t offset);

// The picker's date and minute (its seconds taken as 0), read as UTC, in
// seconds since 1970.
int64_t PickedTimeToSeconds(const SYSTEMTIME& picked);
