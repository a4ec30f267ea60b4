// DisplayThread: one channel's frames of one GOP. It decodes the frames the
// skipping rules leave (FrameSchedule.h), draws those due to be shown with
// their on-screen text, and paces itself on the injectable clock (Sleep,
// timeGetTime) between them; then it clears its context. Once the GOP's
// interruption comes true it stops before its next frame, or at once while
// it waits for one.
//
// Threads: runs on a thread of its own per shown channel, started by
// CChannelDisplay::ShowGop, which waits for it. It uses only its context,
// its channel's decoder and decoded size, and its pane's renderer slot and
// picture buffers.
#pragma once

#include <atomic>

#include "player/render/DisplayContext.h"

class CRenderer;
class CFrameDecoder;
class CDisplayHost;
class CFrameWait;
class CShowInterruption;

struct DisplayServices {
    CRenderer& renderer;
    CFrameDecoder& decoder;
    CDisplayHost& host;
    std::atomic<int>* decodedWidth;  // the channel's last decoded size
    std::atomic<int>* decodedHeight;
    CFrameWait& wait;                       // shared by the display's threads
    const CShowInterruption* interruption;  // the GOP's; null: never interrupted
};

void DisplayThread(DisplayContext* context, const DisplayServices& services);
