// The worker that tests the connection to the map server: once at start,
// then every 60 seconds until it is told that the map page is shown. It
// never touches a window: each result goes to `report`, which hands it to
// the UI thread (CMapPaneController posts it to its own window).
//
// The thread shares only its state record, which it keeps alive itself, so
// an object destroyed while a test still runs leaves nothing dangling: Stop
// waits for the thread within a bound, and a thread still inside a test
// then ends on its own when the test returns, without reporting.
#pragma once

#include <functional>
#include <memory>

#include "platform/base/Handle.h"

class MapRetryThread {
public:
    static constexpr DWORD kRetryMs = 60000;
    static constexpr DWORD kStopWaitMs = 500;

    using Check = std::function<bool()>;
    using Report = std::function<void(bool connected)>;

    MapRetryThread() = default;
    ~MapRetryThread() { Stop(kStopWaitMs); }
    MapRetryThread(const MapRetryThread&) = delete;
    MapRetryThread& operator=(const MapRetryThread&) = delete;

    // Starts the thread; false when one runs already or none can be started.
    // `check` and `report` run on the thread.
    bool Start(Check check, Report report);
    // The map page is shown: no more tests. Returns at once; the thread
    // ends when its current test or sleep ends.
    void Finish();
    // Ends the thread and waits for it up to `waitMs`; true when it has
    // ended (or never ran).
    bool Stop(DWORD waitMs);
    bool IsRunning() const;

private:
    struct State;
    static void Run(const std::shared_ptr<State>& state, const Check& check, const Report& report);

    std::shared_ptr<State> m_state;
    HANDLE m_hThread = nullptr;
};
