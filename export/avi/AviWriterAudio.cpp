// The audio stream of CAviWriter: 16-bit PCM in, through a FIFO of planar
// float samples, out as whole WMA codec frames.
#include <cerrno>
#include <vector>

#include "export/avi/AviWriter.h"

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libavutil/audio_fifo.h>
#include <libavutil/channel_layout.h>
}

namespace oskulo {
namespace {

constexpr int64_t kAudioBitRate = 192000;
constexpr int kFifoSamples = 96000;  // grows when needed

}  // namespace

bool CAviWriter::OpenAudio(int sampleRate, int channels) {
    const AVCodec* encoder = avcodec_find_encoder(AV_CODEC_ID_WMAV1);
    m_pAudioStream = avformat_new_stream(m_pFormat, nullptr);
    if (encoder == nullptr || m_pAudioStream == nullptr)
        return false;
    m_pAudioCodec = avcodec_alloc_context3(encoder);
    if (m_pAudioCodec == nullptr)
        return false;
    AVCodecContext* c = m_pAudioCodec;
    c->sample_fmt = AV_SAMPLE_FMT_FLTP;
    c->sample_rate = sampleRate;
    c->bit_rate = kAudioBitRate;
    c->time_base = AVRational{1, sampleRate};
    av_channel_layout_default(&c->ch_layout, channels);
    SetGlobalHeader(c);
    m_pAudioStream->time_base = c->time_base;
    if (avcodec_open2(c, encoder, nullptr) < 0 || c->frame_size <= 0 ||
        avcodec_parameters_from_context(m_pAudioStream->codecpar, c) < 0)
        return false;
    m_pSamples = av_frame_alloc();
    m_pFifo = av_audio_fifo_alloc(AV_SAMPLE_FMT_FLTP, channels, kFifoSamples);
    if (m_pSamples == nullptr || m_pFifo == nullptr)
        return false;
    m_pSamples->format = AV_SAMPLE_FMT_FLTP;
    m_pSamples->sample_rate = sampleRate;
    m_pSamples->nb_samples = c->frame_size;
    return av_channel_layout_copy(&m_pSamples->ch_layout, &c->ch_layout) >= 0 &&
           av_frame_get_buffer(m_pSamples, 0) >= 0;
}

bool CAviWriter::AppendSilence(int samples) {
    std::vector<std::vector<float>> planes(std::size_t(m_channels),
                                           std::vector<float>(std::size_t(samples), 0.0f));
    std::vector<void*> data;
    for (auto& plane : planes)
        data.push_back(plane.data());
    return av_audio_fifo_write(m_pFifo, data.data(), samples) >= samples || Fail(AVERROR(ENOMEM));
}

// pcm null: `bytes` of silence.
bool CAviWriter::WriteAudio(const uint8_t* pcm, int bytes) {
    const int channels = m_channels;
    const int count = bytes / (2 * channels);
    if (count <= 0)
        return true;
    std::vector<std::vector<float>> planes(std::size_t(channels),
                                           std::vector<float>(std::size_t(count), 0.0f));
    if (pcm != nullptr) {
        for (int i = 0; i < count; ++i) {
            for (int ch = 0; ch < channels; ++ch) {
                const uint8_t* s = pcm + 2 * (i * channels + ch);
                const int16_t value = int16_t(uint16_t(s[0] | (s[1] << 8)));
                planes[std::size_t(ch)][std::size_t(i)] = float(value) / 32768.0f;
            }
        }
    }
    std::vector<void*> data;
    for (auto& plane : planes)
        data.push_back(plane.data());
    if (av_audio_fifo_write(m_pFifo, data.data(), count) < count)
        return Fail(AVERROR(ENOMEM));
    return EncodeAudioFrames(false);
}

// Encodes every whole codec frame in the FIFO. `final` first adds the
// encoder's delay in silence (it holds that many samples back and has no
// flush of its own), then pads the rest, so that no audio handed in is lost.
bool CAviWriter::EncodeAudioFrames(bool final) {
    const int frameSize = m_pAudioCodec->frame_size;
    if (final && m_pAudioCodec->initial_padding > 0 &&
        !AppendSilence(m_pAudioCodec->initial_padding))
        return false;
    while (av_audio_fifo_size(m_pFifo) >= frameSize || (final && av_audio_fifo_size(m_pFifo) > 0)) {
        if (av_frame_make_writable(m_pSamples) < 0)
            return Fail(AVERROR(ENOMEM));
        for (int ch = 0; ch < m_channels; ++ch) {
            auto* plane = reinterpret_cast<float*>(m_pSamples->data[ch]);
            std::fill(plane, plane + frameSize, 0.0f);
        }
        if (av_audio_fifo_read(m_pFifo, reinterpret_cast<void**>(m_pSamples->data), frameSize) < 0)
            return Fail(AVERROR(EIO));
        // The encoder dates its packets back by its delay; starting the clock
        // there keeps the first packet at 0, since AVI has no negative times.
        m_pSamples->pts = m_audioPts + m_pAudioCodec->initial_padding;
        m_audioPts += frameSize;
        if (!Drain(m_pAudioCodec, m_pAudioStream, m_pSamples))
            return false;
    }
    return true;
}

}  // namespace oskulo
