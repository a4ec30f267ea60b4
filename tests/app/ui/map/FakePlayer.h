// The player library's index and command exports as the map pane sees them,
// played by the test: a time index and a quick index held in memory, and
// the zPlayMSG calls recorded. Installed into the pfn_ pointers of the
// library binding for one test; any thread.
#pragma once

#include <cstdint>
#include <map>
#include <mutex>
#include <optional>
#include <vector>

#include "app/ui/map/MapPaneHost.h"
#include "shared/IndexRecords.h"

struct PlayCall {
    int cmd;
    intptr_t a;
    uint64_t position;  // (hi:lo)
};

class FakePlayer {
public:
    FakePlayer();   // installs itself
    ~FakePlayer();  // clears the pointers

    // The time index: header first/last, and entry i = {time, offset}.
    InxHd timeHeader{kInxMagic, 0, 0, 0};
    std::map<uint32_t, InxUnit> timeUnits;
    bool timeHeaderReadable = true;
    // The quick index: its header's first/last, and record n's time-index entry.
    uint32_t quickFirst = 0;
    uint32_t quickLast = 0;
    std::map<uint32_t, uint32_t> quickEntries;
    bool quickHeaderReadable = true;
    long long totalLength = 1LL << 40;

    void AddTimeUnit(uint32_t i, uint32_t time, uint64_t offset) {
        timeUnits[i] = InxUnit{time, 0, offset};
    }
    std::vector<PlayCall> Calls() const;

private:
    friend struct FakePlayerExports;
    mutable std::mutex m_mutex;  // guards m_calls
    std::vector<PlayCall> m_calls;
};

// The main window's playback as the map pane drives it.
class FakeHost : public IMapPaneHost {
public:
    bool IsPlayStatePlaying() const override { return playing; }
    void ArmPendingSeek(uint64_t position) override { pendingSeek = position; }
    int AudioChannel() const override { return audioChannel; }

    bool playing = false;
    int audioChannel = 1;
    std::optional<uint64_t> pendingSeek;
};
