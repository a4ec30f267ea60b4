// What the index rebuild needs of the main window, which implements it. The
// rebuild dialog and RunRebuildHddIndex call it on the UI thread only.
#pragma once

#include <functional>

class RebuildIndexHost {
public:
    virtual ~RebuildIndexHost() = default;

    // The main window's status line.
    virtual void SetStatusText(const wchar_t* text) = 0;

    // Stops the open source and closes it, waiting for the player's stop and
    // close results (no fixed delays: the player keeps one command at a
    // time), then calls `next` on the UI thread. With nothing open, `next`
    // runs at once. A request made while an earlier one still waits runs its
    // `next` after the earlier one's. An empty `next` only stops and closes.
    virtual void StopThenOpen(std::function<void()> next) = 0;

    // true: the rebuild source is open; the play state becomes PLAY_OPENED
    // and g_bUserStop is set, so that the result of its stop closes it.
    // false: back to PLAY_IDLE with g_bUserStop cleared.
    virtual void SetRebuildSourceOpen(bool open) = 0;
};
