// The position worker: every kPositionPeriodMs it moves the seek slider to
// the playing position (zTellp against zTellTotalLen, in percent), unless
// the user holds the slider. It stops when its run flag is cleared and its
// wake event set (StopPositionThread), without waiting out its period.
#pragma once

#include "platform/base/WinTypes.h"

inline constexpr DWORD kPositionPeriodMs = 500;

// 0..100 for a position inside the source, 0 when there is none.
int PositionPercent(long long position, long long total);

// Starts the thread with a run flag and wake event of its own.
void StartPositionThread();
// Clears the run's flag, wakes the thread and waits for it at most `boundMs`;
// the thread handle is closed either way, the wake event once the thread
// too has let go of it.
void StopPositionThread(DWORD boundMs);
