#include "tests/tools/recgen/H264TestDecoder.h"

#include <algorithm>

extern "C" {
#include <libavcodec/avcodec.h>
}

H264TestDecoder::H264TestDecoder() {
    const AVCodec* codec = avcodec_find_decoder(AV_CODEC_ID_H264);
    if (codec == nullptr)
        return;
    context_ = avcodec_alloc_context3(codec);
    context_->thread_count = 1;
    if (avcodec_open2(context_, codec, nullptr) < 0)
        avcodec_free_context(&context_);
    frame_ = av_frame_alloc();
    packet_ = av_packet_alloc();
}

H264TestDecoder::~H264TestDecoder() {
    av_packet_free(&packet_);
    av_frame_free(&frame_);
    avcodec_free_context(&context_);
}

bool H264TestDecoder::Decode(std::span<const uint8_t> frame) {
    if (av_new_packet(packet_, int(frame.size())) < 0)
        return false;
    std::copy(frame.begin(), frame.end(), packet_->data);
    const int result = avcodec_send_packet(context_, packet_);
    av_packet_unref(packet_);
    return result >= 0 && Drain();
}

void H264TestDecoder::Flush() {
    avcodec_send_packet(context_, nullptr);
    Drain();
}

bool H264TestDecoder::Drain() {
    for (;;) {
        const int result = avcodec_receive_frame(context_, frame_);
        if (result == AVERROR(EAGAIN) || result == AVERROR_EOF)
            return true;
        if (result < 0)
            return false;
        const int w = frame_->width, h = frame_->height;
        const auto sample = [this](int plane, int x, int y) {
            return frame_->data[plane][y * frame_->linesize[plane] + x];
        };
        DecodedPicture p{
            w, h, sample(0, w / 2, h / 2), sample(1, w / 4, h / 4), sample(2, w / 4, h / 4), {}};
        p.luma.resize(std::size_t(w) * std::size_t(h));
        for (int y = 0; y < h; ++y) {
            std::copy_n(frame_->data[0] + y * frame_->linesize[0], w,
                        p.luma.data() + std::size_t(y) * std::size_t(w));
        }
        pictures_.push_back(std::move(p));
        av_frame_unref(frame_);
    }
}
