// CGopDisplay: what the playback thread hands each parsed GOP to. It keeps
// the GOP on screen for its display time (the playback thread's pacing), and
// later draws its channels into the host window.
//
// Threads: Init, Free and Refresh on the command thread; ShowGop on the
// playback thread only; SetOsd and Interrupt from any thread.
#pragma once

#include <cstdint>

#include "platform/base/WinTypes.h"
#include "player/queue/GopBuffer.h"
#include "shared/GopRecords.h"

// Whether the GOP being shown must stop: playback has moved on (a new
// position, speed or direction, a stop). Asked by the display's threads
// between frames and while they wait for a frame's time.
class CShowInterruption {
public:
    virtual ~CShowInterruption() = default;
    virtual bool IsInterrupted() const = 0;
};

// One GOP to show, as the playback thread found it.
struct GopShowRequest {
    const GopBuffer* slot;  // the GOP's queue slot; its bytes stay valid during ShowGop
    const GopInfo* info;    // the parsed record
    int stepIndex;          // frame shown while paused, -1 when not stepping
    int displayMs;          // D, the GOP's display time at speed 1
    int speed;              // 1, or 2^a in fast play
    bool forward;
    int state;  // the playback thread's snapshot of the player state (zStatusType)
    const CShowInterruption* interruption = nullptr;  // null: never interrupted
};

class CGopDisplay {
public:
    virtual ~CGopDisplay() = default;

    // Prepares drawing into `window` (null: no window). False when drawing
    // cannot be prepared.
    virtual bool Init(HWND window) = 0;
    // Releases what Init prepared.
    virtual void Free() = 0;
    // Repaints the whole host window.
    virtual void Refresh() = 0;
    // Turns the per-channel on-screen text on or off.
    virtual void SetOsd(bool on) = 0;
    // Forgets the picture sizes last decoded per channel (a source opens).
    virtual void ClearDecodedSizes() {}
    // The division mode the host window is laid out in (a source opens with
    // the mode of its channel count): a GOP shown in another mode has the
    // window repainted first.
    virtual void SetShownDivisionMode(int) {}
    // Shows the GOP and returns once its time is over, or at its next frame
    // once the request's interruption says so: 0, or -1 when a frame failed
    // (the playback thread then rebuilds the decoders).
    virtual int ShowGop(const GopShowRequest& request) = 0;
    // Has a ShowGop waiting for a frame's time ask its interruption again
    // (any thread, after the interruption has come true).
    virtual void Interrupt() {}
};
