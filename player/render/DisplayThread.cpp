#include "player/render/DisplayThread.h"

#include <cstring>
#include <string>

#include "platform/base/Clock.h"
#include "player/render/DisplayHost.h"
#include "player/render/FrameDecoder.h"
#include "player/render/FrameSchedule.h"
#include "player/render/FrameWait.h"
#include "player/render/OsdText.h"
#include "player/render/Renderer.h"
#include "shared/PlayerInterface.h"

namespace {

bool FrameUsable(const DisplayContext& c, int j) {
    return j < kMaxFramesPerChannel && c.frameCount <= kMaxFramesPerChannel &&
           c.channel < kMaxChannels && c.frameData[j] != nullptr && c.frameLength[j] != 0;
}

void ShowFrame(DisplayContext& c, const DisplayServices& s, const uint8_t* picture) {
    const std::wstring text = FormatOsdText(c.channel, c.width, c.height, c.version, c.frameCount);
    s.renderer.SetOsdText(c.channel, text.c_str(), c.width, c.height);
    // A host without a window has frames decoded and paced but not drawn.
    if (s.renderer.Window() == nullptr)
        return;
    if (!s.renderer.Draw(c.paneCount, c.pane, c.channel, picture, c.width, c.height))
        s.host.ReportFrameFailure();
}

bool Interrupted(const DisplayServices& s) {
    return s.interruption != nullptr && s.interruption->IsInterrupted();
}

void ClearContext(DisplayContext& c) {
    for (int m = 0; m < c.frameCount && m < kMaxFramesPerChannel; ++m) {
        c.frameData[m] = nullptr;
        c.frameTime[m] = 0;
        c.frameLength[m] = 0;
    }
    c.channel = c.width = c.height = c.size = c.displayMs = c.paneCount = 0;
}

}  // namespace

void DisplayThread(DisplayContext* context, const DisplayServices& s) {
    DisplayContext& c = *context;
    // At speed 1 frames are due against the GOP's start; a GOP shown at
    // speed 1 in a state other than playing (the first after a seek from
    // idle) is paced the same way.
    DWORD t0 = c.speed == 1 && c.state != STATUS_PAUSED ? timeGetTime() : 0;
    const int toGo = FramesToGo(c);
    for (int j = 0; j >= 0 && j < toGo;) {
        if (c.speed != 1)
            t0 = timeGetTime();
        // The pane's buffer not shown: the picture shown stays whole while
        // this one is decoded.
        uint8_t* picture = s.renderer.DecodeBuffer(c.pane);
        if (!FrameUsable(c, j) || picture == nullptr || Interrupted(s))
            break;
        if (!s.decoder.DecodeFrame(0, c.channel + 1, c.frameData[j], c.frameLength[j], picture,
                                   &c.size, &c.width, &c.height)) {
            c.frameCount = -1;
            s.host.ReportFrameFailure();
            break;
        }
        if (*s.decodedWidth != c.width || *s.decodedHeight != c.height) {
            *s.decodedWidth = c.width;
            *s.decodedHeight = c.height;
        }
        if (FrameIsShown(c, j)) {
            ShowFrame(c, s, picture);
            if (c.state != STATUS_PAUSED) {
                const int elapsed = int(timeGetTime() - t0);
                if (GopTimeIsOver(c, elapsed))
                    break;
                const int pause = PauseAfterFrame(c, j, elapsed);
                if (pause > 0 && !s.wait.Sleep(DWORD(pause), s.interruption))
                    break;
            }
        }
        j = NextFrame(c, j, toGo);
    }
    ClearContext(c);
}
