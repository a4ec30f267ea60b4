#include "player/decode/H264Dec.h"

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavutil/frame.h>
}

namespace {

bool IsPlanar420(int format) {
    return format == AV_PIX_FMT_YUV420P || format == AV_PIX_FMT_YUVJ420P;
}

}  // namespace

CH264Dec::CH264Dec() : m_pPacket(av_packet_alloc()) {}

CH264Dec::~CH264Dec() {
    Close();
    av_packet_free(&m_pPacket);
}

bool CH264Dec::Open() {
    if (IsOpen())
        return true;
    const AVCodec* codec = avcodec_find_decoder(AV_CODEC_ID_H264);
    if (codec == nullptr || m_pPacket == nullptr)
        return false;
    m_pContext = avcodec_alloc_context3(codec);
    if (m_pContext == nullptr)
        return false;
    // Sixteen channels decode in parallel already, one thread each; frame
    // threads would also hold pictures back by one frame per thread.
    m_pContext->thread_count = 1;
    m_pContext->flags |= AV_CODEC_FLAG_LOW_DELAY;
    m_pFrame = av_frame_alloc();
    if (m_pFrame == nullptr || avcodec_open2(m_pContext, codec, nullptr) < 0) {
        Close();
        return false;
    }
    return true;
}

void CH264Dec::Close() {
    avcodec_free_context(&m_pContext);
    av_frame_free(&m_pFrame);
}

bool CH264Dec::Decode(const unsigned char* data, int length, unsigned char* out, int* size,
                      int* width, int* height) {
    if (out == nullptr || size == nullptr || width == nullptr || height == nullptr)
        return false;
    int pictureWidth = 0;
    int pictureHeight = 0;
    if (!DecodePacket(data, length, &pictureWidth, &pictureHeight))
        return false;
    // The codec's planes go straight into the caller's picture: the one copy
    // of a decoded picture, which frees the codec's buffer for its next one.
    int capacity = kPictureBufferSize;
    const bool filled = FillPicture(m_pFrame, pictureWidth, pictureHeight, out, &capacity);
    av_frame_unref(m_pFrame);
    if (!filled)
        return false;
    *size = capacity;
    *width = pictureWidth;
    *height = pictureHeight;
    return true;
}

bool CH264Dec::DecodePacket(const unsigned char* data, int length, int* width, int* height) {
    if (!IsOpen() || data == nullptr || length <= 0 || !SendPacket(data, length))
        return false;
    if (avcodec_receive_frame(m_pContext, m_pFrame) < 0)
        return false;
    if (m_pFrame->width <= 0 || m_pFrame->height <= 0 || !IsPlanar420(m_pFrame->format)) {
        av_frame_unref(m_pFrame);
        return false;
    }
    *width = m_pFrame->width;
    *height = m_pFrame->height;
    return true;
}

bool CH264Dec::SendPacket(const unsigned char* data, int length) {
    // The packet only points at the caller's bytes; the codec copies what it keeps.
    m_pPacket->data = const_cast<unsigned char*>(data);
    m_pPacket->size = length;
    int result = avcodec_send_packet(m_pContext, m_pPacket);
    if (result == AVERROR(EAGAIN)) {
        // A picture of an earlier frame was never taken (that frame completed
        // two): it is stale now, drop it so the decoder accepts this frame.
        while (avcodec_receive_frame(m_pContext, m_pFrame) >= 0)
            av_frame_unref(m_pFrame);
        result = avcodec_send_packet(m_pContext, m_pPacket);
    }
    m_pPacket->data = nullptr;
    m_pPacket->size = 0;
    return result >= 0;
}
