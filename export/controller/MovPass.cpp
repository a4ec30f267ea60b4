// The MOV sets of one GOP: restarts on a picture-size change, then the GOP.
#include <algorithm>
#include <cstdio>

#include "export/controller/ExportController.h"
#include "shared/ExportNames.h"

namespace oskulo {

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
        // A GOP without the channel's frames has no size for it: no change.
        const bool sized = info.width[k] > 0 && info.height[k] > 0;
        if (m_Params.movOn[k] == 0 || !sized ||
            (info.width[k] == size.width && info.height[k] == size.height))
            continue;
        FinishChannelMov(k, true);
        size = {info.width[k], info.height[k]};
        std::snprintf(m_Params.movBase[k], kExtractPathSize, "%s/MOV_%s_%s_ch%d_%dX%d@%dfps",
                      FieldText(m_Params.outputDir).c_str(), SafeVehicleId(info.carId).c_str(),
                      ExportTimeText(info.time).c_str(), k + 1, info.width[k], info.height[k],
                      info.fps[k]);
        StartChannelMov(k);
    }
    m_Mov.WriteMovGop(gop, length);
}

}  // namespace oskulo
