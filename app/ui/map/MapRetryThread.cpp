#include "app/ui/map/MapRetryThread.h"

#include <atomic>

#include "platform/base/Event.h"
#include "platform/base/Handle.h"
#include "platform/base/Thread.h"

struct MapRetryThread::State {
    State() : wake(CreateEvent(true, false)) {}
    ~State() { CloseHandle(wake); }
    std::atomic<bool> run{true};  // cleared by Finish and Stop
    const HANDLE wake;            // set to cut the sleep short
};

bool MapRetryThread::Start(Check check, Report report) {
    if (IsRunning())
        return false;
    Stop(0);
    auto state = std::make_shared<State>();
    HANDLE thread = CreateThread([state, check = std::move(check), report = std::move(report)] {
        Run(state, check, report);
    });
    if (thread == nullptr)
        return false;
    m_state = std::move(state);
    m_hThread = thread;
    return true;
}

void MapRetryThread::Run(const std::shared_ptr<State>& state, const Check& check,
                         const Report& report) {
    while (state->run.load()) {
        const bool connected = check();
        if (!state->run.load())
            return;
        report(connected);
        WaitForSingleObject(state->wake, kRetryMs);
    }
}

void MapRetryThread::Finish() {
    if (m_state == nullptr)
        return;
    m_state->run.store(false);
    SetEvent(m_state->wake);
}

bool MapRetryThread::Stop(DWORD waitMs) {
    Finish();
    bool ended = true;
    if (m_hThread != nullptr) {
        ended = WaitForSingleObject(m_hThread, waitMs) == WAIT_OBJECT_0;
        CloseHandle(m_hThread);
        m_hThread = nullptr;
    }
    m_state.reset();
    return ended;
}

bool MapRetryThread::IsRunning() const {
    return m_hThread != nullptr && WaitForSingleObject(m_hThread, 0) == WAIT_TIMEOUT;
}
