// What the player callbacks and the position thread want the main window to
// show, handed to the UI thread: each change is stored here (the latest one
// wins) and the window is posted kViewUpdateMessage, whose handler takes the
// changes out and applies them to the controls. The controls are then only
// touched by their own thread.
//
// Threads: Store* from any thread; Take* on the UI thread. One lock guards
// everything stored.
#pragma once

#include <mutex>
#include <optional>

#include "platform/afx/String.h"
#include "platform/user/Messages.h"

inline constexpr UINT kViewUpdateMessage = WM_APP + 1;

enum class ViewLine : int { Status, Gps, CarId, Time, Speed, Temperature, Voltage, Count };

class CViewUpdates {
public:
    static constexpr int kLines = static_cast<int>(ViewLine::Count);

    // Each returns true when nothing was waiting before, i.e. the window needs
    // a message to come and take it.
    bool StoreLine(ViewLine line, const CString& text);
    bool StorePlayImage(bool pauseImage);
    bool StoreSeekPosition(int percent);

    struct Changes {
        std::optional<CString> lines[kLines];
        std::optional<bool> pauseImage;
        std::optional<int> seekPercent;
    };
    Changes Take();

private:
    bool MarkWaiting();

    std::mutex m_lock;
    Changes m_changes;       // guarded by m_lock
    bool m_waiting = false;  // guarded by m_lock: a message is on its way
};
