// What an engine reports about its page, and the way the reports take to
// the control's owning thread.
#pragma once

#include <cstdint>
#include <deque>
#include <mutex>
#include <string>

#include "platform/user/UserTypes.h"

struct BrowserEvent {
    enum class Kind { BeforeNavigate, DocumentComplete };
    Kind kind = Kind::BeforeNavigate;
    uint64_t navigation = 0;  // BeforeNavigate: the id to answer with Decide
    std::string url;          // UTF-8
};

// The way from an engine to its control. Any thread: Report queues the event
// and wakes the control's thread with a posted message; the control takes the
// events there. Reports made after the control is gone are dropped.
class BrowserEventPort {
public:
    BrowserEventPort(HWND control, UINT wakeMessage);
    void Report(BrowserEvent event);
    std::deque<BrowserEvent> Take();
    HWND Control() const { return control_; }

private:
    const HWND control_;
    const UINT wakeMessage_;
    std::mutex mutex_;  // guards events_
    std::deque<BrowserEvent> events_;
};
