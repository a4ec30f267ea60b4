// Test-side reading of an exported AVI file with libavformat: what each
// stream declares, every packet's timing, and the decoded video pictures and
// audio samples. Reads the whole file at once; small exports only.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct AviPicture {
    int width = 0;
    int height = 0;
    std::vector<uint8_t> y, u, v;  // planes of the decoded 4:2:0 picture, pitch = plane width

    uint8_t Y(int x, int yy) const { return y[std::size_t(yy * width + x)]; }
    uint8_t U(int x, int yy) const { return u[std::size_t((yy / 2) * (width / 2) + x / 2)]; }
    uint8_t V(int x, int yy) const { return v[std::size_t((yy / 2) * (width / 2) + x / 2)]; }
    // Mean luma of the rectangle [x0, x1) x [y0, y1).
    double MeanY(int x0, int y0, int x1, int y1) const;
    // Pixels of the rectangle brighter than `threshold`.
    int CountBrighter(int x0, int y0, int x1, int y1, int threshold) const;
};

struct AviContents {
    bool opened = false;
    std::string formatName;
    std::string videoCodec;  // libavcodec's codec name, "" without a video stream
    std::string audioCodec;
    int width = 0;
    int height = 0;
    double frameRate = 0;  // declared by the stream
    int audioSampleRate = 0;
    int audioChannels = 0;
    double videoSeconds = 0;        // end of the last video packet
    double audioSeconds = 0;        // end of the last audio packet
    std::vector<int64_t> audioPts;  // in the audio stream's time base, in file order
    int64_t decodedAudioSamples = 0;
    std::vector<AviPicture> pictures;  // every decoded video frame, in order
};

AviContents ReadAvi(const std::string& path);
