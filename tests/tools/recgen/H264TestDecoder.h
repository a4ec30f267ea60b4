// libavcodec's H.264 decoder for tests: frames in, pictures out, with the
// centre sample of each plane kept for colour checks.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

struct AVCodecContext;
struct AVFrame;
struct AVPacket;

struct DecodedPicture {
    int width;
    int height;
    uint8_t centreY, centreU, centreV;
    std::vector<uint8_t> luma;  // width x height, pitch = width
};

class H264TestDecoder {
public:
    H264TestDecoder();
    ~H264TestDecoder();
    H264TestDecoder(const H264TestDecoder&) = delete;
    H264TestDecoder& operator=(const H264TestDecoder&) = delete;

    bool ok() const { return context_ != nullptr; }
    // Feeds one frame; false when the decoder rejects it.
    bool Decode(std::span<const uint8_t> frame);
    // Drains what the decoder still holds.
    void Flush();

    const std::vector<DecodedPicture>& pictures() const { return pictures_; }

private:
    bool Drain();

    AVCodecContext* context_ = nullptr;
    AVFrame* frame_ = nullptr;
    AVPacket* packet_ = nullptr;
    std::vector<DecodedPicture> pictures_;
};
