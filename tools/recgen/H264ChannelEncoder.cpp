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
    if (o.busyBitRate > 0)
        c->bit_rate = o.busyBitRate;
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

uint32_t NextNoise(uint32_t* state) {
    uint32_t x = *state;
    x ^= x << 13;
    x ^= x >> 17;
    x ^= x << 5;
    return *state = x;
}

// Detail at several scales: noise smoothed over a 4 x 4 box, plus fine noise.
std::vector<uint8_t> BusyTexture(int width, int height, uint32_t seed) {
    const int w = 2 * width, h = 2 * height;
    std::vector<uint8_t> fine(std::size_t(w) * h);
    for (uint8_t& v : fine)
        v = uint8_t(NextNoise(&seed));
    std::vector<uint8_t> texture(fine.size());
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            int sum = 0;
            for (int dy = 0; dy < 4; ++dy)
                for (int dx = 0; dx < 4; ++dx)
                    sum += fine[std::size_t((y + dy) % h) * w + std::size_t((x + dx) % w)];
            texture[std::size_t(y) * w + x] =
                uint8_t(32 + sum / 16 * 3 / 4 + fine[std::size_t(y) * w + x] % 32);
        }
    return texture;
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
    if (options_.busyBitRate > 0)
        return PaintBusy();
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

// The texture pans by (3, 1) pixels a frame; every luma sample gets fresh
// noise, so no frame is a copy of the one before; the chroma is the
// channel's colour.
void H264ChannelEncoder::PaintBusy() {
    const int w = options_.width, h = options_.height;
    if (texture_.empty())
        texture_ = BusyTexture(w, h, 0x2545F491u + uint32_t(options_.channel));
    const Yuv colour = RgbToYuv(ChannelColour(options_.channel));
    uint8_t** p = picture_->data;
    const int* pitch = picture_->linesize;
    const int x0 = int(next_ * 3 % w), y0 = int(next_ % h);
    for (int y = 0; y < h; ++y) {
        const uint8_t* from = &texture_[std::size_t(y + y0) * 2 * w + x0];
        uint8_t* to = p[0] + std::size_t(y) * pitch[0];
        for (int x = 0; x < w; x += 4) {
            const uint32_t n = NextNoise(&noise_);
            for (int k = 0; k < 4 && x + k < w; ++k)
                to[x + k] = uint8_t(std::clamp(from[x + k] + int((n >> (8 * k)) & 7) - 4, 16, 235));
        }
    }
    FillPlane(p[1], pitch[1], 0, 0, w / 2, h / 2, colour.u);
    FillPlane(p[2], pitch[2], 0, 0, w / 2, h / 2, colour.v);
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
