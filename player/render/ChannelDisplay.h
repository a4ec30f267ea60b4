// CChannelDisplay: the display the playback thread hands each GOP to
// (CGopDisplay). ShowGop works out when each channel's frames are due, picks
// the pane layout from the division mode, the full-screen channel and the
// channel count, starts one DisplayThread per shown channel and returns
// once all of them have ended: at the end of the GOP's time, or at the next
// frame once the request's interruption comes true.
//
// Threads: ShowGop on the playback thread only; Init, Free and Refresh on
// the command or playback thread; SetOsd, Interrupt and the decoded sizes
// from any thread. The 16 contexts are written by ShowGop before it starts the
// threads and read by each channel's thread until ShowGop has waited for it:
// never shared between two GOPs.
#pragma once

#include <atomic>

#include "player/core/GopDisplay.h"
#include "player/render/DisplayContext.h"
#include "player/render/DisplayHost.h"
#include "player/render/FrameDecoder.h"
#include "player/render/FrameWait.h"
#include "player/render/PaneLayout.h"
#include "player/render/Renderer.h"

class CChannelDisplay final : public CGopDisplay {
public:
    // None of these is owned; all outlive the display.
    CChannelDisplay(CRenderer& renderer, CFrameDecoder& decoder, CDisplayHost& host);

    // Prepares the renderer's slots on `window`. A host without a window
    // (null) has its GOPs decoded and paced but nothing drawn: true.
    bool Init(HWND window) override;
    void Free() override { m_renderer.Free(-1); }
    void Refresh() override { m_renderer.Refresh(); }
    void SetOsd(bool on) override { m_renderer.SetOsdOn(on); }
    void Interrupt() override { m_frameWait.Wake(); }
    // 0, or -1 when at speed 1 the one channel shown full screen failed to
    // decode (the playback thread then rebuilds the decoders).
    int ShowGop(const GopShowRequest& request) override;

    // The last decoded picture size of channel c (0-based); zOpen clears them.
    int DecodedWidth(int channel) const { return m_decodedWidth[channel].load(); }
    int DecodedHeight(int channel) const { return m_decodedHeight[channel].load(); }
    void ClearDecodedSizes() override;
    void SetShownDivisionMode(int mode) override { m_shownMode = mode; }

private:
    int CatchUpWithAudio(const GopShowRequest& request) const;
    void FillContexts(const GopShowRequest& request, int displayMs);
    ChannelLayout PickLayout(const GopInfo& info);
    void RepaintForNewMode(const ChannelLayout& layout, int channels);
    void RunThreads(const ChannelLayout& layout, const GopShowRequest& request);

    CRenderer& m_renderer;
    CFrameDecoder& m_decoder;
    CDisplayHost& m_host;
    CFrameWait m_frameWait;  // the display threads' waits, cut short by Interrupt

    DisplayContext m_contexts[kMaxChannels] = {};
    bool m_noSkip[kMaxChannels] = {};  // playback thread; kept from the last version-4 GOP
    std::atomic<int> m_shownMode{-1};  // the division mode the window is laid out in
    std::atomic<int> m_decodedWidth[kMaxChannels] = {};
    std::atomic<int> m_decodedHeight[kMaxChannels] = {};
};
