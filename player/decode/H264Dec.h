// CH264Dec, the H.264 decoder of one channel, on the codec library's
// send/receive decoding.
//
// One compressed frame goes in, its picture comes out: the context is opened
// for low delay, so a picture leaves the decoder with the frame that completes
// it (the recorder writes no reordered frames). The decoder keeps its
// reference pictures from one GOP to the next until it is closed.
//
// Threads: one thread at a time (the channel's display thread); Open and Close
// only while no display thread runs. Ownership: the decoder owns its codec
// context, frame and packet; the data and out buffers of Decode belong to
// the caller. A picture is copied once, from the codec's planes into out.
#pragma once

#include "player/decode/DataDec.h"

struct AVCodecContext;
struct AVPacket;

class CH264Dec final : public CDataDec {
public:
    // The most a picture may take in out: a 1920 x 1080 picture at two bytes
    // a pixel. Larger pictures are refused.
    static constexpr int kPictureBufferSize = 1920 * 1080 * 2;

    CH264Dec();
    ~CH264Dec() override;
    CH264Dec(const CH264Dec&) = delete;
    CH264Dec& operator=(const CH264Dec&) = delete;

    // Opens an H.264 decoder with one thread. True at once when already open;
    // false when the codec library has no H.264 decoder or it cannot be opened.
    bool Open() override;
    void Close() override;
    // False when closed, for empty input, when the frame gives no picture,
    // when the picture is not planar 4:2:0 (yuv420p or yuvj420p) or does not
    // fit the picture buffer. `out` must hold the picture (PictureSize).
    bool Decode(const unsigned char* data, int length, unsigned char* out, int* size, int* width,
                int* height) override;

    bool IsOpen() const { return m_pContext != nullptr; }

private:
    // Feeds the whole frame to the codec and takes the picture it completes;
    // on success m_pFrame holds it.
    bool DecodePacket(const unsigned char* data, int length, int* width, int* height);
    bool SendPacket(const unsigned char* data, int length);

    AVCodecContext* m_pContext = nullptr;
    AVFrame* m_pFrame = nullptr;
    AVPacket* m_pPacket = nullptr;
};
