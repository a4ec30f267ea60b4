// The mosaic pass of one GOP: each channel resampled to the mosaic's frame
// rate into its tile (CFrameResampler), the tiles composed, texts drawn, one
// mosaic frame out.
#include "export/controller/ExportController.h"
#include "export/controller/FrameResampler.h"
#include "export/mosaic/MosaicLayout.h"

namespace oskulo {

void CExportController::WriteMosaic(const uint8_t* gop, int length, const GopInfo& info,
                                    int pcmBytes) {
    MosaicLayout layout;
    if (!MosaicLayoutFor(m_Params.numChannels, &layout) || m_MosaicFps <= 0)
        return;
    const int count = m_Params.numChannels;
    std::array<CFrameResampler, kExtractChannels> frames{};
    for (int k = 0; k < count; ++k)
        frames[std::size_t(k)] = CFrameResampler(ChannelFrames(info, k), m_MosaicFps);
    // Split over the mosaic's own frames, so that its audio keeps pace with its video.
    const FrameChunks chunks = SplitAudio(pcmBytes, m_MosaicFps);
    const uint8_t* tiles[kExtractChannels] = {};
    bool valid[kExtractChannels] = {};
    CAviWriter& writer = *m_AviWriters[kMosaicWriter];
    writer.FitTexts(m_WidestOsdText, 2);
    writer.SetTexts(m_TimeText, 2, 2, m_OsdText, 2, count == 4 ? 680 : 1040);
    for (int n = 0; n < m_MosaicFps; ++n) {
        for (int k = 0; k < count; ++k) {
            CFrameResampler& steps = frames[std::size_t(k)];
            for (int f = steps.Next(n); f >= 0; f = steps.Next(n))
                DecodeToTile(k, f, gop, length, info, layout);
        }
        for (int k = 0; k < kExtractChannels; ++k) {
            tiles[k] = m_Tiles[std::size_t(k)].data();
            valid[k] = m_TileValid[std::size_t(k)];
        }
        int size = 0;
        int w = 0;
        int h = 0;
        if (!ComposeMosaic(tiles, valid, count, layout.tileWidth, layout.tileHeight,
                           m_WorkPicture.data(), &size, &w, &h))
            continue;
        writer.WriteFrame(m_Pcm.data() + chunks.offset[std::size_t(n)],
                          chunks.length[std::size_t(n)], m_MosaicFps, m_WorkPicture.data(), size, w,
                          h, int(info.version));
    }
    // The frames after the last one shown still go through the decoder, in order.
    int dw = 0;
    int dh = 0;
    for (int k = 0; k < count; ++k) {
        for (int f = frames[std::size_t(k)].Rest(); f >= 0; f = frames[std::size_t(k)].Rest())
            DecodeFrame(m_MosaicDecoders, k, f, gop, length, info, m_Decoded.data(), &dw, &dh);
    }
}

// Decodes one frame of channel k into its tile; a frame that fails leaves
// the tile as it was.
void CExportController::DecodeToTile(int k, int frame, const uint8_t* gop, int length,
                                     const GopInfo& info, const MosaicLayout& layout) {
    int dw = 0;
    int dh = 0;
    if (DecodeFrame(m_MosaicDecoders, k, frame, gop, length, info, m_Decoded.data(), &dw, &dh) &&
        m_MosaicDecoders.ScaleFrame(0, k + 1, dw, dh, layout.tileWidth, layout.tileHeight,
                                    m_Decoded.data(), m_Tiles[std::size_t(k)].data()) > 0)
        m_TileValid[std::size_t(k)] = true;
}

}  // namespace oskulo
