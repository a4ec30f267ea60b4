// CPlayerDisplayLink: what the channel display needs of the player (its
// settings, the audio lag, message 24 and the decoders), for a display made
// before the player it serves: the player is attached once it exists, and
// until then the link answers as a player with nothing open would.
//
// Threads: as CDisplayHost and CFrameDecoder say; Attach before playback.
#pragma once

#include <atomic>

#include "player/core/Player.h"
#include "player/render/DisplayHost.h"
#include "player/render/FrameDecoder.h"

class CPlayerDisplayLink final : public CDisplayHost, public CFrameDecoder {
public:
    void Attach(CPlayer* player) { m_player = player; }

    int FullScreenChannel() override {
        CPlayer* p = m_player;
        return p != nullptr ? p->FullScreenChannel() : 0;
    }
    int DivisionMode() override {
        CPlayer* p = m_player;
        return p != nullptr ? p->DivisionMode() : -1;
    }
    void SetDivisionMode(int mode) override {
        if (CPlayer* p = m_player)
            p->SetDivisionMode(mode);
    }
    int SourceChannelCount() override {
        CPlayer* p = m_player;
        return p != nullptr ? p->Source().TellScreenNum() : -1;
    }
    int QueuedAudioBuffers() override {
        CPlayer* p = m_player;
        return p != nullptr ? p->QueuedAudioBuffers() : 0;
    }
    void ReportFrameFailure() override {
        if (CPlayer* p = m_player)
            p->ReportFrameFailure();
    }
    bool DecodeFrame(int group, int channel, const unsigned char* data, int length,
                     unsigned char* out, int* size, int* width, int* height) override {
        CPlayer* p = m_player;
        return p != nullptr &&
               p->Decoders().DecodeFrame(group, channel, data, length, out, size, width, height);
    }

private:
    std::atomic<CPlayer*> m_player{nullptr};
};
