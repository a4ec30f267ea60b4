// CDecoderManager: the sixteen channel decoders (channel c uses decoder
// c - 1) and the GOP parser that routes frames to them, as one group.
//
// Life cycle: the decoders are opened by Create and closed by Destroy, which
// the playback thread repeats to rebuild them (a picture-size change, a
// display failure). The parser is made by the first Create that opens every
// decoder and then lives as long as the manager: the read thread parses with
// it while the playback thread rebuilds the decoders, so no rebuild may free
// it. Before that first successful Create, Parse and Probe give -1.
//
// Threads: Parse and Probe from any thread, also at once (the parser keeps no
// state between parses). DecodeFrame for channel c only from the thread that
// displays c. Create and Destroy only while no DecodeFrame runs; a frame
// decoded after Destroy fails cleanly (the decoder is closed).
#pragma once

#include <array>
#include <atomic>
#include <cstdint>

#include "player/decode/H264Dec.h"
#include "player/gop/GopParser.h"
#include "shared/GopRecords.h"

class CDecoderManager {
public:
    CDecoderManager();
    ~CDecoderManager() { Destroy(); }
    CDecoderManager(const CDecoderManager&) = delete;
    CDecoderManager& operator=(const CDecoderManager&) = delete;

    // Opens the sixteen decoders in channel order; false at the first that
    // cannot be opened (those before it stay open until Destroy).
    bool Create();
    void Destroy();

    // The parser's result (the GOP's version, or negative); -1 before Create.
    int Parse(const unsigned char* data, int length, GopInfo* info, bool wantAudio);
    int Probe(const unsigned char* data, int length, FrameSet* set);
    // Decodes one frame of `channel` (1..16) of `group` (0 only) into `out`;
    // false for another group or channel, before Create or for a failed decode.
    bool DecodeFrame(int group, int channel, const unsigned char* data, int length,
                     unsigned char* out, int* size, int* width, int* height);

private:
    std::array<CH264Dec, kMaxChannels> m_decoders;
    CGopParser m_parser;
    std::atomic<bool> m_bParserReady{false};
};
