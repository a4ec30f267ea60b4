// CDecoderManager: one frame decoder per channel and the GOP parser over them.
// This build has no H.264 decoders yet: the parser is built over 16 empty
// decoder slots, so GOPs parse and probe while every frame decode is refused
// (CGopParser::DecodeFrame answers false for a channel without a decoder).
// The decoders plug into Create.
//
// Threads: Parse and Probe run on the read, playback and extraction threads
// at once; Create and Destroy on the command and playback threads. The
// parser pointer is guarded by a reader-writer lock, so a Destroy waits for
// the parses that use the parser.
#pragma once

#include <cstdint>
#include <memory>
#include <shared_mutex>

#include "player/gop/GopParser.h"
#include "shared/GopRecords.h"

class CDecoderManager {
public:
    // Builds the parser over the decoders; true.
    bool Create();
    // Drops the parser; parses then fail until the next Create.
    void Destroy();

    // The GOP's version (0..4), or -1 without a parser or for a bad GOP.
    int Parse(const uint8_t* gop, int length, GopInfo* info, bool wantAudio);
    // 0 with `set` filled, or -1.
    int Probe(const uint8_t* gop, int length, FrameSet* set);

private:
    std::shared_mutex m_lock;
    std::unique_ptr<CGopParser> m_parser;  // guarded by m_lock
};
