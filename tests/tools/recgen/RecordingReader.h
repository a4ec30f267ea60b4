// Test-side reading of a generated pair: the index entries, and each GOP's
// frames found by walking its frame headers. Deliberately minimal: it trusts
// the layout the generator writes and checks nothing a player would.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "format/FrameHeader.h"

struct WalkedFrame {
    FrameHeader header;
    std::vector<uint8_t> data;
};

struct WalkedGop {
    uint64_t offset;
    FrameHeader first;
    std::vector<WalkedFrame> frames;
    std::vector<uint8_t> audio;
    std::vector<uint8_t> telemetry;
};

struct IndexEntry {
    uint32_t time;
    uint64_t offset;
};

// Entries 1 to last of the `.inx`, the end mark included.
std::vector<IndexEntry> ReadIndex(const std::string& inxPath);
// The GOPs the index points at (the end mark excluded).
std::vector<WalkedGop> WalkRecording(const std::string& dvrPath, const std::string& inxPath);
