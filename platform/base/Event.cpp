#include "platform/base/Event.h"

#include <cerrno>

#include "platform/base/InjectedFailures.h"
#include "platform/base/LastError.h"

namespace {

class Event final : public WaitableObject {
public:
    using WaitableObject::WaitableObject;
};

InjectedFailures g_failingCreations;

BOOL Signal(HANDLE event, bool signalled) {
    std::shared_ptr<Event> object = LookUpHandleAs<Event>(event);
    if (object == nullptr)
        return FALSE;
    object->SetSignalled(signalled);
    return TRUE;
}

}  // namespace

HANDLE CreateEvent(bool manualReset, bool initiallySet) {
    if (g_failingCreations.Take()) {
        SetLastError(ENOMEM);
        return nullptr;
    }
    auto event = std::make_shared<Event>(!manualReset);
    event->SetSignalled(initiallySet);
    return RegisterHandle(std::move(event));
}

BOOL SetEvent(HANDLE event) {
    return Signal(event, true);
}

BOOL ResetEvent(HANDLE event) {
    return Signal(event, false);
}

void FailNextEventCreations(int count, int after) {
    g_failingCreations.Arm(count, after);
}
