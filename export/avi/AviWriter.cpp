#include "export/avi/AviWriter.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libavutil/audio_fifo.h>
}

namespace oskulo {
namespace {

constexpr int kKeyFrameInterval = 12;

// The system's error number inside an FFmpeg error code (AVERROR(e) is -e);
// EIO for FFmpeg's own codes.
int ErrnoOf(int averror) {
    constexpr int kLastErrno = 4095;
    const int e = -averror;
    return e > 0 && e <= kLastErrno ? e : EIO;
}

}  // namespace

CAviWriter::CAviWriter() : m_pPicture(av_frame_alloc()), m_pPacket(av_packet_alloc()) {}

CAviWriter::~CAviWriter() {
    if (m_bOpen)
        Close();
    av_frame_free(&m_pPicture);
    av_packet_free(&m_pPacket);
}

void CAviWriter::SetGlobalHeader(AVCodecContext* codec) const {
    if (m_pFormat->oformat->flags & AVFMT_GLOBALHEADER)
        codec->flags |= AV_CODEC_FLAG_GLOBAL_HEADER;
}

bool CAviWriter::Open(const char* fileName, int width, int height, int fps, int sampleRate, int,
                      int channels) {
    if (m_bOpen || fileName == nullptr || width <= 0 || height <= 0 || width % 2 != 0 ||
        height % 2 != 0 || fps <= 0 || sampleRate <= 0 || channels <= 0 || m_pPicture == nullptr ||
        m_pPacket == nullptr)
        return false;
    if (avformat_alloc_output_context2(&m_pFormat, nullptr, "avi", fileName) < 0 ||
        m_pFormat == nullptr)
        return false;
    m_error = 0;
    bool opened = OpenVideo(width, height, fps) && OpenAudio(sampleRate, channels);
    if (opened) {
        av_dump_format(m_pFormat, 0, fileName, 1);
        const int created = avio_open(&m_pFormat->pb, fileName, AVIO_FLAG_WRITE);
        const int header = created >= 0 ? avformat_write_header(m_pFormat, nullptr) : created;
        opened = header >= 0 || Fail(header);
    }
    if (!opened) {
        const bool created = m_pFormat->pb != nullptr;
        Release();
        if (created)
            std::remove(fileName);
        return false;
    }
    m_videoPts = 0;
    m_audioPts = 0;
    m_width = width;
    m_height = height;
    m_sampleRate = sampleRate;
    m_channels = channels;
    m_bOpen = true;
    m_overlay.Create(width, height);  // without it the texts are not drawn
    return true;
}

bool CAviWriter::OpenVideo(int width, int height, int fps) {
    const AVCodec* encoder = avcodec_find_encoder(m_pFormat->oformat->video_codec);
    m_pVideoStream = avformat_new_stream(m_pFormat, nullptr);
    if (encoder == nullptr || m_pVideoStream == nullptr)
        return false;
    m_pVideoCodec = avcodec_alloc_context3(encoder);
    if (m_pVideoCodec == nullptr)
        return false;
    AVCodecContext* c = m_pVideoCodec;
    c->bit_rate = int64_t(width) * height;
    c->width = width;
    c->height = height;
    c->time_base = AVRational{1, fps};
    c->framerate = AVRational{fps, 1};
    c->gop_size = kKeyFrameInterval;
    c->pix_fmt = AV_PIX_FMT_YUV420P;
    c->thread_count = 1;
    if (c->codec_id == AV_CODEC_ID_MPEG2VIDEO)
        c->max_b_frames = 2;
    if (c->codec_id == AV_CODEC_ID_MPEG1VIDEO)
        c->mb_decision = 2;
    SetGlobalHeader(c);
    m_pVideoStream->time_base = c->time_base;
    if (avcodec_open2(c, encoder, nullptr) < 0 ||
        avcodec_parameters_from_context(m_pVideoStream->codecpar, c) < 0)
        return false;
    m_pPicture->format = AV_PIX_FMT_YUV420P;
    m_pPicture->width = width;
    m_pPicture->height = height;
    return true;
}

bool CAviWriter::Fail(int averror) {
    if (m_error == 0)
        m_error = ErrnoOf(averror);
    return false;
}

// A file whose writes failed gets no trailer: it is not whole whatever
// follows, and a disk that is full would refuse it too.
bool CAviWriter::Close() {
    if (!m_bOpen)
        return false;
    if (m_error == 0 && EncodeAudioFrames(true) && Drain(m_pAudioCodec, m_pAudioStream, nullptr) &&
        Drain(m_pVideoCodec, m_pVideoStream, nullptr)) {
        const int trailer = av_write_trailer(m_pFormat);
        if (trailer < 0)
            Fail(trailer);
        else if (m_pFormat->pb->error < 0)
            Fail(m_pFormat->pb->error);
    }
    // Closing writes out what the file's buffer still holds.
    const int closed = avio_closep(&m_pFormat->pb);
    if (closed < 0)
        Fail(closed);
    Release();
    m_bOpen = false;
    m_pTimeText = m_pOsdText = nullptr;
    m_textLayer.Reset();
    m_overlay.Destroy();
    return m_error == 0;
}

void CAviWriter::Release() {
    avcodec_free_context(&m_pVideoCodec);
    avcodec_free_context(&m_pAudioCodec);
    av_frame_free(&m_pSamples);
    if (m_pFifo != nullptr)
        av_audio_fifo_free(m_pFifo);
    m_pFifo = nullptr;
    if (m_pFormat != nullptr && m_pFormat->pb != nullptr)
        avio_closep(&m_pFormat->pb);
    avformat_free_context(m_pFormat);
    m_pFormat = nullptr;
    m_pVideoStream = m_pAudioStream = nullptr;
    m_width = m_height = 0;
}

void CAviWriter::SetTexts(const wchar_t* timeText, int timeX, int timeY, const wchar_t* osdText,
                          int osdX, int osdY) {
    m_pTimeText = timeText;
    m_timeX = timeText != nullptr ? timeX : 0;
    m_timeY = timeText != nullptr ? timeY : 0;
    m_pOsdText = osdText;
    m_osdX = osdText != nullptr ? osdX : 0;
    m_osdY = osdText != nullptr ? osdY : 0;
}

int CAviWriter::WriteFrame(const void* audio, int audioLength, int framesInGop, uint8_t* picture,
                           int pictureSize, int width, int height, int /*gopVersion*/) {
    if (!m_bOpen || m_error != 0)
        return 1;
    const int sampleBytes = 2 * m_channels;
    if (audio != nullptr && audioLength > 0 && audioLength % sampleBytes == 0) {
        if (!WriteAudio(static_cast<const uint8_t*>(audio), audioLength))
            return 1;
    } else {
        const int frames = framesInGop > 0 ? framesInGop : 1;
        if (!WriteAudio(nullptr, m_sampleRate / frames * sampleBytes))
            return 1;
    }
    if (picture == nullptr || width != m_width || height != m_height ||
        pictureSize < width * height * 3 / 2)
        return 1;
    DrawTexts(picture);
    return EncodeVideo(picture, width, height) ? 0 : 1;
}

// The texts change once a GOP: they are drawn when they change and laid on
// every picture (CTextLayer).
void CAviWriter::DrawTexts(uint8_t* picture) {
    const bool hasTime = m_pTimeText != nullptr && m_pTimeText[0] != L'\0';
    const bool hasOsd = m_pOsdText != nullptr && m_pOsdText[0] != L'\0';
    if (!m_overlay.IsReady())
        return;
    CTextLayer::Line lines[2];
    int count = 0;
    if (hasTime)
        lines[count++] = {m_pTimeText, m_timeX, m_timeY};
    // Alone, the telemetry line takes the date line's place at the top.
    if (hasOsd)
        lines[count++] = {m_pOsdText, hasTime ? m_osdX : m_timeX, hasTime ? m_osdY : m_timeY};
    m_textLayer.Prepare(m_overlay, lines, count);
    m_textLayer.Apply(m_overlay, m_convert, picture, m_width, m_height);
}

bool CAviWriter::EncodeVideo(uint8_t* picture, int width, int height) {
    // The encoder takes Cb from the third plane and Cr from the second; an
    // unreferenced frame is copied by the encoder, so the caller keeps its picture.
    m_pPicture->data[0] = picture;
    m_pPicture->data[1] = picture + width * height * 5 / 4;
    m_pPicture->data[2] = picture + width * height;
    m_pPicture->linesize[0] = width;
    m_pPicture->linesize[1] = width / 2;
    m_pPicture->linesize[2] = width / 2;
    m_pPicture->pts = m_videoPts++;
    const bool written = Drain(m_pVideoCodec, m_pVideoStream, m_pPicture);
    for (auto& plane : m_pPicture->data)
        plane = nullptr;
    return written;
}

bool CAviWriter::Drain(AVCodecContext* codec, AVStream* stream, const AVFrame* frame) {
    const int sent = avcodec_send_frame(codec, frame);
    if (sent < 0)
        return Fail(sent);
    for (;;) {
        const int result = avcodec_receive_packet(codec, m_pPacket);
        if (result == AVERROR(EAGAIN) || result == AVERROR_EOF)
            return true;
        if (result < 0)
            return Fail(result);
        av_packet_rescale_ts(m_pPacket, codec->time_base, stream->time_base);
        m_pPacket->stream_index = stream->index;
        // The muxer reports a failed write of its file's buffer as the
        // packet's failure.
        const int written = av_interleaved_write_frame(m_pFormat, m_pPacket);
        if (written < 0)
            return Fail(written);
    }
}

}  // namespace oskulo
