// The player as the map pane's tests see it: the scripted player library
// bound for one test (data up to 1 TiB), quick-index records that name
// time-index entries, and the main window's playback as the pane drives it.
#pragma once

#include <cstdint>
#include <map>
#include <optional>

#include "app/ui/map/MapPaneHost.h"
#include "tests/app/ui/fake/BoundFakeTrevane.h"

// Bound and reset; the time and quick indexes empty and unreadable.
FakeTrevane& BindMapPlayer();

// A quick index of records first..last (its header) of which the records in
// `entries` can be read: record n names time-index entry entries[n], and its
// other bytes are filler the seek must not read.
void SetQuickEntries(FakeTrevane& player, uint32_t first, uint32_t last,
                     const std::map<uint32_t, uint32_t>& entries);

class FakeHost : public IMapPaneHost {
public:
    bool IsPlayStatePlaying() const override { return playing; }
    void ArmPendingSeek(uint64_t position) override { pendingSeek = position; }
    int AudioChannel() const override { return audioChannel; }

    bool playing = false;
    int audioChannel = 1;
    std::optional<uint64_t> pendingSeek;
};
