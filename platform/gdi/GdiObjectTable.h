// Inside platform/gdi: the base of every GDI object and the table that maps
// handles to them. The table is guarded by its own mutex; objects are shared
// so that a context keeps what it has selected alive after DeleteObject.
#pragma once

#include <memory>

#include "platform/gdi/GdiTypes.h"

class GdiObject {
public:
    GdiObject() = default;
    GdiObject(const GdiObject&) = delete;
    GdiObject& operator=(const GdiObject&) = delete;
    virtual ~GdiObject() = default;

    virtual DWORD Type() const = 0;
    // GetObject's answer: bytes written to `out` (at most `size`), or the
    // size needed when `out` is null; 0 when the kind has no description.
    virtual int Describe(int size, void* out) const = 0;
};

// Registers an object under a new handle, never used before.
HGDIOBJ RegisterGdiObject(std::shared_ptr<GdiObject> object);
// A stock object: DeleteObject leaves it in the table.
HGDIOBJ RegisterStockObject(std::shared_ptr<GdiObject> object);

std::shared_ptr<GdiObject> LookUpGdiObject(HGDIOBJ handle);

template <typename T>
std::shared_ptr<T> LookUpGdiObjectAs(const void* handle) {
    return std::dynamic_pointer_cast<T>(LookUpGdiObject(const_cast<void*>(handle)));
}

// Drops a handle; FALSE when it is stale. Stock handles stay (TRUE).
BOOL ForgetGdiObject(HGDIOBJ handle);

// The handle an object is registered under, null when none.
HGDIOBJ HandleOfGdiObject(const GdiObject* object);
