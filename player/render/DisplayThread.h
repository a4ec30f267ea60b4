// DisplayThread: one channel's frames of one GOP. It decodes the frames the
// skipping rules leave (FrameSchedule.h), draws those due to be shown with
// their on-screen text, and paces itself on the injectable clock (waits on
// the halt event, timeGetTime) between them; then it clears its context. A
// halt ends it at its next frame.
//
// Threads: runs on a thread of its own per shown channel, started by
// CChannelDisplay::ShowGop, which waits for it. It uses only its context,
// its channel's decoder, picture buffer and decoded size, and its pane's
// renderer slot.
#pragma once

#include <atomic>

#include "platform/base/Handle.h"
#include "player/render/DisplayContext.h"

class CRenderer;
class CFrameDecoder;
class CDisplayHost;

struct DisplayServices {
    CRenderer& renderer;
    CFrameDecoder& decoder;
    CDisplayHost& host;
    std::atomic<int>* decodedWidth;  // the channel's last decoded size
    std::atomic<int>* decodedHeight;
    HANDLE halt;  // an event: once set, the thread ends at its next frame
};

void DisplayThread(DisplayContext* context, const DisplayServices& services);
