// The framework's GDI object: owns one handle of platform/gdi and deletes it
// when destroyed (or when DeleteObject is called). Wrappers made by FromHandle
// around handles the caller owns delete nothing.
#pragma once

#include "platform/afx/Object.h"
#include "platform/gdi/Gdi.h"

class CGdiObject : public CObject {
public:
    CGdiObject() = default;
    ~CGdiObject() override;
    CGdiObject(const CGdiObject&) = delete;
    CGdiObject& operator=(const CGdiObject&) = delete;

    HGDIOBJ m_hObject = nullptr;

    HGDIOBJ GetSafeHandle() const { return m_hObject; }
    operator HGDIOBJ() const { return m_hObject; }
    bool Attach(HGDIOBJ object);
    HGDIOBJ Detach();
    // Deletes the owned handle; FALSE when there is none.
    BOOL DeleteObject();
    int GetObject(int size, void* out) const { return ::GetObject(m_hObject, size, out); }

    // A wrapper around a handle someone else owns (it deletes nothing), kept
    // per thread while the handle lives. Null for a null handle.
    template <typename T>
    static T* FromHandle(HGDIOBJ handle);

protected:
    bool m_bOwned = true;

    DECLARE_DYNAMIC(CGdiObject)

private:
    static CGdiObject* Temporary(HGDIOBJ handle, CGdiObject* (*make)());
};

template <typename T>
T* CGdiObject::FromHandle(HGDIOBJ handle) {
    return static_cast<T*>(Temporary(handle, [] { return static_cast<CGdiObject*>(new T); }));
}
