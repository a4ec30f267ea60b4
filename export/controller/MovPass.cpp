// The MOV sets of one GOP: restarts on a picture-size change, then the GOP.
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <ctime>

#include "export/controller/ExportController.h"

namespace oskulo {
namespace {

// "yyyymmdd_hhmm_ss" of a recording time (no time-zone conversion), as the
// program names export files.
void DayTime(uint32_t time, char (&text)[64]) {
    const std::time_t t = std::time_t(time);
    std::tm parts{};
    gmtime_r(&t, &parts);
    std::snprintf(text, sizeof text, "%d%02d%02d_%02d%02d_%02d", parts.tm_year + 1900,
                  parts.tm_mon + 1, parts.tm_mday, parts.tm_hour, parts.tm_min, parts.tm_sec);
}

}  // namespace

bool CExportController::AnyMov() const {
    for (int k = 0; k < m_Params.numChannels; ++k) {
        if (m_Params.movOn[k] != 0)
            return true;
    }
    return false;
}

void CExportController::WriteMov(const uint8_t* gop, int length, const GopInfo& info) {
    const int channels = std::min(int(info.channelCount), kExtractChannels);
    for (int k = 0; k < channels; ++k) {
        MovSize& size = m_MovSize[std::size_t(k)];
        if (m_Params.movOn[k] == 0 ||
            (info.width[k] == size.width && info.height[k] == size.height))
            continue;
        FinishChannelMov(k);
        size = {info.width[k], info.height[k]};
        char daytime[64];
        DayTime(info.time, daytime);
        const std::string carId(info.carId, strnlen(info.carId, 14));
        std::snprintf(
            m_Params.movBase[k], kExtractPathSize, "%s/MOV_%s_%s_ch%d_%dX%d@%dfps",
            std::string(m_Params.outputDir, strnlen(m_Params.outputDir, kExtractPathSize - 1))
                .c_str(),
            carId.c_str(), daytime, k + 1, info.width[k], info.height[k], info.fps[k]);
        StartChannelMov(k);
    }
    m_Mov.WriteMovGop(gop, length);
}

}  // namespace oskulo
