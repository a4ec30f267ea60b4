// One GOP through the export: audio, texts, the mosaic and the channel files.
#include <algorithm>
#include <cstring>

#include "export/controller/ExportController.h"
#include "export/controller/FrameResampler.h"

namespace oskulo {
namespace {

// The telemetry line's font height for a channel's export size.
int FontHeightForChannel(int width, int height) {
    if (height > 576)
        return 40;
    return height >= 480 || width > 352 ? 25 : 14;
}

}  // namespace

bool CExportController::Accepts(int code, const void* gop, int length, const GopInfo* info) const {
    // No picture size is compared here: the last frame's size is whichever
    // channel's frame the recorder wrote last. Each channel's own size is
    // compared where it matters (the channel's AVI file scales, its movie
    // restarts); the raw copy takes every GOP as it is.
    return m_Opened && code == 1 && gop != nullptr && length > 0 && info != nullptr &&
           info->channels == m_Params.numChannels;
}

int CExportController::ExtractWrite(int code, const void* gop, int length, GopInfo* info) {
    if (!Accepts(code, gop, length, info))
        return 1;
    m_Pcm.resize(kGopPcmBytes);
    m_Decoded.resize(kPictureBytes);
    const int pcmBytes = GopAudioToPcm(*info, m_UlawTable, m_Pcm.data());
    BuildTimeText(m_Params, *info, m_TimeText);
    BuildOsdText(m_Params, *info, m_OsdText);
    BuildWidestOsdText(m_Params, *info, m_WidestOsdText);
    const auto* bytes = static_cast<const uint8_t*>(gop);
    // A file whose writes failed takes nothing more: it is reported failed.
    if (m_Params.mosaicOn != 0 && LiveWriter(kMosaicWriter) != nullptr)
        WriteMosaic(bytes, length, *info, pcmBytes);
    for (int k = 0; k < m_Params.numChannels; ++k) {
        if (m_Params.aviOn[k] != 0 && LiveWriter(k) != nullptr)
            WriteChannel(k, bytes, length, *info, pcmBytes);
    }
    if (m_Params.rawOn != 0)
        m_RawCopy.WriteGop(gop, length);
    if (AnyMov())
        WriteMov(bytes, length, *info);
    return 0;
}

bool CExportController::DecodeFrame(CExportDecoders& decoders, int k, int frame, const uint8_t* gop,
                                    int length, const GopInfo& info, uint8_t* out, int* width,
                                    int* height) {
    const uint32_t offset = info.frameOffset[k][frame];
    const uint32_t bytes = info.frameLength[k][frame];
    if (bytes == 0 || offset > uint32_t(length) || bytes > uint32_t(length) - offset)
        return false;
    int size = 0;
    return decoders.DecodeFrame(0, k + 1, gop + offset, int(bytes), out, &size, width, height) &&
           CDataDec::PictureSize(*width, *height) <= kPictureBytes;
}

// The file gets its own frame rate's worth of frames for every GOP, so that
// a GOP with more or fewer frames neither stretches nor shrinks the video
// against the audio (CFrameResampler).
void CExportController::WriteChannel(int k, const uint8_t* gop, int length, const GopInfo& info,
                                     int pcmBytes) {
    CAviWriter& writer = *m_AviWriters[std::size_t(k)];
    const int w = m_Params.outWidth[k];
    const int h = m_Params.outHeight[k];
    const int pictureBytes = w * h * 3 / 2;
    const int outFrames = std::clamp(int(m_Params.outFps[k]), 1, kMaxFramesPerChannel);
    const FrameChunks chunks = SplitAudio(pcmBytes, outFrames);
    writer.FitTexts(m_WidestOsdText, 2);
    // At the bottom, and higher where the font is taller than the size asks.
    const int osdY = h - std::max(FontHeightForChannel(w, h), writer.TextHeight());
    writer.SetTexts(m_TimeText, 2, 2, m_OsdText, 2, osdY);
    m_Frame.resize(std::size_t(pictureBytes));
    CFrameResampler frames(ChannelFrames(info, k), outFrames);
    for (int i = 0; i < outFrames; ++i) {
        for (int f = frames.Next(i); f >= 0; f = frames.Next(i))
            DecodeToLast(k, f, gop, length, info);
        // The writer draws into what it is given: it gets a copy, the last
        // good picture stays clean for the frames that fail after it.
        std::memcpy(m_Frame.data(), m_LastPicture[std::size_t(k)].data(),
                    std::size_t(pictureBytes));
        writer.WriteFrame(m_Pcm.data() + chunks.offset[std::size_t(i)],
                          chunks.length[std::size_t(i)], outFrames, m_Frame.data(), pictureBytes, w,
                          h, int(info.version));
    }
    for (int f = frames.Rest(); f >= 0; f = frames.Rest())
        DecodeToLast(k, f, gop, length, info);
}

// Decodes one frame of channel k into its last good picture, scaled to the
// export size; a frame that fails leaves the picture as it was.
void CExportController::DecodeToLast(int k, int frame, const uint8_t* gop, int length,
                                     const GopInfo& info) {
    const int w = m_Params.outWidth[k];
    const int h = m_Params.outHeight[k];
    std::vector<uint8_t>& last = m_LastPicture[std::size_t(k)];
    int dw = 0;
    int dh = 0;
    if (!DecodeFrame(m_Decoders, k, frame, gop, length, info, m_Decoded.data(), &dw, &dh))
        return;
    if (dw == w && dh == h)
        std::memcpy(last.data(), m_Decoded.data(), last.size());
    else
        m_Decoders.ScaleFrame(0, k + 1, dw, dh, w, h, m_Decoded.data(), last.data());
}

}  // namespace oskulo
