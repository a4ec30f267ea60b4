#include "tests/app/ui/find/FakeIndexes.h"

#include <algorithm>
#include <chrono>
#include <cstring>

#include "app/shell/LibraryBinding.h"
#include "shared/ByteOrder.h"
#include "shared/IndexRing.h"

namespace findtest {

namespace {

FakeIndexes* g_indexes = nullptr;

template <typename Unit>
bool Lookup(const std::map<uint32_t, Unit>& units, int index, Unit* out) {
    return g_indexes->Read([&] {
        const auto found = units.find(uint32_t(index));
        if (index < 1 || found == units.end())
            return false;
        *out = found->second;
        return true;
    });
}

template <typename Header>
bool Copy(const std::optional<Header>& header, Header* out) {
    return g_indexes->Read([&] {
        if (!header)
            return false;
        *out = *header;
        return true;
    });
}

int OpenedType() {
    return g_indexes->openedType;
}
bool TimeHd(InxHd* h) {
    return Copy(g_indexes->timeHeader, h);
}
bool TimeUnit(int i, InxUnit* u) {
    return Lookup(g_indexes->timeUnits, i, u);
}
bool EventHd(InxHd* h) {
    return Copy(g_indexes->eventHeader, h);
}
bool EventUnit(int i, InxUnit* u) {
    return Lookup(g_indexes->eventUnits, i, u);
}
bool QuickHd(QuickInxHd* h) {
    return Copy(g_indexes->quickHeader, h);
}
bool QuickUnit(int i, QuickInxUnit* u) {
    return Lookup(g_indexes->quickUnits, i, u);
}

// Places `units` from `first` on along the ring; the number of the last one.
template <typename Unit>
uint32_t Place(std::map<uint32_t, Unit>& into, uint32_t first, const std::vector<Unit>& units) {
    into.clear();
    uint32_t i = first, last = first;
    for (const Unit& unit : units) {
        into[i] = unit;
        last = i;
        i = NextEntry(i);
    }
    return last;
}

}  // namespace

QuickInxUnit MakeQuickUnit(const QuickFields& fields) {
    QuickInxUnit unit{};
    StoreU32(unit.bytes, fields.timeEntry);
    StoreU16(unit.bytes + 4, fields.speedKmh);
    StoreU16(unit.bytes + 6, fields.temperature);
    for (int axis = 0; axis < 3; ++axis)
        unit.bytes[8 + axis] = uint8_t(fields.g[axis]);
    unit.bytes[12] = uint8_t(fields.tyreCount >= 0 ? fields.tyreCount : int(fields.tyres.size()));
    for (size_t t = 0; t < fields.tyres.size() && 17 + 2 * t < 84; ++t) {
        unit.bytes[16 + 2 * t] = fields.tyres[t].first;
        unit.bytes[17 + 2 * t] = fields.tyres[t].second;
    }
    std::memcpy(unit.bytes + 84, fields.latitude.data(),
                std::min<size_t>(fields.latitude.size(), 10));
    std::memcpy(unit.bytes + 96, fields.longitude.data(),
                std::min<size_t>(fields.longitude.size(), 11));
    return unit;
}

void FakeIndexes::SetTimeIndex(uint32_t first, const std::vector<InxUnit>& units) {
    const uint32_t last = Place(timeUnits, first, units);
    timeHeader = InxHd{kInxMagic, first, last, first > last ? 1u : 0u};
}

void FakeIndexes::SetEventIndex(uint32_t first, const std::vector<InxUnit>& units) {
    const uint32_t last = Place(eventUnits, first, units);
    eventHeader = InxHd{kInxMagic, first, last, first > last ? 1u : 0u};
}

void FakeIndexes::SetQuickIndex(uint32_t first, const std::vector<QuickInxUnit>& units) {
    const uint32_t last = Place(quickUnits, first, units);
    QuickInxHd header{};
    StoreU32(header.bytes, kInxMagic);
    StoreU32(header.bytes + 4, first);
    StoreU32(header.bytes + 8, last);
    quickHeader = header;
}

void FakeIndexes::CloseGate() {
    std::lock_guard lock(gateMutex_);
    gateClosed_ = true;
}

void FakeIndexes::OpenGate() {
    {
        std::lock_guard lock(gateMutex_);
        gateClosed_ = false;
    }
    gateChanged_.notify_all();
}

bool FakeIndexes::WaitForHeldReader() const {
    std::unique_lock lock(gateMutex_);
    return gateChanged_.wait_for(lock, std::chrono::seconds(5), [&] { return held_ > 0; });
}

void FakeIndexes::EnterGate() {
    const int inside = ++readersInside_;
    int most = mostReadersInside_.load();
    while (inside > most && !mostReadersInside_.compare_exchange_weak(most, inside)) {
    }
    std::unique_lock lock(gateMutex_);
    ++held_;
    gateChanged_.notify_all();
    gateChanged_.wait(lock, [&] { return !gateClosed_; });
    --held_;
}

void FakeIndexes::LeaveGate() {
    --readersInside_;
}

ScopedFakePlayer::ScopedFakePlayer(FakeIndexes& indexes) {
    g_indexes = &indexes;
    pfn_zTellOpenedType = &OpenedType;
    pfn_zTellTimeInxHd = &TimeHd;
    pfn_zTellTimeInxUnit = &TimeUnit;
    pfn_zTellEvtInxHd = &EventHd;
    pfn_zTellEvtInxUnit = &EventUnit;
    pfn_zTellQuickInxHd = &QuickHd;
    pfn_zTellQuickInxUnit = &QuickUnit;
}

ScopedFakePlayer::~ScopedFakePlayer() {
    pfn_zTellOpenedType = nullptr;
    pfn_zTellTimeInxHd = nullptr;
    pfn_zTellTimeInxUnit = nullptr;
    pfn_zTellEvtInxHd = nullptr;
    pfn_zTellEvtInxUnit = nullptr;
    pfn_zTellQuickInxHd = nullptr;
    pfn_zTellQuickInxUnit = nullptr;
    g_indexes = nullptr;
}

}  // namespace findtest
