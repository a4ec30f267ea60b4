// The find dialog's list thread: one run at a time makes rows on its own
// thread and hands them to the dialog's UI thread, which alone touches the
// controls.
//
// A run pushes its rows into a queue shared with the dialog and posts the
// notify message to the dialog's window when the queue was empty; the dialog
// takes them with Collect. The run never waits for the UI thread, except
// while the queue holds kBacklog rows, until the dialog takes them or the run
// is stopped. Every run has a generation: Stop (and Start, which stops the
// previous run first) moves the generation on, so rows of an older run are
// never delivered, and waits a bounded time for the old thread. A thread
// that does not end in time runs on without touching anything but the
// shared queue (kept alive by the thread itself) and posts to a window
// handle, which is harmless once the window is gone.
//
// Threads: Start, Stop and Collect on the dialog's UI thread only.
#pragma once

#include <functional>
#include <memory>
#include <vector>

#include "app/ui/find/FindRowSink.h"
#include "platform/base/Thread.h"
#include "platform/user/User.h"

class CFindListWorker {
public:
    using Job = std::function<void(FindRowSink&)>;
    static constexpr size_t kBacklog = 4096;
    static constexpr DWORD kStopWaitMs = 1000;

    CFindListWorker();
    ~CFindListWorker();
    CFindListWorker(const CFindListWorker&) = delete;
    CFindListWorker& operator=(const CFindListWorker&) = delete;

    // Stops the running run, then runs `job` on a new thread; its rows and
    // its end are announced by posting `message` to `notify`. False when no
    // thread could be started.
    bool Start(HWND notify, UINT message, Job job);
    // Voids the running run and waits up to `waitMs` for its thread.
    void Stop(DWORD waitMs = kStopWaitMs);

    struct Delivery {
        std::vector<FindListRow> rows;
        bool finished = false;  // the run has made its last row
    };
    // The rows of the current run made since the last call.
    Delivery Collect();

private:
    struct Shared;
    class RunSink;

    std::shared_ptr<Shared> m_shared;
    HANDLE m_thread = nullptr;
};
