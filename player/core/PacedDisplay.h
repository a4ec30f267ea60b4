// CPacedDisplay: the display of a player without a renderer. It keeps each
// GOP for the time its frames would be on screen, on the injectable clock,
// and draws nothing. The time follows the display's frame schedule: at speed
// 1 the whole display time; paused, no time (one frame is shown); in fast
// play the frames actually drawn, each for its interval.
#pragma once

#include "player/core/GopDisplay.h"

class CPacedDisplay final : public CGopDisplay {
public:
    bool Init(HWND window) override;
    void Free() override {}
    void Refresh() override {}
    void SetOsd(bool) override {}
    int ShowGop(const GopShowRequest& request) override;

    // The time ShowGop waits for `request`, in ms.
    static int PacingMs(const GopShowRequest& request);
};
