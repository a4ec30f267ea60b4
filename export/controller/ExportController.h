// CExportController: the export library's one object behind its five
// exports. It opens the requested outputs of an export, hands every GOP's
// frames (decoded, scaled and with their texts) and audio to them, and
// finishes them under their final names.
//
// Threads: none of its own and no lock; all calls come on one thread at a
// time (the player's extraction thread), never overlapping.
// Ownership: the controller copies the ExtractParams record and owns every
// writer, decoder and picture buffer; the GOP bytes and the GopInfo are the
// caller's and are only read (the GOP is never written to).
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "export/avi/AviWriter.h"
#include "export/controller/GopAudio.h"
#include "export/controller/OverlayText.h"
#include "export/decode/ExportDecoders.h"
#include "export/mosaic/MosaicLayout.h"
#include "export/mov/MovWriter.h"
#include "export/raw/RawCopyWriter.h"
#include "shared/ExtractParams.h"
#include "shared/GopRecords.h"

namespace oskulo {

// One file an export left, or was meant to: where it went (UTF-8), whether it
// was written whole, and for one that was not, why: the system's error
// number (ENODATA for a channel that had no pictures to give). A failed
// output leaves no file.
struct ExportOutput {
    std::string path;
    bool written = false;
    int error = 0;
};

class CExportController {
public:
    static constexpr int kPictureBytes = 12582912;  // any picture up to 1920 x 1080
    static constexpr int kMosaicWriter = kExtractChannels;

    CExportController();
    ~CExportController();
    CExportController(const CExportController&) = delete;
    CExportController& operator=(const CExportController&) = delete;

    // Opens every requested output under its temporary name. False when an
    // export is open, numChannels is not 4, 8, 12 or 16, or an output cannot
    // be opened: then whatever this call had opened is closed and removed.
    bool ExtractPre(const ExtractParams& params);
    // One GOP: 0 processed (whatever failed inside), 1 refused (not open, a
    // code other than 1, no GOP, or a channel count other than the first
    // GOP's). A channel whose picture size differs from its size in the
    // first GOP is scaled to that size in its AVI file and goes on in a new
    // movie named with its new size.
    int ExtractWrite(int code, const void* gop, int length, GopInfo* info);
    // Finishes every output; an AVI file whose final name is taken gets the
    // next free name, one that cannot be moved there at all stays below the
    // DVR root (Outputs says where each went). Nothing while closed.
    void ExtractFin();
    bool IsExtractOpened() const { return m_Opened; }

    // Every file of the last export in the order they were finished, under
    // the names they got: no output replaces an existing file, so a taken
    // name becomes the next free "<name>_2", "_3" ... (movies and raw copies
    // are named so when they are created, AVI files when they are moved to
    // their final names). Also the outputs that failed: one that could not
    // be created or written whole, subtitles that failed, a channel AVI left
    // out because the first GOP had no pictures of it. After a failed
    // ExtractPre, the output that could not be opened.
    const std::vector<ExportOutput>& Outputs() const { return m_Outputs; }

private:
    bool OpenChannelAvi(int k);
    bool OpenMosaic();
    bool OpenRawCopy();
    void StartMov();
    // The channel's movie under a free name from its movBase (which then
    // holds that name); a set that cannot be created is an output that failed.
    void StartChannelMov(int k);
    // A set restarted before it had a GOP (its first size was 0) was never
    // meant to be a file: it is not listed.
    void FinishChannelMov(int k, bool restart);
    void Rollback();
    // Keeps the output that could not be opened as the only one listed.
    void RollbackFor(const std::string& path, int error);
    void FinishAvi(int writer, const std::string& finalName);
    void FinishRawCopy();

    bool Accepts(int code, const void* gop, int length, const GopInfo* info) const;
    // Decodes frame `frame` of channel k into `out`; false when its bytes lie
    // outside the GOP or it does not decode.
    bool DecodeFrame(CExportDecoders& decoders, int k, int frame, const uint8_t* gop, int length,
                     const GopInfo& info, uint8_t* out, int* width, int* height);
    void WriteChannel(int k, const uint8_t* gop, int length, const GopInfo& info, int pcmBytes);
    void DecodeToLast(int k, int frame, const uint8_t* gop, int length, const GopInfo& info);
    void WriteMosaic(const uint8_t* gop, int length, const GopInfo& info, int pcmBytes);
    void DecodeToTile(int k, int frame, const uint8_t* gop, int length, const GopInfo& info,
                      const MosaicLayout& layout);
    // A channel whose picture size changed goes on in a new MOV set named
    // with the new size and the GOP's time; then the GOP goes to every set.
    void WriteMov(const uint8_t* gop, int length, const GopInfo& info);
    bool AnyMov() const;
    // The writer of an output still being written: open and not failed.
    CAviWriter* LiveWriter(int writer) const;

    CExportDecoders m_Decoders;        // the channel files'
    CExportDecoders m_MosaicDecoders;  // the mosaic's: each decoder sees every frame once
    CUlawTable m_UlawTable;
    ExtractParams m_Params{};
    std::array<std::unique_ptr<CAviWriter>, kExtractChannels + 1> m_AviWriters;
    CRawCopyWriter m_RawCopy;
    CMovWriter m_Mov;
    // Each channel's movie size, apart from the record's outWidth and
    // outHeight, which stay the size of the channel's AVI file and of its
    // last-picture buffer: a channel may go to both.
    struct MovSize {
        int width = 0;
        int height = 0;
    };
    std::array<MovSize, kExtractChannels> m_MovSize{};
    std::array<std::string, kExtractChannels> m_AviFinalName;
    std::string m_MosaicFinalName;
    std::array<std::string, kExtractChannels + 1> m_TempName;
    bool m_Opened = false;
    int m_MosaicFps = 0;
    std::vector<std::vector<uint8_t>> m_Tiles;  // one per channel, at the tile size
    std::array<bool, kExtractChannels> m_TileValid{};
    // Each channel's last good picture at its export size, black until the
    // first frame decodes: a frame that fails repeats it.
    std::vector<std::vector<uint8_t>> m_LastPicture;
    std::vector<ExportOutput> m_Outputs;

    // Scratch reused from GOP to GOP.
    std::vector<uint8_t> m_Pcm;
    std::vector<uint8_t> m_Decoded;
    std::vector<uint8_t> m_Frame;
    std::vector<uint8_t> m_WorkPicture;
    wchar_t m_TimeText[kTimeTextSize] = {};
    wchar_t m_OsdText[kOsdTextSize] = {};
    wchar_t m_WidestOsdText[kOsdTextSize] = {};  // what the overlay fonts are fitted to
};

}  // namespace oskulo
