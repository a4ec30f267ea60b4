// What the player callbacks, the position thread and the telemetry thread
// want the main window to show, handed to the UI thread: each change is
// stored here (the latest one wins) and the window is posted
// kViewUpdateMessage, whose handler takes the changes out and applies them to
// the controls. The controls are then only touched by their own thread.
//
// Threads: Store* from any thread; Take* on the UI thread. One lock guards
// everything stored.
#pragma once

#include <functional>
#include <mutex>
#include <optional>

#include "platform/afx/String.h"
#include "platform/user/Messages.h"

inline constexpr UINT kViewUpdateMessage = WM_APP + 1;

enum class ViewLine : int { Status, Gps, CarId, Time, Speed, Temperature, Voltage, Count };

// Work beyond the text lines (the telemetry panel, the chart, the floating
// map, the on-screen text under a resting pointer), one slot each, applied in
// this order: the alarm states before the lamps' refresh that shows them.
enum class ViewTask : int {
    PanelSpeed,
    GValues,
    Temperature,
    TemperatureUnit,
    AlarmStates,
    RefreshLamps,
    Chart,
    InfoLines,
    FloatingMapGps,
    RestingPointer,
    Title,
    Count
};

class CViewUpdates {
public:
    static constexpr int kLines = static_cast<int>(ViewLine::Count);
    static constexpr int kTasks = static_cast<int>(ViewTask::Count);

    // Each returns true when nothing was waiting before, i.e. the window needs
    // a message to come and take it.
    bool StoreLine(ViewLine line, const CString& text);
    bool StorePlayImage(bool pauseImage);
    bool StoreSeekPosition(int percent);
    // `apply` runs on the UI thread and must hold its values by copy.
    bool StoreTask(ViewTask task, std::function<void()> apply);

    struct Changes {
        std::optional<CString> lines[kLines];
        std::optional<bool> pauseImage;
        std::optional<int> seekPercent;
        std::function<void()> tasks[kTasks];
    };
    Changes Take();

private:
    bool MarkWaiting();

    std::mutex m_lock;
    Changes m_changes;       // guarded by m_lock
    bool m_waiting = false;  // guarded by m_lock: a message is on its way
};
