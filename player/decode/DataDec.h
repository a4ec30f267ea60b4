// CDataDec, the abstract frame decoder (Part 1.106). One decoder per channel;
// the decoder manager owns them, the GOP parser only routes frames to them.
//
// Threads: each display thread decodes only its own channel's decoder, so
// distinct decoders run in parallel without a lock; one decoder is never used
// by two threads at once. Open and Close run only while no display thread runs.
#pragma once

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
};
