#include "export/controller/ExportController.h"

#include <sys/stat.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>

#include "export/controller/FinalName.h"
#include "export/mosaic/MosaicLayout.h"
#include "shared/DvrRootDir.h"

namespace oskulo {
namespace {

bool ValidChannelCount(int n) {
    return n == 4 || n == 8 || n == 12 || n == 16;
}

void StoreField(char* field, const std::string& text) {
    std::snprintf(field, kExtractPathSize, "%s", text.c_str());
}

// The longest text a path field of the record holds.
constexpr std::size_t kFieldLength = kExtractPathSize - 1;
// A movie's files are its base, which the record holds, and an extension.
constexpr std::size_t kMovExtLength = 4;

std::string TempName(const char* suffix) {
    const std::string root = DvrRootDir();
    ::mkdir(root.c_str(), 0755);  // the program makes it at start-up; an export may come first
    return root + "/temp_" + suffix + ".avi";
}

}  // namespace

CExportController::CExportController() {
    m_Decoders.Create();
    m_MosaicDecoders.Create();
}

CExportController::~CExportController() {
    if (m_Opened)
        Rollback();
    m_Decoders.Destroy();
    m_MosaicDecoders.Destroy();
}

bool CExportController::ExtractPre(const ExtractParams& params) {
    if (m_Opened || !ValidChannelCount(params.numChannels))
        return false;
    m_Params = params;
    m_Outputs.clear();
    for (int k = 0; k < params.numChannels; ++k) {
        if (params.aviOn[k] != 0 && !OpenChannelAvi(k))
            return false;
    }
    StartMov();
    if ((params.mosaicOn != 0 && !OpenMosaic()) || (params.rawOn != 0 && !OpenRawCopy()))
        return false;
    m_Opened = true;
    return true;
}

// A MOV set that cannot be created leaves the export running without it.
void CExportController::StartMov() {
    m_Mov.BeginExport(SubtitleOptionsOf(m_Params));
    for (int k = 0; k < m_Params.numChannels; ++k) {
        m_MovSize[std::size_t(k)] = {m_Params.outWidth[k], m_Params.outHeight[k]};
        if (m_Params.movOn[k] != 0)
            StartChannelMov(k);
    }
}

void CExportController::StartChannelMov(int k) {
    const std::string base = FieldText(m_Params.movBase[k]);
    const std::string movie =
        FreeNames({base + ".mov", base + ".ssa"}, kFieldLength + kMovExtLength)[0];
    StoreField(m_Params.movBase[k], movie.substr(0, movie.size() - kMovExtLength));
    int error = 0;
    if (m_Mov.StartMovFile(k, m_Params.movBase[k], &error) != 0)
        m_Outputs.push_back({movie, false, error});
}

void CExportController::FinishChannelMov(int k, bool restart) {
    const MovFinished finished = m_Mov.FinishMovFile(k);
    if (!finished.started || (restart && finished.empty))
        return;
    const std::string base = FieldText(m_Params.movBase[k]);
    m_Outputs.push_back({base + ".mov", finished.movie, finished.error});
    if (finished.movie)
        m_Outputs.push_back({base + ".ssa", finished.subtitles, finished.subtitlesError});
}

bool CExportController::OpenRawCopy() {
    const std::vector<std::string> names =
        FreeNames({FieldText(m_Params.dvrPath), FieldText(m_Params.inxPath)}, kFieldLength);
    StoreField(m_Params.dvrPath, names[0]);
    StoreField(m_Params.inxPath, names[1]);
    if (!m_RawCopy.Open(names[0].c_str(), names[1].c_str())) {
        RollbackFor(names[0], m_RawCopy.Error());
        return false;
    }
    m_RawCopy.ResetGopCounter();
    return true;
}

// A channel without pictures in the first GOP has no size or rate to open
// its file at: it is left out (ExtractFin lists it as failed) and the other
// outputs go on. The file is opened at the rate it is written at: a GOP
// gives it at most kMaxFramesPerChannel frames.
bool CExportController::OpenChannelAvi(int k) {
    const std::string finalName = FieldText(m_Params.aviPath[k]);
    m_AviFinalName[std::size_t(k)] = finalName;
    m_TempName[std::size_t(k)] = TempName(std::to_string(k + 1).c_str());
    StoreField(m_Params.aviPath[k], m_TempName[std::size_t(k)]);
    const int w = m_Params.outWidth[k];
    const int h = m_Params.outHeight[k];
    const int fps = std::min(int(m_Params.outFps[k]), kMaxFramesPerChannel);
    if (w <= 0 || h <= 0 || fps <= 0)
        return true;
    auto writer = std::make_unique<CAviWriter>();
    if (w * h * 3 / 2 > kPictureBytes ||
        !writer->Open(m_TempName[std::size_t(k)].c_str(), w, h, fps, m_Params.audioRate,
                      m_Params.audioBits, 1)) {
        RollbackFor(finalName, writer->Error() != 0 ? writer->Error() : EINVAL);
        return false;
    }
    m_AviWriters[std::size_t(k)] = std::move(writer);
    if (m_LastPicture.empty())
        m_LastPicture.resize(kExtractChannels);
    auto& last = m_LastPicture[std::size_t(k)];
    last.assign(std::size_t(w * h * 3 / 2), 128);
    std::fill(last.begin(), last.begin() + w * h, uint8_t(0));
    return true;
}

bool CExportController::OpenMosaic() {
    MosaicLayout layout;
    MosaicLayoutFor(m_Params.numChannels, &layout);
    m_MosaicFinalName = FieldText(m_Params.mosaicPath);
    m_TempName[kMosaicWriter] = TempName("all");
    StoreField(m_Params.mosaicPath, m_TempName[kMosaicWriter]);
    m_MosaicFps = 0;
    for (int k = 0; k < kExtractChannels; ++k)
        m_MosaicFps = std::max(m_MosaicFps, m_Params.outFps[k]);
    m_MosaicFps = std::min(m_MosaicFps, kMaxFramesPerChannel);
    const std::size_t tileBytes = std::size_t(layout.tileWidth * layout.tileHeight * 3 / 2);
    m_Tiles.assign(kExtractChannels, std::vector<uint8_t>(tileBytes));
    m_TileValid.fill(false);
    m_WorkPicture.resize(std::size_t(layout.width * layout.height * 3 / 2));
    auto writer = std::make_unique<CAviWriter>();
    if (!writer->Open(m_TempName[kMosaicWriter].c_str(), layout.width, layout.height, m_MosaicFps,
                      m_Params.audioRate, m_Params.audioBits, 1)) {
        RollbackFor(m_MosaicFinalName, writer->Error() != 0 ? writer->Error() : EINVAL);
        return false;
    }
    m_AviWriters[kMosaicWriter] = std::move(writer);
    return true;
}

void CExportController::Rollback() {
    for (std::size_t w = 0; w < m_AviWriters.size(); ++w) {
        if (m_AviWriters[w]) {
            m_AviWriters[w]->Close();
            m_AviWriters[w].reset();
            std::remove(m_TempName[w].c_str());
        }
    }
    for (int k = 0; k < kExtractChannels; ++k)
        m_Mov.FinishMovFile(k);  // a set without GOPs leaves no files
    if (m_RawCopy.IsOpen()) {
        m_RawCopy.Close();
        std::remove(FieldText(m_Params.dvrPath).c_str());
        std::remove(FieldText(m_Params.inxPath).c_str());
    }
    m_Tiles.clear();
    m_LastPicture.clear();
    m_Outputs.clear();
    m_MosaicFps = 0;
    m_Params = ExtractParams{};
    m_Opened = false;
}

void CExportController::RollbackFor(const std::string& path, int error) {
    Rollback();
    m_Outputs.push_back({path, false, error});
}

CAviWriter* CExportController::LiveWriter(int writer) const {
    CAviWriter* w = m_AviWriters[std::size_t(writer)].get();
    return w != nullptr && w->Error() == 0 ? w : nullptr;
}

// A file that is not whole (a write failed: a full disk) is removed and
// listed as failed with the reason. A file that cannot take its final name
// (its folder is gone, the name is empty) is kept below the DVR root under
// that name's last part rather than left under its temporary name for the
// next export to overwrite.
void CExportController::FinishAvi(int writer, const std::string& finalName) {
    auto& w = m_AviWriters[std::size_t(writer)];
    if (!w) {
        m_Outputs.push_back({finalName, false, ENODATA});  // left out: no pictures to give
        return;
    }
    const bool whole = w->Close();
    const int error = w->Error();
    w.reset();
    const std::string& temp = m_TempName[std::size_t(writer)];
    if (!whole) {
        std::remove(temp.c_str());
        m_Outputs.push_back({finalName, false, error});
        return;
    }
    std::string written = finalName.empty() ? temp : MoveToFreeName(temp, finalName);
    if (written == temp) {
        const std::size_t slash = finalName.find_last_of('/');
        std::string leaf = slash == std::string::npos ? finalName : finalName.substr(slash + 1);
        if (leaf.empty())
            leaf = writer == kMosaicWriter ? "export_all.avi"
                                           : "export_ch" + std::to_string(writer + 1) + ".avi";
        written = MoveToFreeName(temp, DvrRootDir() + "/" + leaf);
    }
    if (written != finalName)
        std::fprintf(stderr, "Oskulo: the export meant for \"%s\" was written to %s\n",
                     finalName.c_str(), written.c_str());
    m_Outputs.push_back({written, true});
}

// A copy that is not whole is removed: its index is not whole either.
void CExportController::FinishRawCopy() {
    const bool written = m_RawCopy.Close();
    const int error = written ? 0 : m_RawCopy.Error();
    const std::string dvr = FieldText(m_Params.dvrPath);
    const std::string inx = FieldText(m_Params.inxPath);
    if (!written) {
        std::remove(dvr.c_str());
        std::remove(inx.c_str());
    }
    m_Outputs.push_back({dvr, written, error});
    m_Outputs.push_back({inx, written, error});
}

void CExportController::ExtractFin() {
    if (!m_Opened)
        return;
    for (int k = 0; k < m_Params.numChannels; ++k) {
        if (m_Params.aviOn[k] != 0)
            FinishAvi(k, m_AviFinalName[std::size_t(k)]);
        if (m_Params.movOn[k] != 0)
            FinishChannelMov(k, false);
    }
    if (m_Params.mosaicOn != 0) {
        m_MosaicFps = 0;
        m_Tiles.clear();
        FinishAvi(kMosaicWriter, m_MosaicFinalName);
    }
    if (m_Params.rawOn != 0)
        FinishRawCopy();
    m_LastPicture.clear();
    m_Params = ExtractParams{};
    m_Opened = false;
}

}  // namespace oskulo
