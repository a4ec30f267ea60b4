// CFrameWait: the display threads' wait for a frame's due time, cut short
// once the GOP's interruption comes true (the player then calls Wake).
//
// Threads: Sleep on the display threads, any number at once; Wake from any
// thread. The lock guards nothing but the wake-up: whoever makes an
// interruption true and then calls Wake never loses it to a thread about to
// wait.
#pragma once

#include <condition_variable>
#include <mutex>

#include "platform/base/WinTypes.h"
#include "player/core/GopDisplay.h"

class CFrameWait {
public:
    // Sleeps `ms` on the injectable clock, or less once `interruption` (null:
    // none) says so. False when interrupted.
    bool Sleep(DWORD ms, const CShowInterruption* interruption);
    // Has every sleeping thread ask its interruption again.
    void Wake();

private:
    std::mutex m_mutex;
    std::condition_variable m_woken;
};
