#include "tests/app/ui/export/FakeExporter.h"

#include <cstdio>

#include "app/shell/LibraryBinding.h"
#include "tests/app/ui/fake/BoundFakeTrevane.h"

namespace fakes {

Exporter exporter;

namespace {

bool ExtractPre(ExtractParams params) {
    std::lock_guard guard(exporter.lock);
    exporter.pres.push_back(params);
    exporter.opened = exporter.preResult;
    return exporter.preResult;
}

int ExtractWrite(int code, const void*, int, GopInfo* info) {
    std::lock_guard guard(exporter.lock);
    exporter.writes.push_back({code, info != nullptr ? info->channelCount : -1,
                               info != nullptr ? info->fps[0] : -1, info != nullptr});
    return code == 1 && exporter.opened ? 0 : 1;
}

void ExtractFin() {
    ++exporter.fins;
    exporter.opened = false;
}

bool IsExtractOpened() {
    return exporter.opened;
}

int ExtractOutput(int index, char* path, int size) {
    if (index < 0 || std::size_t(index) >= exporter.outputs.size())
        return -1;
    std::snprintf(path, std::size_t(size), "%s",
                  exporter.outputs[std::size_t(index)].first.c_str());
    return exporter.outputs[std::size_t(index)].second;
}

}  // namespace

FakeTrevane& Player() {
    return *LoadedFakeTrevane();
}

void Install() {
    FakeTrevane& player = BindFakeTrevane();
    player.timeIndex.header = InxHd{kInxMagic, 1, 10, 0};
    player.startExtractResult = 0;
    player.openedType = OPENED_FILE_PAIR;
    exporter.preResult = true;
    exporter.opened = false;
    exporter.pres.clear();
    exporter.writes.clear();
    exporter.fins = 0;
    exporter.outputs.clear();
    pfn_zExtractPre = &ExtractPre;
    pfn_zExtractWrite = &ExtractWrite;
    pfn_zExtractFin = &ExtractFin;
    pfn_zIsExtractOpened = &IsExtractOpened;
    pfn_zExtractOutput = &ExtractOutput;
}

void MakeTimeIndex(uint32_t first, uint32_t count, uint32_t startTime, uint32_t step,
                   uint64_t offsetBase) {
    std::vector<InxUnit> units;
    for (uint32_t n = 0; n < count; ++n)
        units.push_back(InxUnit{startTime + n * step, 0, (n + 1) * 1000 + offsetBase});
    Player().timeIndex.Place(first, units);
}

}  // namespace fakes
