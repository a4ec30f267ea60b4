#include "tests/export/support/AviReader.h"

#include <algorithm>

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
}

namespace {

struct Decoder {
    AVCodecContext* context = nullptr;
    ~Decoder() { avcodec_free_context(&context); }

    bool Open(const AVStream* stream) {
        const AVCodec* codec = avcodec_find_decoder(stream->codecpar->codec_id);
        if (codec == nullptr)
            return false;
        context = avcodec_alloc_context3(codec);
        return context != nullptr &&
               avcodec_parameters_to_context(context, stream->codecpar) >= 0 &&
               avcodec_open2(context, codec, nullptr) >= 0;
    }
};

std::vector<uint8_t> Plane(const AVFrame* f, int plane, int w, int h) {
    std::vector<uint8_t> out(std::size_t(w * h));
    for (int row = 0; row < h; ++row)
        std::copy_n(f->data[plane] + row * f->linesize[plane], w, out.begin() + row * w);
    return out;
}

void Take(AVCodecContext* c, AVFrame* f, bool video, AviContents* out) {
    while (avcodec_receive_frame(c, f) >= 0) {
        if (video) {
            AviPicture p;
            p.width = f->width;
            p.height = f->height;
            p.y = Plane(f, 0, f->width, f->height);
            p.u = Plane(f, 1, f->width / 2, f->height / 2);
            p.v = Plane(f, 2, f->width / 2, f->height / 2);
            out->pictures.push_back(std::move(p));
        } else {
            out->decodedAudioSamples += f->nb_samples;
        }
        av_frame_unref(f);
    }
}

double EndOf(const AVPacket* p, AVRational tb) {
    return double(p->pts + std::max<int64_t>(p->duration, 0)) * av_q2d(tb);
}

}  // namespace

double AviPicture::MeanY(int x0, int y0, int x1, int y1) const {
    double sum = 0;
    for (int yy = y0; yy < y1; ++yy)
        for (int x = x0; x < x1; ++x)
            sum += Y(x, yy);
    return sum / double((x1 - x0) * (y1 - y0));
}

int AviPicture::CountBrighter(int x0, int y0, int x1, int y1, int threshold) const {
    int n = 0;
    for (int yy = y0; yy < y1; ++yy)
        for (int x = x0; x < x1; ++x)
            n += Y(x, yy) > threshold ? 1 : 0;
    return n;
}

AviContents ReadAvi(const std::string& path) {
    AviContents out;
    AVFormatContext* format = nullptr;
    if (avformat_open_input(&format, path.c_str(), nullptr, nullptr) < 0)
        return out;
    avformat_find_stream_info(format, nullptr);
    out.opened = true;
    out.formatName = format->iformat->name;
    const int vi = av_find_best_stream(format, AVMEDIA_TYPE_VIDEO, -1, -1, nullptr, 0);
    const int ai = av_find_best_stream(format, AVMEDIA_TYPE_AUDIO, -1, -1, nullptr, 0);
    Decoder video, audio;
    if (vi >= 0) {
        const AVStream* s = format->streams[vi];
        out.videoCodec = avcodec_get_name(s->codecpar->codec_id);
        out.width = s->codecpar->width;
        out.height = s->codecpar->height;
        out.frameRate = av_q2d(s->avg_frame_rate.num != 0 ? s->avg_frame_rate : s->r_frame_rate);
        video.Open(s);
    }
    if (ai >= 0) {
        const AVStream* s = format->streams[ai];
        out.audioCodec = avcodec_get_name(s->codecpar->codec_id);
        out.audioSampleRate = s->codecpar->sample_rate;
        out.audioChannels = s->codecpar->ch_layout.nb_channels;
        audio.Open(s);
    }
    AVPacket* packet = av_packet_alloc();
    AVFrame* frame = av_frame_alloc();
    while (av_read_frame(format, packet) >= 0) {
        const AVRational tb = format->streams[packet->stream_index]->time_base;
        if (packet->stream_index == vi && video.context != nullptr) {
            out.videoSeconds = std::max(out.videoSeconds, EndOf(packet, tb));
            if (avcodec_send_packet(video.context, packet) >= 0)
                Take(video.context, frame, true, &out);
        } else if (packet->stream_index == ai && audio.context != nullptr) {
            out.audioPts.push_back(packet->pts);
            out.audioSeconds = std::max(out.audioSeconds, EndOf(packet, tb));
            if (avcodec_send_packet(audio.context, packet) >= 0)
                Take(audio.context, frame, false, &out);
        }
        av_packet_unref(packet);
    }
    if (video.context != nullptr && avcodec_send_packet(video.context, nullptr) >= 0)
        Take(video.context, frame, true, &out);
    if (audio.context != nullptr && avcodec_send_packet(audio.context, nullptr) >= 0)
        Take(audio.context, frame, false, &out);
    av_frame_free(&frame);
    av_packet_free(&packet);
    avformat_close_input(&format);
    return out;
}
