#include "export/decode/ExportDecoders.h"

extern "C" {
#include <libswscale/swscale.h>
}

namespace oskulo {

int ScalePicture(int srcWidth, int srcHeight, int dstWidth, int dstHeight, const uint8_t* src,
                 uint8_t* dst) {
    if (srcWidth <= 0 || srcHeight <= 0 || dstWidth <= 0 || dstHeight <= 0 || src == nullptr ||
        dst == nullptr)
        return 0;
    SwsContext* scaler =
        sws_getContext(srcWidth, srcHeight, AV_PIX_FMT_YUV420P, dstWidth, dstHeight,
                       AV_PIX_FMT_YUV420P, SWS_SINC, nullptr, nullptr, nullptr);
    if (scaler == nullptr)
        return 0;
    const int srcLuma = srcWidth * srcHeight;
    const int dstLuma = dstWidth * dstHeight;
    const uint8_t* const srcPlanes[4] = {src, src + srcLuma, src + srcLuma * 5 / 4, nullptr};
    uint8_t* const dstPlanes[4] = {dst, dst + dstLuma, dst + dstLuma * 5 / 4, nullptr};
    const int srcPitch[4] = {srcWidth, srcWidth / 2, srcWidth / 2, 0};
    const int dstPitch[4] = {dstWidth, dstWidth / 2, dstWidth / 2, 0};
    const int lines = sws_scale(scaler, srcPlanes, srcPitch, 0, srcHeight, dstPlanes, dstPitch);
    sws_freeContext(scaler);
    return lines > 0 ? lines : 0;
}

int CExportDecoders::ScaleFrame(int group, int channel, int srcWidth, int srcHeight, int dstWidth,
                                int dstHeight, const uint8_t* src, uint8_t* dst) const {
    if (group != 0 || channel < 1 || channel > kMaxChannels)
        return 0;
    return ScalePicture(srcWidth, srcHeight, dstWidth, dstHeight, src, dst);
}

}  // namespace oskulo
