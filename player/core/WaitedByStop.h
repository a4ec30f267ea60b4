// The threads a stop waits for: the read and playback threads for their
// whole run, a display thread while it reports a frame failure. A host that
// calls zOpenEx from a callback on one of them would have the stop wait for
// the thread it runs on: the player refuses that stop instead.
#pragma once

class CWaitedByStop {
public:
    CWaitedByStop() : m_outer(t_waited) { t_waited = true; }
    ~CWaitedByStop() { t_waited = m_outer; }
    CWaitedByStop(const CWaitedByStop&) = delete;
    CWaitedByStop& operator=(const CWaitedByStop&) = delete;

    // The calling thread is one a stop would wait for.
    static bool ThisThread() { return t_waited; }

private:
    static inline thread_local bool t_waited = false;
    const bool m_outer;
};
