// SurfaceScaler: converts and stretches one picture into 32-bit pixels
// (0x00RRGGBB, as platform/gdi's buffers hold them) with libswscale. The
// source is planar YV12 (BT.601 limited range, as the decoders give it) or
// 32-bit pixels. It keeps its conversion context between calls while the
// sizes and format stay the same.
//
// Threads: one at a time; each surface owns its scaler.
#pragma once

#include <cstdint>

struct SwsContext;

// One source picture: YV12 planes (y, v, u with their pitches in bytes) or
// 32-bit pixels (y with its pitch in bytes; v and u null).
struct ScalerSource {
    const uint8_t* y;
    const uint8_t* v;
    const uint8_t* u;
    int yPitch;
    int chromaPitch;
    int width;
    int height;
    bool yv12;
};

class SurfaceScaler {
public:
    SurfaceScaler() = default;
    ~SurfaceScaler();
    SurfaceScaler(const SurfaceScaler&) = delete;
    SurfaceScaler& operator=(const SurfaceScaler&) = delete;

    // Writes `width` x `height` pixels at `target` (rows `pitch` bytes apart).
    // False when the conversion cannot be set up.
    bool Scale(const ScalerSource& source, uint8_t* target, int pitch, int width, int height);

private:
    SwsContext* context_ = nullptr;
};
