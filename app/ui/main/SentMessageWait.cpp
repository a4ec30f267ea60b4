#include "app/ui/main/SentMessageWait.h"

#include <chrono>
#include <thread>

#include "platform/base/Clock.h"
#include "platform/base/Waitable.h"
#include "platform/user/User.h"

namespace {

// How often the object is looked at. A real-time pause, not a time-out: a
// wait on the injectable clock would not wake for a sent message.
constexpr auto kPollInterval = std::chrono::milliseconds(1);

}  // namespace

DWORD WaitServingSentMessages(HANDLE object, DWORD boundMs) {
    const uint64_t deadline = DeadlineAfter(boundMs);
    for (;;) {
        MSG msg{};
        ::PeekMessage(&msg, nullptr, 0, 0, PM_NOREMOVE);
        if (WaitForSingleObject(object, 0) == WAIT_OBJECT_0)
            return WAIT_OBJECT_0;
        if (CurrentClock().NowMs() >= deadline)
            return WAIT_TIMEOUT;
        std::this_thread::sleep_for(kPollInterval);
    }
}
