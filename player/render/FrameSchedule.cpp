#include "player/render/FrameSchedule.h"

#include <algorithm>

#include "shared/PlayerInterface.h"

namespace {

constexpr int kFastestScaledSpeed = 4;  // beyond it the interval is D / 8
constexpr int kSkipStep = 4;
constexpr int kFewestSkippedFrames = 5;
constexpr int kFewestSkippedPanes = 4;
constexpr int kLargeWidth = 1280;
constexpr int kLargeHeight = 720;
constexpr int kGopEndMarginMs = 10;

}  // namespace

int FrameInterval(int version, int state, int speed, bool forward, int frames, int displayMs) {
    if (state == STATUS_PAUSED)
        return 0;
    const bool scaled = speed == 2 || speed == kFastestScaledSpeed;
    if (speed != 1 && !scaled)
        return displayMs / 8;
    const bool perFrame = frames != 1 && forward && (speed == 1 || version == 4);
    if (perFrame)
        return displayMs / frames;
    return speed == 1 ? displayMs : displayMs / speed;
}

void ScheduleFrames(DisplayContext* context, int frames, int interval) {
    int due = 0;
    for (int j = 0; j < frames && j < kMaxFramesPerChannel; ++j) {
        due += interval;
        context->frameTime[j] = context->speed == 1 ? due : interval;
    }
}

int FramesToGo(const DisplayContext& c) {
    if (c.state == STATUS_PAUSED)
        return std::min(c.stepIndex + 1, kMaxFramesPerChannel);
    if (c.state == STATUS_FAST_BACKWARD || !c.forward)
        return 1;
    return std::min(c.frameCount, kMaxFramesPerChannel);
}

bool FrameIsShown(const DisplayContext& c, int j) {
    return c.state == STATUS_PAUSED ? j == c.stepIndex : j > c.stepIndex;
}

int PauseAfterFrame(const DisplayContext& c, int j, int elapsedMs) {
    if (c.state == STATUS_PAUSED || c.frameTime[j] == 0)
        return 0;
    int due = c.frameTime[j];
    if (c.stepIndex != -1)
        due -= c.stepIndex * c.frameTime[0];
    return std::max(due - elapsedMs, 0);
}

bool GopTimeIsOver(const DisplayContext& c, int elapsedMs) {
    return c.speed == 1 && unsigned(elapsedMs) > unsigned(c.displayMs - kGopEndMarginMs);
}

int NextFrame(const DisplayContext& c, int j, int framesToGo) {
    if (c.version != 4)
        return c.speed >= 2 ? -1 : j + 1;
    if (c.speed >= 8)
        return -1;
    const bool large = c.width >= kLargeWidth && c.height >= kLargeHeight;
    if (c.state != STATUS_PAUSED && c.paneCount >= kFewestSkippedPanes && large && c.speed == 1 &&
        framesToGo >= kFewestSkippedFrames && !c.noSkip)
        return j + kSkipStep;
    return j + c.speed;
}
