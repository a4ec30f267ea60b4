#include "player/core/PacedDisplay.h"

#include <algorithm>

#include "platform/base/Clock.h"
#include "shared/PlayerInterface.h"

namespace {

// Frame interval and frames drawn of one channel with `n` frames in fast play.
int FastPlayMs(int version, int n, int displayMs, int speed) {
    const int interval = speed <= 4 ? displayMs / speed : displayMs / 8;
    if (version < 4)
        return interval;  // the first frame only
    return interval * (speed >= 8 ? 1 : (n + speed - 1) / speed);
}

}  // namespace

bool CPacedDisplay::Init(HWND) {
    return true;
}

int CPacedDisplay::PacingMs(const GopShowRequest& request) {
    if (request.state == STATUS_PAUSED)
        return 0;
    if (request.speed == 1)
        return std::max(request.displayMs, 0);
    const GopInfo& info = *request.info;
    int longest = 0;
    for (int c = 0; c < std::min(info.channelCount, kMaxChannels); ++c) {
        const int n = info.version == 4 ? std::max(info.fps[c], 1) : std::max(info.gopFps, 1);
        longest =
            std::max(longest, FastPlayMs(int(info.version), n, request.displayMs, request.speed));
    }
    return longest;
}

int CPacedDisplay::ShowGop(const GopShowRequest& request) {
    const int ms = PacingMs(request);
    if (ms > 0)
        Sleep(DWORD(ms));
    return 0;
}
