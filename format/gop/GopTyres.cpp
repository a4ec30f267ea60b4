// The tyre sub-block (bit 4 of log_hd): tyre entries stored once and applied
// to each tyre record, then the truck layout that must account for them.
#include <algorithm>

#include "GopParts.h"
#include "format/TelemetryLayout.h"

namespace gop_detail {
namespace {

namespace tl = telemetry;

int AlarmKindOf(uint8_t status) {
    if ((status & 0x04) == 0)
        return 0;
    if (status & 0x10)
        return 2;
    if (status & 0x20)
        return 3;
    if (status & 0x40)
        return 4;
    if (status & 0x02)
        return 5;
    return 1;
}

TpmsTyre TyreOf(const uint8_t* entry) {
    TpmsTyre tyre;
    tyre.id = entry[0];
    tyre.alarmKind = AlarmKindOf(entry[1]);
    tyre.temperature = entry[2] > 205 ? 205 - int(entry[2]) : int(entry[2]);
    tyre.pressure = float(entry[3]);
    return tyre;
}

// Codes in range whose tyres add up to the tyre count (at most 34).
bool LayoutIsGood(const uint8_t* truck, int tyres) {
    const int tractor = truck[0], trailer1 = truck[1], trailer2 = truck[2];
    if (tractor >= int(tl::kTractorTyres.size()) || trailer1 >= int(tl::kTrailerTyres.size()) ||
        trailer2 >= int(tl::kTrailerTyres.size()))
        return false;
    return tl::kTractorTyres[size_t(tractor)] + tl::kTrailerTyres[size_t(trailer1)] +
               tl::kTrailerTyres[size_t(trailer2)] ==
           tyres;
}

void SetLayout(const uint8_t* truck, GopInfo* info) {
    info->tractor = truck[0];
    info->trailer1 = 0;
    info->trailer2 = 0;
    const uint8_t flags = truck[3];
    for (int k = 0; k < 3; ++k)
        info->axleKind[k] = ((flags >> k) & 1) == 0 ? 0 : ((flags >> (k + 3)) & 1) ? 2 : 1;
}

}  // namespace

// Unlike the other sub-blocks, every record is stored while framesPerChannel
// is above 0, up to the record's 30 slots, and only the first 36 tyres of
// each (tyreCount is cut to 36; a count above 34 is a bad layout anyway). The whole block, entries
// and truck layout included, must fit before the GOP's end, else nothing of it is read.
TyreResult ReadTyres(ByteCursor& cursor, const GopView& gop, GopInfo* info) {
    ByteCursor at = cursor;
    const uint8_t* header = at.Take(tl::kTyreHeaderSize);
    if (header == nullptr)
        return TyreResult::kTruncated;
    const int records = LoadU16(header + 1), tyres = header[3];
    const uint8_t* entries = at.Take(uint64_t(tyres) * tl::kTyreEntrySize);
    const uint8_t* truck = entries ? at.Take(tl::kTruckLayoutSize) : nullptr;
    if (truck == nullptr)
        return TyreResult::kTruncated;
    cursor = at;

    info->tyreCount = std::min(tyres, kMaxTyres);
    const int stored = gop.framesPerChannel > 0 ? std::min(records, kMaxTelemetryRecords) : 0;
    for (int r = 0; r < stored; ++r)
        for (int i = 0; i < info->tyreCount; ++i)
            info->tpms[r][i] = TyreOf(entries + tl::kTyreEntrySize * i);
    info->tpmsCount += stored;

    if (!LayoutIsGood(truck, tyres))
        return TyreResult::kBadLayout;
    SetLayout(truck, info);
    return TyreResult::kGoodLayout;
}

}  // namespace gop_detail
