#include "platform/base/Handle.h"

#include <mutex>
#include <unordered_map>

namespace {

// Live handles and their objects. Guarded by `mutex`.
struct Registry {
    std::mutex mutex;
    std::unordered_map<HANDLE, std::shared_ptr<KernelObject>> objects;
};

Registry& TheRegistry() {
    static Registry* registry = new Registry;  // outlives every static destructor
    return *registry;
}

}  // namespace

HANDLE RegisterHandle(std::shared_ptr<KernelObject> object) {
    Registry& r = TheRegistry();
    HANDLE handle = object.get();
    std::lock_guard lock(r.mutex);
    r.objects.emplace(handle, std::move(object));
    return handle;
}

std::shared_ptr<KernelObject> LookUpHandle(HANDLE handle) {
    Registry& r = TheRegistry();
    std::lock_guard lock(r.mutex);
    auto it = r.objects.find(handle);
    return it == r.objects.end() ? nullptr : it->second;
}

BOOL CloseHandle(HANDLE handle) {
    std::shared_ptr<KernelObject> object;
    Registry& r = TheRegistry();
    {
        std::lock_guard lock(r.mutex);
        auto it = r.objects.find(handle);
        if (it == r.objects.end())
            return FALSE;
        object = std::move(it->second);
        r.objects.erase(it);
    }
    return TRUE;  // `object` is destroyed here, outside the lock, unless still in use
}
