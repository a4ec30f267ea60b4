// The code tables of a frame header: channel count, audio sample rate, sample
// width and audio channel count by their codes. A code outside a table (which
// the header's bit fields cannot hold) gives 0.
#pragma once

int ChannelCountOfCode(int code);
int SampleRateOfCode(int code);
int SampleBitsOfCode(int code);
int AudioChannelsOfCode(int code);

struct PictureSize {
    int width;
    int height;
};

// Picture size of a resolution code; false for codes without a size (the
// channel then keeps the size it had).
bool PictureSizeOfCode(int code, bool pal, PictureSize* size);
