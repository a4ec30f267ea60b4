#include "tools/recgen/H264ChannelEncoder.h"

#include <algorithm>
#include <cstring>

#include "tools/recgen/ChannelColour.h"

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavutil/error.h>
#include <libavutil/opt.h>
}

namespace recgen {
namespace {

std::string AvError(const char* what, int code) {
    char text[AV_ERROR_MAX_STRING_SIZE] = {};
    av_strerror(code, text, sizeof text);
    return std::string(what) + ": " + text;
}

AVDictionary* EncoderOptions(const H264ChannelEncoder::Options& o) {
    const int keyint = o.skippable ? 1 : o.framesPerGop;
    const std::string params =
        "log=-1:slices=1:bframes=0:scenecut=0:keyint=" + std::to_string(keyint) +
        ":min-keyint=" + std::to_string(keyint);
    AVDictionary* options = nullptr;
    av_dict_set(&options, "preset", "ultrafast", 0);
    av_dict_set(&options, "tune", "zerolatency", 0);
    av_dict_set(&options, "profile", "baseline", 0);
    av_dict_set(&options, "forced-idr", "1", 0);
    av_dict_set(&options, "x264-params", params.c_str(), 0);
    return options;
}

AVCodecContext* OpenContext(const H264ChannelEncoder::Options& o, std::string* error) {
    const AVCodec* codec = avcodec_find_encoder_by_name("libx264");
    if (codec == nullptr) {
        *error = "libx264 encoder not available";
        return nullptr;
    }
    AVCodecContext* c = avcodec_alloc_context3(codec);
    c->width = o.width;
    c->height = o.height;
    c->pix_fmt = AV_PIX_FMT_YUV420P;
    c->time_base = {1, std::max(1, o.framesPerGop)};
    c->framerate = {std::max(1, o.framesPerGop), 1};
    c->gop_size = o.skippable ? 1 : o.framesPerGop;
    c->max_b_frames = 0;
    c->thread_count = 1;  // one thread keeps one slice per frame and no delay
    AVDictionary* options = EncoderOptions(o);
    const int result = avcodec_open2(c, codec, &options);
    av_dict_free(&options);
    if (result < 0) {
        *error = AvError("opening libx264", result);
        avcodec_free_context(&c);
    }
    return c;
}

void FillPlane(uint8_t* plane, int pitch, int x0, int y0, int w, int h, uint8_t value) {
    for (int y = y0; y < y0 + h; ++y)
        std::memset(plane + y * pitch + x0, value, std::size_t(w));
}

}  // namespace

std::unique_ptr<H264ChannelEncoder> H264ChannelEncoder::Create(const Options& o,
                                                               std::string* error) {
    if (o.width < 16 || o.height < 16 || o.width % 2 != 0 || o.height % 2 != 0 ||
        o.framesPerGop < 1) {
        *error = "picture size or GOP length unusable";
        return nullptr;
    }
    AVCodecContext* context = OpenContext(o, error);
    if (context == nullptr)
        return nullptr;
    AVFrame* picture = av_frame_alloc();
    picture->format = AV_PIX_FMT_YUV420P;
    picture->width = o.width;
    picture->height = o.height;
    const int result = av_frame_get_buffer(picture, 0);
    if (result < 0) {
        *error = AvError("picture buffer", result);
        av_frame_free(&picture);
        avcodec_free_context(&context);
        return nullptr;
    }
    return std::unique_ptr<H264ChannelEncoder>(
        new H264ChannelEncoder(o, context, picture, av_packet_alloc()));
}

H264ChannelEncoder::H264ChannelEncoder(const Options& options, AVCodecContext* context,
                                       AVFrame* picture, AVPacket* packet)
    : options_(options), context_(context), picture_(picture), packet_(packet) {}

H264ChannelEncoder::~H264ChannelEncoder() {
    av_packet_free(&packet_);
    av_frame_free(&picture_);
    avcodec_free_context(&context_);
}

void H264ChannelEncoder::Paint() {
    const Yuv colour = RgbToYuv(ChannelColour(options_.channel));
    const int w = options_.width, h = options_.height;
    uint8_t** p = picture_->data;
    const int* pitch = picture_->linesize;
    FillPlane(p[0], pitch[0], 0, 0, w, h, colour.y);
    FillPlane(p[1], pitch[1], 0, 0, w / 2, h / 2, colour.u);
    FillPlane(p[2], pitch[2], 0, 0, w / 2, h / 2, colour.v);
    // The moving block: in the top eighth, one block height below the edge,
    // in a luma that contrasts with the background.
    const int bw = std::max(2, w / 8 / 2 * 2), bh = std::max(2, h / 16 / 2 * 2);
    const int travel = w - bw;
    const int x = int((next_ * 8) % std::max(1, travel)) / 2 * 2;
    FillPlane(p[0], pitch[0], x, bh, bw, bh, colour.y < 128 ? 235 : 16);
    FillPlane(p[1], pitch[1], x / 2, bh / 2, bw / 2, bh / 2, 128);
    FillPlane(p[2], pitch[2], x / 2, bh / 2, bw / 2, bh / 2, 128);
}

bool H264ChannelEncoder::EncodeNext(EncodedFrame* frame, std::string* error) {
    int result = av_frame_make_writable(picture_);
    if (result < 0) {
        *error = AvError("picture not writable", result);
        return false;
    }
    Paint();
    const bool gopStart = next_ % options_.framesPerGop == 0;
    picture_->pts = next_++;
    picture_->pict_type = gopStart ? AV_PICTURE_TYPE_I : AV_PICTURE_TYPE_NONE;
    result = avcodec_send_frame(context_, picture_);
    if (result >= 0)
        result = avcodec_receive_packet(context_, packet_);
    if (result < 0) {
        // Without B-frames and look-ahead every picture gives its packet at once.
        *error = AvError("encoding", result);
        return false;
    }
    frame->keyFrame = (packet_->flags & AV_PKT_FLAG_KEY) != 0;
    frame->data = writer_.Rewrite({packet_->data, std::size_t(packet_->size)}, frame->keyFrame);
    av_packet_unref(packet_);
    if (gopStart && !frame->keyFrame)
        *error = "GOP does not start with a key frame";
    if (frame->data.empty())
        *error = "key frame without parameter sets";
    return !(gopStart && !frame->keyFrame) && !frame->data.empty();
}

}  // namespace recgen
