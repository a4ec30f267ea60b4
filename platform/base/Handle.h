// Kernel objects (files, threads, events) behind one handle type. Every live
// object is registered, so a stale or foreign handle is a harmless no-op:
// CloseHandle on it returns FALSE and touches nothing. An object stays alive
// while a caller uses it (a wait, say), even when its handle is closed meanwhile.
#pragma once

#include <memory>

#include "platform/base/WinTypes.h"

class KernelObject {
public:
    KernelObject() = default;
    KernelObject(const KernelObject&) = delete;
    KernelObject& operator=(const KernelObject&) = delete;
    virtual ~KernelObject() = default;
};

using HANDLE = KernelObject*;
inline const HANDLE INVALID_HANDLE_VALUE = reinterpret_cast<HANDLE>(intptr_t(-1));

// Registers a new object and returns its handle.
HANDLE RegisterHandle(std::shared_ptr<KernelObject> object);

// The object of a live handle, or null for a stale handle or another type.
std::shared_ptr<KernelObject> LookUpHandle(HANDLE handle);

template <typename T>
std::shared_ptr<T> LookUpHandleAs(HANDLE handle) {
    return std::dynamic_pointer_cast<T>(LookUpHandle(handle));
}

// Forgets the handle; its object goes when its last user lets go. FALSE for a
// stale handle.
BOOL CloseHandle(HANDLE handle);
