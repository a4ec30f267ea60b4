#include "player/render/ChannelDisplay.h"

#include <algorithm>
#include <vector>

#include "platform/base/Thread.h"
#include "platform/base/Waitable.h"
#include "player/render/DisplayThread.h"
#include "player/render/FrameSchedule.h"
#include "shared/PlayerInterface.h"

namespace {

constexpr int kQueuedAudioAllowance = 20;
constexpr int kCatchUpMsPerBuffer = 50;

}  // namespace

CChannelDisplay::CChannelDisplay(CRenderer& renderer, CFrameDecoder& decoder, CDisplayHost& host)
    : m_renderer(renderer), m_decoder(decoder), m_host(host) {}

bool CChannelDisplay::Init(HWND window) {
    if (window == nullptr) {
        m_renderer.Free(-1);
        return true;
    }
    return m_renderer.Init(window, -1);
}

void CChannelDisplay::ClearDecodedSizes() {
    for (int c = 0; c < kMaxChannels; ++c) {
        m_decodedWidth[c] = 0;
        m_decodedHeight[c] = 0;
    }
}

// While the audio lags more than 20 buffers behind, the GOP stays longer.
int CChannelDisplay::CatchUpWithAudio(const GopShowRequest& r) const {
    if (r.speed != 1 || r.state != STATUS_PLAYING)
        return r.displayMs;
    const int queued = m_host.QueuedAudioBuffers();
    if (queued <= kQueuedAudioAllowance)
        return r.displayMs;
    return r.displayMs + (queued - kQueuedAudioAllowance) * kCatchUpMsPerBuffer;
}

void CChannelDisplay::FillContexts(const GopShowRequest& r, int displayMs) {
    const GopInfo& info = *r.info;
    const int channels = std::clamp(int(info.channelCount), 0, kMaxChannels);
    for (int c = 0; c < channels; ++c) {
        DisplayContext& context = m_contexts[c];
        const int frames = ChannelFrameCount(info, c);
        if (info.version == 4)
            m_noSkip[c] = info.noSkip[c] != 0;
        context.stepIndex = r.stepIndex;
        context.frameCount = frames;
        context.displayMs = displayMs;
        context.noSkip = m_noSkip[c];
        context.speed = r.speed;
        context.state = r.state;
        context.forward = r.forward;
        context.version = int(info.version);
        context.channel = c;
        ScheduleFrames(
            &context, frames,
            FrameInterval(int(info.version), r.state, r.speed, r.forward, frames, displayMs));
        for (int j = 0; j < kMaxFramesPerChannel; ++j) {
            const bool present = j < frames && info.frameLength[c][j] != 0;
            context.frameData[j] = present ? r.slot->data + info.frameOffset[c][j] : nullptr;
            context.frameLength[j] = present ? int(info.frameLength[c][j]) : 0;
        }
    }
}

ChannelLayout CChannelDisplay::PickLayout(const GopInfo& info) {
    const int fullScreen = m_host.FullScreenChannel();
    if (fullScreen == 0 && m_host.DivisionMode() == -1)
        m_host.SetDivisionMode(DivisionModeForChannels(m_host.SourceChannelCount()));
    return LayoutChannels(std::min(int(info.channels), kMaxChannels), m_host.DivisionMode(),
                          fullScreen);
}

void CChannelDisplay::RunThreads(const ChannelLayout& layout, const GopShowRequest& r) {
    std::vector<HANDLE> threads;
    for (int c = 0; c < kMaxChannels; ++c) {
        if (!layout.shown[c] || c >= r.info->channelCount)
            continue;
        DisplayContext* context = &m_contexts[c];
        context->paneCount = layout.paneCount;
        context->pane = layout.pane[c];
        const DisplayServices services{m_renderer,         m_decoder,           m_host,
                                       &m_decodedWidth[c], &m_decodedHeight[c], m_frameWait,
                                       r.interruption};
        HANDLE thread = CreateThread([context, services] { DisplayThread(context, services); });
        if (thread != nullptr)
            threads.push_back(thread);
        else
            DisplayThread(context, services);  // no thread to be had: show it here
    }
    for (HANDLE thread : threads) {
        WaitForSingleObject(thread, INFINITE);
        CloseHandle(thread);
    }
}

// A new division mode has the host repaint what the old layout drew and the
// new one does not cover. The panes this GOP draws are left out of the
// repaint: the window's thread repaints whenever it gets to it, and a repaint
// landing after the frames would wipe them (for a paused step, until the
// next step).
void CChannelDisplay::RepaintForNewMode(const ChannelLayout& layout, int channels) {
    const int mode = m_host.DivisionMode();
    if (mode == m_shownMode)
        return;
    std::vector<int> panes;
    for (int c = 0; c < channels; ++c)
        if (layout.shown[c])
            panes.push_back(layout.pane[c]);
    m_renderer.RefreshAround(layout.paneCount, panes);
    m_shownMode = mode;
}

int CChannelDisplay::ShowGop(const GopShowRequest& r) {
    if (r.info == nullptr || r.slot == nullptr || r.slot->data == nullptr)
        return 0;
    FillContexts(r, CatchUpWithAudio(r));
    const ChannelLayout layout = PickLayout(*r.info);
    RepaintForNewMode(layout, std::clamp(int(r.info->channelCount), 0, kMaxChannels));
    RunThreads(layout, r);
    int result = 0;
    const int fullScreen = m_host.FullScreenChannel();
    if (r.speed == 1 && fullScreen > 0 && fullScreen <= kMaxChannels &&
        layout.shown[fullScreen - 1] && m_contexts[fullScreen - 1].frameCount == -1)
        result = -1;
    return result;
}
