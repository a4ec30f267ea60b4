// Reads a movie under test back with libavformat and decodes every packet
// of its video (H.264) and audio (u-law) streams with libavcodec.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct MovDecodeResult {
    bool opened = false;
    std::string error;  // the first failure, empty when none
    int videoStreams = 0;
    int audioStreams = 0;
    int videoPackets = 0;
    int videoFrames = 0;  // pictures decoded
    int width = 0;
    int height = 0;
    int sampleRate = 0;
    std::vector<int16_t> samples;  // every decoded audio sample
};

MovDecodeResult DecodeMovie(const std::string& path);
