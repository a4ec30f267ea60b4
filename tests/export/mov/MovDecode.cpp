#include "tests/export/mov/MovDecode.h"

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
}

#include <cstdarg>
#include <cstdio>
#include <memory>

namespace {

// Warnings of the demuxer and the decoders are failures too: a malformed box
// is often only warned about.
std::vector<std::string>* g_warnings = nullptr;

void KeepWarnings(void*, int level, const char* format, va_list args) {
    if (level > AV_LOG_WARNING || g_warnings == nullptr)
        return;
    char text[512];
    std::vsnprintf(text, sizeof text, format, args);
    g_warnings->push_back(text);
}

struct FormatCloser {
    void operator()(AVFormatContext* c) const { avformat_close_input(&c); }
};
struct CodecFreer {
    void operator()(AVCodecContext* c) const { avcodec_free_context(&c); }
};
struct FrameFreer {
    void operator()(AVFrame* f) const { av_frame_free(&f); }
};
struct PacketFreer {
    void operator()(AVPacket* p) const { av_packet_free(&p); }
};

using Codec = std::unique_ptr<AVCodecContext, CodecFreer>;

Codec OpenDecoder(const AVStream* stream) {
    const AVCodec* codec = avcodec_find_decoder(stream->codecpar->codec_id);
    Codec context(codec ? avcodec_alloc_context3(codec) : nullptr);
    if (!context || avcodec_parameters_to_context(context.get(), stream->codecpar) < 0 ||
        avcodec_open2(context.get(), codec, nullptr) < 0)
        return nullptr;
    return context;
}

void Collect(AVCodecContext* context, AVFrame* frame, MovDecodeResult* result) {
    while (avcodec_receive_frame(context, frame) == 0) {
        if (context->codec_type == AVMEDIA_TYPE_VIDEO) {
            ++result->videoFrames;
            result->width = frame->width;
            result->height = frame->height;
        } else {
            const auto* s = reinterpret_cast<const int16_t*>(frame->data[0]);
            result->samples.insert(result->samples.end(), s, s + frame->nb_samples);
        }
    }
}

void DecodeInto(const std::string& path, MovDecodeResult& result) {
    AVFormatContext* raw = nullptr;
    if (avformat_open_input(&raw, path.c_str(), nullptr, nullptr) < 0) {
        result.error = "avformat_open_input failed";
        return;
    }
    std::unique_ptr<AVFormatContext, FormatCloser> format(raw);
    if (avformat_find_stream_info(format.get(), nullptr) < 0) {
        result.error = "no stream info";
        return;
    }
    result.opened = true;
    std::vector<Codec> decoders;
    for (unsigned i = 0; i < format->nb_streams; ++i) {
        const AVStream* stream = format->streams[i];
        const bool video = stream->codecpar->codec_type == AVMEDIA_TYPE_VIDEO;
        result.videoStreams += video;
        result.audioStreams += stream->codecpar->codec_type == AVMEDIA_TYPE_AUDIO;
        if (!video)
            result.sampleRate = stream->codecpar->sample_rate;
        decoders.push_back(OpenDecoder(stream));
        if (!decoders.back() && result.error.empty())
            result.error = "no decoder for stream " + std::to_string(i);
    }
    std::unique_ptr<AVFrame, FrameFreer> frame(av_frame_alloc());
    std::unique_ptr<AVPacket, PacketFreer> packet(av_packet_alloc());
    while (av_read_frame(format.get(), packet.get()) == 0) {
        AVCodecContext* decoder = decoders.at(size_t(packet->stream_index)).get();
        if (decoder != nullptr) {
            result.videoPackets += decoder->codec_type == AVMEDIA_TYPE_VIDEO;
            if (avcodec_send_packet(decoder, packet.get()) < 0 && result.error.empty())
                result.error = "a packet was refused";
            Collect(decoder, frame.get(), &result);
        }
        av_packet_unref(packet.get());
    }
    for (Codec& decoder : decoders) {
        if (decoder) {
            avcodec_send_packet(decoder.get(), nullptr);
            Collect(decoder.get(), frame.get(), &result);
        }
    }
}

}  // namespace

MovDecodeResult DecodeMovie(const std::string& path) {
    MovDecodeResult result;
    std::vector<std::string> warnings;
    g_warnings = &warnings;
    av_log_set_callback(KeepWarnings);
    DecodeInto(path, result);
    av_log_set_callback(av_log_default_callback);
    g_warnings = nullptr;
    if (result.error.empty() && !warnings.empty())
        result.error = warnings.front();
    return result;
}
