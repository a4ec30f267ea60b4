// CDisplayHost: what the display reads from and tells the player it works
// for. The player implements it.
//
// Threads: FullScreenChannel, DivisionMode, SetDivisionMode,
// SourceChannelCount and QueuedAudioBuffers on the playback thread (inside
// ShowGop); ReportFrameFailure from several display threads at once.
#pragma once

class CDisplayHost {
public:
    virtual ~CDisplayHost() = default;

    // The channel shown alone (1-based), or 0 for all.
    virtual int FullScreenChannel() = 0;
    // The division mode (zDivStatus), -1 while unknown; and setting it.
    virtual int DivisionMode() = 0;
    virtual void SetDivisionMode(int mode) = 0;
    // The open recording's channel count, read from the source again.
    virtual int SourceChannelCount() = 0;
    // Buffers the open audio device has not played yet; 0 while it is closed.
    virtual int QueuedAudioBuffers() = 0;
    // Message 24 on the message callback: a frame not decoded or drawn.
    virtual void ReportFrameFailure() = 0;
};
