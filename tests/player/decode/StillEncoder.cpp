#include "StillEncoder.h"

#include <cstring>

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavutil/dict.h>
#include <libavutil/frame.h>
#include <libavutil/pixdesc.h>
}

namespace decode_test {
namespace {

std::vector<uint8_t> Encode(AVCodecContext* context, AVFrame* picture, AVPacket* packet) {
    std::vector<uint8_t> out;
    if (avcodec_send_frame(context, picture) < 0 || avcodec_send_frame(context, nullptr) < 0)
        return out;
    while (avcodec_receive_packet(context, packet) >= 0) {
        out.insert(out.end(), packet->data, packet->data + packet->size);
        av_packet_unref(packet);
    }
    return out;
}

}  // namespace

std::vector<uint8_t> EncodeStill(int width, int height, int pixelFormat, std::string* error) {
    const AVCodec* codec = avcodec_find_encoder_by_name("libx264");
    if (codec == nullptr) {
        *error = "libx264 encoder not available";
        return {};
    }
    AVCodecContext* context = avcodec_alloc_context3(codec);
    AVFrame* picture = av_frame_alloc();
    AVPacket* packet = av_packet_alloc();
    context->width = width;
    context->height = height;
    context->pix_fmt = AVPixelFormat(pixelFormat);
    context->time_base = {1, 25};
    context->thread_count = 1;
    std::vector<uint8_t> out;
    picture->format = pixelFormat;
    picture->width = width;
    picture->height = height;
    // No reordering, so that the decoder gives the picture for its frame at once.
    AVDictionary* options = nullptr;
    av_dict_set(&options, "preset", "ultrafast", 0);
    av_dict_set(&options, "tune", "zerolatency", 0);
    const int opened = avcodec_open2(context, codec, &options);
    av_dict_free(&options);
    if (opened < 0 || av_frame_get_buffer(picture, 0) < 0) {
        *error = "libx264 refused the picture";
    } else {
        const int chromaShift = av_pix_fmt_desc_get(context->pix_fmt)->log2_chroma_h;
        for (int p = 0; p < 3; ++p) {
            const int rows = p == 0 ? height : (height + (1 << chromaShift) - 1) >> chromaShift;
            std::memset(picture->data[p], 128, size_t(picture->linesize[p]) * size_t(rows));
        }
        picture->pts = 0;
        out = Encode(context, picture, packet);
    }
    av_packet_free(&packet);
    av_frame_free(&picture);
    avcodec_free_context(&context);
    return out;
}

}  // namespace decode_test
