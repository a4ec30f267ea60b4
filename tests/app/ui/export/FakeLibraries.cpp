#include "tests/app/ui/export/FakeLibraries.h"

#include <cstdio>

#include "app/shell/LibraryBinding.h"
#include "shared/IndexRing.h"

namespace fakes {

Player player;
Exporter exporter;

namespace {

int OpenedType() {
    return player.openedType;
}
int ScreenNum() {
    return player.screenNum;
}
int GopVersion() {
    return player.gopVersion;
}
int SampleRate() {
    return player.sampleRate;
}
int SampleBits() {
    return player.sampleBits;
}

bool TimeInxHd(InxHd* header) {
    if (!player.headerReadable)
        return false;
    *header = player.header;
    return true;
}

bool TimeInxUnit(int index, InxUnit* unit) {
    const auto found = player.entries.find(uint32_t(index));
    if (index <= 0 || found == player.entries.end())
        return false;
    *unit = found->second;
    return true;
}

uint64_t Position(unsigned lo, int hi) {
    return uint64_t(uint32_t(hi)) << 32 | lo;
}

int StartExtract(unsigned fromLo, int fromHi, unsigned toLo, int toHi) {
    player.starts.emplace_back(Position(fromLo, fromHi), Position(toLo, toHi));
    return player.startResult;
}

int StopExtract() {
    ++player.stops;
    if (player.onStop)
        player.onStop();
    return 0;
}

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

void Install() {
    player.openedType = 0;
    player.screenNum = 4;
    player.gopVersion = 4;
    player.sampleRate = 8000;
    player.sampleBits = 16;
    player.headerReadable = true;
    player.header = InxHd{kInxMagic, 1, 10, 0};
    player.entries.clear();
    player.startResult = 0;
    player.starts.clear();
    player.stops = 0;
    player.onStop = nullptr;
    exporter.preResult = true;
    exporter.opened = false;
    exporter.pres.clear();
    exporter.writes.clear();
    exporter.fins = 0;
    exporter.outputs.clear();
    pfn_zTellOpenedType = &OpenedType;
    pfn_zTellScreenNum = &ScreenNum;
    pfn_zTellGopVersion = &GopVersion;
    pfn_zTellSampleRate = &SampleRate;
    pfn_zTellSampleBits = &SampleBits;
    pfn_zTellTimeInxHd = &TimeInxHd;
    pfn_zTellTimeInxUnit = &TimeInxUnit;
    pfn_zStartExtract = &StartExtract;
    pfn_zStopExtract = &StopExtract;
    pfn_zExtractPre = &ExtractPre;
    pfn_zExtractWrite = &ExtractWrite;
    pfn_zExtractFin = &ExtractFin;
    pfn_zIsExtractOpened = &IsExtractOpened;
    pfn_zExtractOutput = &ExtractOutput;
}

void MakeTimeIndex(uint32_t first, uint32_t count, uint32_t startTime, uint32_t step,
                   uint64_t offsetBase) {
    player.entries.clear();
    uint32_t entry = first;
    for (uint32_t n = 0; n < count; ++n, entry = NextEntry(entry))
        player.entries[entry] = InxUnit{startTime + n * step, 0, (n + 1) * 1000 + offsetBase};
    player.header = InxHd{kInxMagic, first, PreviousEntry(entry), first > PreviousEntry(entry)};
}

}  // namespace fakes
