// The timing and frame-skipping rules of the display: each channel's frame
// interval, the frames a display thread goes through, which of them it
// draws, how long it then pauses and which frame it decodes next.
#pragma once

#include "format/gop/FrameCount.h"  // ChannelFrameCount
#include "player/render/DisplayContext.h"
#include "shared/GopRecords.h"

// The interval between frames of a channel with `frames` frames in a GOP
// shown for `displayMs`; 0 while paused (state 2).
int FrameInterval(int version, int state, int speed, bool forward, int frames, int displayMs);

// Fills the context's frame times for `frames` frames at `interval`: at
// speed 1 the due times interval, 2 x interval, ...; at other speeds the
// interval itself for every frame.
void ScheduleFrames(DisplayContext* context, int frames, int interval);

// Frames the display thread goes through: paused, up to the step index;
// fast backward (state 4, or any backward play), only the first; else all.
// Never more than the frame slots.
int FramesToGo(const DisplayContext& context);

// Whether frame j is drawn (frames before the step index are only decoded,
// so that the decoder's references stay complete).
bool FrameIsShown(const DisplayContext& context, int j);

// The pause after drawing frame j, `elapsedMs` after t0; 0 for none.
int PauseAfterFrame(const DisplayContext& context, int j, int elapsedMs);

// At speed 1: true when the GOP's time is used up after a drawn frame
// (elapsed beyond D - 10, compared as unsigned so that a D below 10 never
// ends it).
bool GopTimeIsOver(const DisplayContext& context, int elapsedMs);

// The frame decoded after frame j, or -1 when the thread is done with the
// GOP: older versions show only the first frame at speed 2 and more,
// version 4 at speed 8 and more; version 4 skips to every 4th frame of large
// pictures in layouts of 4 or more panes while playing at speed 1 unless
// noSkip is set, and to every speed-th frame in fast play. A step is not
// playback: it goes through every frame up to its own, so that it always
// shows the next (or previous) frame.
int NextFrame(const DisplayContext& context, int j, int framesToGo);
