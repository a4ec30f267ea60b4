// The player library's index exports served from indexes a test generates:
// ScopedFakePlayer points the program's bindings (pfn_ pointers) at one
// FakeIndexes while it lives. A closed gate holds every index read of a
// thread other than the test's own until it is opened, so a test can catch a
// list thread in the middle of its walk.
#pragma once

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <map>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "shared/IndexRecords.h"
#include "shared/PlayerInterface.h"
#include "shared/QuickIndexRecords.h"

namespace findtest {

// Fields of one generated quick-index record.
struct QuickFields {
    uint32_t timeEntry = 1;
    uint16_t speedKmh = 0;
    uint16_t temperature = 20;
    int8_t g[3] = {0, 0, 0};
    std::vector<std::pair<uint8_t, uint8_t>> tyres;  // (PSI, temperature + 40)
    int tyreCount = -1;                              // -1: the number of tyres
    std::string latitude = "2459.9952N";
    std::string longitude = "12130.1625E";
};
QuickInxUnit MakeQuickUnit(const QuickFields& fields);

class FakeIndexes {
public:
    // Set by the test while no list thread runs.
    int openedType = OPENED_FILE_PAIR;
    std::optional<InxHd> timeHeader;
    std::optional<InxHd> eventHeader;
    std::optional<QuickInxHd> quickHeader;
    std::map<uint32_t, InxUnit> timeUnits;
    std::map<uint32_t, InxUnit> eventUnits;
    std::map<uint32_t, QuickInxUnit> quickUnits;

    // Units from `first` on along the ring (after 0xFFFFF comes 1); the
    // header's last is the last unit's number.
    void SetTimeIndex(uint32_t first, const std::vector<InxUnit>& units);
    void SetEventIndex(uint32_t first, const std::vector<InxUnit>& units);
    void SetQuickIndex(uint32_t first, const std::vector<QuickInxUnit>& units);

    void CloseGate();
    void OpenGate();
    // Index reads of other threads in progress now, and the most seen at once.
    int ReadersInside() const { return readersInside_.load(); }
    int MostReadersInside() const { return mostReadersInside_.load(); }
    // Waits (real time, bounded) until a read is held at the gate.
    bool WaitForHeldReader() const;

    // Called by the bound exports.
    template <typename F>
    bool Read(F&& read);

private:
    void EnterGate();
    void LeaveGate();

    std::thread::id testThread_ = std::this_thread::get_id();
    mutable std::mutex gateMutex_;
    mutable std::condition_variable gateChanged_;
    bool gateClosed_ = false;  // guarded by gateMutex_
    int held_ = 0;             // guarded by gateMutex_
    std::atomic<int> readersInside_{0};
    std::atomic<int> mostReadersInside_{0};
};

template <typename F>
bool FakeIndexes::Read(F&& read) {
    if (std::this_thread::get_id() == testThread_)
        return read();
    EnterGate();
    const bool result = read();
    LeaveGate();
    return result;
}

class ScopedFakePlayer {
public:
    explicit ScopedFakePlayer(FakeIndexes& indexes);
    ~ScopedFakePlayer();
};

}  // namespace findtest
