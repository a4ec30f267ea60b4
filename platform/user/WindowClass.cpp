#include "platform/user/WindowClass.h"

#include <cwctype>

#include "platform/user/SystemClasses.h"
#include "platform/user/WindowTable.h"

namespace {

bool SameName(const std::wstring& a, const wchar_t* b) {
    size_t i = 0;
    for (; i < a.size() && b[i] != 0; ++i) {
        if (std::towlower(wint_t(a[i])) != std::towlower(wint_t(b[i])))
            return false;
    }
    return i == a.size() && b[i] == 0;
}

}  // namespace

WindowClassRegistry& WindowClassRegistry::Instance() {
    static WindowClassRegistry* registry = new WindowClassRegistry;
    return *registry;
}

WindowClassRegistry::WindowClassRegistry() {
    for (const WNDCLASSEXW& c : SystemClassDescriptions())
        Register(c);
}

ATOM WindowClassRegistry::Register(const WNDCLASSEXW& d) {
    if (d.lpszClassName == nullptr || IS_INTRESOURCE(d.lpszClassName) || d.lpfnWndProc == nullptr)
        return 0;
    std::lock_guard lock(mutex_);
    if (FindLocked(d.lpszClassName) != nullptr)
        return 0;
    auto c = std::make_shared<WindowClass>();
    c->name = d.lpszClassName;
    c->style = d.style;
    c->proc = d.lpfnWndProc;
    c->windowExtraBytes = d.cbWndExtra;
    c->instance = d.hInstance;
    c->icon = d.hIcon;
    c->cursor = d.hCursor;
    c->background = d.hbrBackground;
    c->atom = nextAtom_++;
    classes_.push_back(c);
    return c->atom;
}

bool WindowClassRegistry::Unregister(const wchar_t* name) {
    std::lock_guard lock(mutex_);
    auto found = FindLocked(name);
    if (found == nullptr)
        return false;
    // Windows already made keep their class alive through their own pointer.
    std::erase(classes_, found);
    return true;
}

std::shared_ptr<const WindowClass> WindowClassRegistry::Find(const wchar_t* nameOrAtom) const {
    std::lock_guard lock(mutex_);
    return FindLocked(nameOrAtom);
}

std::shared_ptr<const WindowClass> WindowClassRegistry::FindLocked(const wchar_t* key) const {
    if (key == nullptr)
        return nullptr;
    for (const auto& c : classes_) {
        if (IS_INTRESOURCE(key) ? c->atom == ATOM(uintptr_t(key)) : SameName(c->name, key))
            return c;
    }
    return nullptr;
}

ATOM RegisterClassEx(const WNDCLASSEXW* description) {
    return description == nullptr ? 0 : WindowClassRegistry::Instance().Register(*description);
}

BOOL UnregisterClass(const wchar_t* name, HINSTANCE) {
    return WindowClassRegistry::Instance().Unregister(name) ? TRUE : FALSE;
}

BOOL GetClassInfoEx(HINSTANCE, const wchar_t* name, WNDCLASSEXW* out) {
    auto c = WindowClassRegistry::Instance().Find(name);
    if (c == nullptr || out == nullptr)
        return FALSE;
    *out = WNDCLASSEXW{sizeof(WNDCLASSEXW), c->style,    c->proc,         0,
                       c->windowExtraBytes, c->instance, c->icon,         c->cursor,
                       c->background,       nullptr,     c->name.c_str(), nullptr};
    return TRUE;
}

int GetClassName(HWND hwnd, wchar_t* buffer, int size) {
    if (buffer == nullptr || size <= 0)
        return 0;
    std::lock_guard lock(UserMutex());
    Window* w = FindWindowLocked(hwnd);
    if (w == nullptr)
        return 0;
    const std::wstring& name = w->windowClass->name;
    const int n = std::min<int>(int(name.size()), size - 1);
    name.copy(buffer, size_t(n));
    buffer[n] = 0;
    return n;
}

ATOM RegisterClass(const WNDCLASSW* d) {
    if (d == nullptr)
        return 0;
    const WNDCLASSEXW ex{sizeof(WNDCLASSEXW), d->style,        d->lpfnWndProc,   d->cbClsExtra,
                         d->cbWndExtra,       d->hInstance,    d->hIcon,         d->hCursor,
                         d->hbrBackground,    d->lpszMenuName, d->lpszClassName, nullptr};
    return RegisterClassEx(&ex);
}

BOOL GetClassInfo(HINSTANCE instance, const wchar_t* name, WNDCLASSW* out) {
    WNDCLASSEXW ex{};
    if (out == nullptr || !GetClassInfoEx(instance, name, &ex))
        return FALSE;
    *out = WNDCLASSW{ex.style, ex.lpfnWndProc, ex.cbClsExtra,    ex.cbWndExtra,   ex.hInstance,
                     ex.hIcon, ex.hCursor,     ex.hbrBackground, ex.lpszMenuName, ex.lpszClassName};
    return TRUE;
}
