#include "player/decode/DataDec.h"

extern "C" {
#include <libavutil/frame.h>
#include <libavutil/imgutils.h>
}

namespace {

int ChromaWidth(int width) {
    return (width + 1) / 2;
}

int ChromaHeight(int height) {
    return (height + 1) / 2;
}

}  // namespace

int CDataDec::PictureSize(int width, int height) {
    if (width <= 0 || height <= 0)
        return 0;
    const int size = av_image_get_buffer_size(AV_PIX_FMT_YUV420P, width, height, 1);
    return size > 0 ? size : 0;
}

bool CDataDec::FillPicture(const AVFrame* frame, int width, int height, unsigned char* buffer,
                           int* capacity) {
    const int size = PictureSize(width, height);
    if (size == 0 || *capacity < size)
        return false;
    const int lumaBytes = width * height;
    const int chromaBytes = ChromaWidth(width) * ChromaHeight(height);
    unsigned char* v = buffer + lumaBytes;
    unsigned char* u = v + chromaBytes;
    av_image_copy_plane(buffer, width, frame->data[0], frame->linesize[0], width, height);
    av_image_copy_plane(v, ChromaWidth(width), frame->data[2], frame->linesize[2],
                        ChromaWidth(width), ChromaHeight(height));
    av_image_copy_plane(u, ChromaWidth(width), frame->data[1], frame->linesize[1],
                        ChromaWidth(width), ChromaHeight(height));
    *capacity = size;
    return true;
}
