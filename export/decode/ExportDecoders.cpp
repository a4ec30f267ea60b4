#include "export/decode/ExportDecoders.h"

extern "C" {
#include <libswscale/swscale.h>
}

namespace oskulo {

namespace {

int Scale(SwsContext* scaler, int srcWidth, int srcHeight, int dstWidth, int dstHeight,
          const uint8_t* src, uint8_t* dst) {
    const int srcLuma = srcWidth * srcHeight;
    const int dstLuma = dstWidth * dstHeight;
    const uint8_t* const srcPlanes[4] = {src, src + srcLuma, src + srcLuma * 5 / 4, nullptr};
    uint8_t* const dstPlanes[4] = {dst, dst + dstLuma, dst + dstLuma * 5 / 4, nullptr};
    const int srcPitch[4] = {srcWidth, srcWidth / 2, srcWidth / 2, 0};
    const int dstPitch[4] = {dstWidth, dstWidth / 2, dstWidth / 2, 0};
    const int lines = sws_scale(scaler, srcPlanes, srcPitch, 0, srcHeight, dstPlanes, dstPitch);
    return lines > 0 ? lines : 0;
}

bool ValidSizes(int srcWidth, int srcHeight, int dstWidth, int dstHeight, const uint8_t* src,
                const uint8_t* dst) {
    return srcWidth > 0 && srcHeight > 0 && dstWidth > 0 && dstHeight > 0 && src != nullptr &&
           dst != nullptr;
}

SwsContext* SincScaler(SwsContext* reuse, int srcWidth, int srcHeight, int dstWidth,
                       int dstHeight) {
    return sws_getCachedContext(reuse, srcWidth, srcHeight, AV_PIX_FMT_YUV420P, dstWidth, dstHeight,
                                AV_PIX_FMT_YUV420P, SWS_SINC, nullptr, nullptr, nullptr);
}

}  // namespace

int ScalePicture(int srcWidth, int srcHeight, int dstWidth, int dstHeight, const uint8_t* src,
                 uint8_t* dst) {
    if (!ValidSizes(srcWidth, srcHeight, dstWidth, dstHeight, src, dst))
        return 0;
    SwsContext* scaler = SincScaler(nullptr, srcWidth, srcHeight, dstWidth, dstHeight);
    if (scaler == nullptr)
        return 0;
    const int lines = Scale(scaler, srcWidth, srcHeight, dstWidth, dstHeight, src, dst);
    sws_freeContext(scaler);
    return lines;
}

CExportDecoders::~CExportDecoders() {
    for (SwsContext* scaler : m_scalers)
        sws_freeContext(scaler);
}

int CExportDecoders::ScaleFrame(int group, int channel, int srcWidth, int srcHeight, int dstWidth,
                                int dstHeight, const uint8_t* src, uint8_t* dst) {
    if (group != 0 || channel < 1 || channel > kMaxChannels ||
        !ValidSizes(srcWidth, srcHeight, dstWidth, dstHeight, src, dst))
        return 0;
    SwsContext*& scaler = m_scalers[std::size_t(channel - 1)];
    scaler = SincScaler(scaler, srcWidth, srcHeight, dstWidth, dstHeight);
    return scaler != nullptr ? Scale(scaler, srcWidth, srcHeight, dstWidth, dstHeight, src, dst)
                             : 0;
}

}  // namespace oskulo
