#include "platform/gdi/GdiObjectTable.h"

#include <mutex>
#include <unordered_map>

#include "platform/gdi/GdiObject.h"

namespace {

struct Entry {
    std::shared_ptr<GdiObject> object;
    bool stock = false;
};

// Live handles. Handles count up from a base that no pointer takes, and are
// never reused. Guarded by `mutex`.
struct Table {
    std::mutex mutex;
    uintptr_t next = 0x10000;
    std::unordered_map<uintptr_t, Entry> entries;
    std::unordered_map<const GdiObject*, uintptr_t> handles;
};

Table& TheTable() {
    static Table* table = new Table;  // outlives every static destructor
    return *table;
}

HGDIOBJ Register(std::shared_ptr<GdiObject> object, bool stock) {
    if (!object)
        return nullptr;
    Table& t = TheTable();
    std::lock_guard lock(t.mutex);
    uintptr_t handle = t.next;
    t.next += 4;
    t.handles.emplace(object.get(), handle);
    t.entries.emplace(handle, Entry{std::move(object), stock});
    return reinterpret_cast<HGDIOBJ>(handle);
}

}  // namespace

HGDIOBJ RegisterGdiObject(std::shared_ptr<GdiObject> object) {
    return Register(std::move(object), false);
}

HGDIOBJ RegisterStockObject(std::shared_ptr<GdiObject> object) {
    return Register(std::move(object), true);
}

std::shared_ptr<GdiObject> LookUpGdiObject(HGDIOBJ handle) {
    Table& t = TheTable();
    std::lock_guard lock(t.mutex);
    auto it = t.entries.find(reinterpret_cast<uintptr_t>(handle));
    return it == t.entries.end() ? nullptr : it->second.object;
}

BOOL ForgetGdiObject(HGDIOBJ handle) {
    std::shared_ptr<GdiObject> object;
    Table& t = TheTable();
    {
        std::lock_guard lock(t.mutex);
        auto it = t.entries.find(reinterpret_cast<uintptr_t>(handle));
        if (it == t.entries.end())
            return FALSE;
        if (it->second.stock)
            return TRUE;
        object = std::move(it->second.object);
        t.handles.erase(object.get());
        t.entries.erase(it);
    }
    return TRUE;  // `object` goes here, outside the lock, unless a context holds it
}

HGDIOBJ HandleOfGdiObject(const GdiObject* object) {
    Table& t = TheTable();
    std::lock_guard lock(t.mutex);
    auto it = t.handles.find(object);
    return it == t.handles.end() ? nullptr : reinterpret_cast<HGDIOBJ>(it->second);
}

DWORD GetObjectType(HGDIOBJ handle) {
    std::shared_ptr<GdiObject> object = LookUpGdiObject(handle);
    return object ? object->Type() : 0;
}

int GetObjectW(HGDIOBJ handle, int size, void* out) {
    std::shared_ptr<GdiObject> object = LookUpGdiObject(handle);
    if (!object || (out && size <= 0))
        return 0;
    return object->Describe(size, out);
}
