// The position worker: every kPositionPeriodMs it moves the seek slider to
// the playing position (zTellp against zTellTotalLen, in percent), unless
// the user holds the slider. It stops when its run flag is cleared and its
// wake event set (StopPositionThread), without waiting out its period.
#pragma once

#include "platform/base/WinTypes.h"

inline constexpr DWORD kPositionPeriodMs = 500;

// 0..100 for a position inside the source, 0 when there is none.
int PositionPercent(long long position, long long total);

void PositionThread();
// Sets the run flag, makes the wake event and starts the thread.
void StartPositionThread();
// Clears the flag, wakes the thread and waits for it at most `boundMs`; the
// handles are closed either way.
void StopPositionThread(DWORD boundMs);
