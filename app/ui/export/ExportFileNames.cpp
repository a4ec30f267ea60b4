#include "app/ui/export/ExportFileNames.h"

#include <algorithm>
#include <cstdio>

namespace {

// The result of snprintf into a name field: false when the name did not fit.
bool Fits(int written) {
    return written >= 0 && written < kExtractPathSize;
}

bool FillChannelNames(ExtractParams& p, const GopInfo& gop, const char* v, const char* t) {
    const int channels = std::clamp(int(p.numChannels), 0, kExtractChannels);
    for (int k = 0; k < channels; ++k) {
        const int w = p.outWidth[k], h = p.outHeight[k], fps = gop.fps[k];
        if (p.aviOn[k] != 0 &&
            !Fits(std::snprintf(p.aviPath[k], kExtractPathSize, "%s/AVI_%s_%s_ch%d_%dX%d@%dfps.avi",
                                p.outputDir, v, t, k + 1, w, h, fps)))
            return false;
        if (p.movOn[k] != 0 &&
            !Fits(std::snprintf(p.movBase[k], kExtractPathSize, "%s/MOV_%s_%s_ch%d_%dX%d@%dfps",
                                p.outputDir, v, t, k + 1, w, h, fps)))
            return false;
    }
    return true;
}

}  // namespace

bool FillExportNames(ExtractParams& p, const GopInfo& gop) {
    const std::string vehicle = SafeVehicleId(gop.carId);
    const std::string time = ExportTimeText(gop.time);
    const char* v = vehicle.c_str();
    const char* t = time.c_str();
    if (!FillChannelNames(p, gop, v, t))
        return false;
    if (p.mosaicOn != 0 && !Fits(std::snprintf(p.mosaicPath, kExtractPathSize,
                                               "%s/AVI_%s_%s_ch_all.avi", p.outputDir, v, t)))
        return false;
    if (p.rawOn != 0)
        return Fits(
                   std::snprintf(p.dvrPath, kExtractPathSize, "%s/%s_%s.dvr", p.outputDir, v, t)) &&
               Fits(std::snprintf(p.inxPath, kExtractPathSize, "%s/%s_%s.inx", p.outputDir, v, t));
    return true;
}
