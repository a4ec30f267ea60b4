// CDataDec, the abstract frame decoder. One decoder per channel; the decoder
// manager owns them and its frame router routes frames to them.
//
// Threads: each display thread decodes only its own channel's decoder, so
// distinct decoders run in parallel without a lock; one decoder is never used
// by two threads at once. Open and Close run only while no display thread runs.
//
// Pictures leave a decoder as planar YUV 4:2:0 in YV12 order, contiguous: the
// Y plane (width x height bytes), then V, then U (each (width + 1) / 2 x
// (height + 1) / 2 bytes); the pitch of every plane is its width.
#pragma once

struct AVFrame;

// The three operations keep this declaration order (virtual slots 0, 1, 2);
// the destructor is declared after them so that it takes no earlier slot.
class CDataDec {
public:
    // Prepares the decoder; false when it cannot be used.
    virtual bool Open() = 0;
    // Releases what Open created; harmless on a closed decoder.
    virtual void Close() = 0;
    // Decodes one compressed frame of `length` bytes at `data` and writes its
    // picture (planar YV12, pitch = width) to `out`, which the caller owns;
    // sets *size to the picture's bytes and *width, *height to its size.
    // False when the frame gives no picture.
    virtual bool Decode(const unsigned char* data, int length, unsigned char* out, int* size,
                        int* width, int* height) = 0;

    virtual ~CDataDec() = default;

    // Bytes of a YV12 picture of that size; 0 for a size that is not positive.
    static int PictureSize(int width, int height);

    // Copies the planes of a decoded 4:2:0 `frame` (Y, U, V as the codec
    // library holds them) into `buffer` in YV12 order. `*capacity` is the
    // buffer's size on entry and the picture's size on success. False, with
    // the buffer untouched, when the picture does not fit or the size is not
    // positive. The frame is only read.
    static bool FillPicture(const AVFrame* frame, int width, int height, unsigned char* buffer,
                            int* capacity);
};
