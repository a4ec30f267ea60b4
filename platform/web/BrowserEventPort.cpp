#include "platform/web/BrowserEventPort.h"

#include <utility>

#include "platform/user/User.h"

BrowserEventPort::BrowserEventPort(HWND control, UINT wakeMessage)
    : control_(control), wakeMessage_(wakeMessage) {}

void BrowserEventPort::Report(BrowserEvent event) {
    {
        std::lock_guard lock(mutex_);
        events_.push_back(std::move(event));
    }
    PostMessage(control_, wakeMessage_, 0, 0);
}

std::deque<BrowserEvent> BrowserEventPort::Take() {
    std::lock_guard lock(mutex_);
    return std::exchange(events_, {});
}
