#include "platform/media/SurfaceScaler.h"

extern "C" {
#include <libswscale/swscale.h>
}

SurfaceScaler::~SurfaceScaler() {
    sws_freeContext(context_);
}

bool SurfaceScaler::Scale(const ScalerSource& source, uint8_t* target, int pitch, int width,
                          int height) {
    // BGR0 in memory is 0x00RRGGBB read as a little-endian word.
    const AVPixelFormat from = source.yv12 ? AV_PIX_FMT_YUV420P : AV_PIX_FMT_BGR0;
    // Two taps each way, however far the picture shrinks: a 1920 x 1080
    // picture into a pane of a 16-pane layout costs a third of what the
    // filter widened to the shrink would, for a pane's worth of detail.
    context_ = sws_getCachedContext(context_, source.width, source.height, from, width, height,
                                    AV_PIX_FMT_BGR0, SWS_FAST_BILINEAR, nullptr, nullptr, nullptr);
    if (context_ == nullptr)
        return false;
    // swscale's planar order is Y, U, V; YV12 keeps V before U.
    const uint8_t* planes[4] = {source.y, source.u, source.v, nullptr};
    const int pitches[4] = {source.yPitch, source.chromaPitch, source.chromaPitch, 0};
    uint8_t* targets[4] = {target, nullptr, nullptr, nullptr};
    const int targetPitches[4] = {pitch, 0, 0, 0};
    return sws_scale(context_, planes, pitches, 0, source.height, targets, targetPitches) == height;
}
