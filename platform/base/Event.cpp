#include "platform/base/Event.h"

namespace {

class Event final : public WaitableObject {
public:
    using WaitableObject::WaitableObject;
};

BOOL Signal(HANDLE event, bool signalled) {
    std::shared_ptr<Event> object = LookUpHandleAs<Event>(event);
    if (object == nullptr)
        return FALSE;
    object->SetSignalled(signalled);
    return TRUE;
}

}  // namespace

HANDLE CreateEvent(bool manualReset, bool initiallySet) {
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
