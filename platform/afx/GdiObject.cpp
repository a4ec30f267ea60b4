#include "platform/afx/GdiObject.h"

#include <map>
#include <memory>
#include <typeinfo>

IMPLEMENT_DYNAMIC(CGdiObject, CObject)

CGdiObject::~CGdiObject() {
    if (m_bOwned)
        DeleteObject();
}

bool CGdiObject::Attach(HGDIOBJ object) {
    if (object == nullptr)
        return false;
    DeleteObject();
    m_hObject = object;
    return true;
}

HGDIOBJ CGdiObject::Detach() {
    HGDIOBJ h = m_hObject;
    m_hObject = nullptr;
    return h;
}

BOOL CGdiObject::DeleteObject() {
    if (m_hObject == nullptr)
        return FALSE;
    HGDIOBJ h = Detach();
    return ::DeleteObject(h);
}

CGdiObject* CGdiObject::Temporary(HGDIOBJ handle, CGdiObject* (*make)()) {
    if (handle == nullptr)
        return nullptr;
    // Handles are never reused, so a wrapper whose handle died can go.
    thread_local std::map<std::pair<HGDIOBJ, const std::type_info*>, std::unique_ptr<CGdiObject>>
        temporaries;
    std::erase_if(temporaries, [](const auto& e) { return GetObjectType(e.first.first) == 0; });
    std::unique_ptr<CGdiObject> made(make());
    auto key = std::make_pair(handle, &typeid(*made));
    auto it = temporaries.find(key);
    if (it != temporaries.end())
        return it->second.get();
    made->m_hObject = handle;
    made->m_bOwned = false;
    return temporaries.emplace(key, std::move(made)).first->second.get();
}
