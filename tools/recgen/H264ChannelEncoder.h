// Encodes the synthetic picture of one channel (ChannelColour.h) with
// libx264 through libavcodec and hands back each frame in the recorder's
// layout (RecorderFrameWriter). Every GOP starts with a key frame. A
// skippable channel is all intra, so a display may drop any of its frames;
// otherwise frames after the key frame are a P-frame chain. Baseline
// profile, one slice per frame, no B-frames, no encoder delay.
//
// One thread uses an encoder; it owns its codec context and picture.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "tools/recgen/AnnexB.h"

struct AVCodecContext;
struct AVFrame;
struct AVPacket;

namespace recgen {

struct EncodedFrame {
    std::vector<uint8_t> data;  // recorder layout
    bool keyFrame = false;
};

class H264ChannelEncoder {
public:
    struct Options {
        int channel = 0;  // picks the colour
        int width = 352;
        int height = 288;
        int framesPerGop = 25;
        bool skippable = false;  // all intra
        // Above 0: the busy picture at about this bit rate (RecordingPlan.h).
        int busyBitRate = 0;
    };

    // Null with *error set when libx264 is missing or refuses the options.
    static std::unique_ptr<H264ChannelEncoder> Create(const Options& options, std::string* error);
    ~H264ChannelEncoder();
    H264ChannelEncoder(const H264ChannelEncoder&) = delete;
    H264ChannelEncoder& operator=(const H264ChannelEncoder&) = delete;

    // The next frame of the channel (frame k of the stream starts a GOP when
    // k is a multiple of framesPerGop). False with *error set on an encoder failure.
    bool EncodeNext(EncodedFrame* frame, std::string* error);

private:
    H264ChannelEncoder(const Options& options, AVCodecContext* context, AVFrame* picture,
                       AVPacket* packet);
    void Paint();
    void PaintBusy();

    Options options_;
    AVCodecContext* context_;
    AVFrame* picture_;
    AVPacket* packet_;
    RecorderFrameWriter writer_;
    int64_t next_ = 0;
    std::vector<uint8_t> texture_;  // the busy picture's luma, twice its size each way
    uint32_t noise_ = 0x9E3779B9u;  // the busy picture's noise generator state
};

}  // namespace recgen
