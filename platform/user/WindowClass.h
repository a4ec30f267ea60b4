// Window classes: registered by name (compared without case), looked up by
// CreateWindowEx. The system classes (dialog, button, static) are registered on
// first use of the registry, so they exist before any window is made.
#pragma once

#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "platform/user/UserTypes.h"

class WindowClass {
public:
    std::wstring name;
    UINT style = 0;
    WNDPROC proc = nullptr;
    int windowExtraBytes = 0;
    HINSTANCE instance = nullptr;
    HICON icon = nullptr;
    HCURSOR cursor = nullptr;
    HBRUSH background = nullptr;
    ATOM atom = 0;
};

// Any thread. Guarded by a lock of its own.
class WindowClassRegistry {
public:
    static WindowClassRegistry& Instance();

    ATOM Register(const WNDCLASSEXW& description);
    bool Unregister(const wchar_t* name);
    // By name or by atom (MAKEINTRESOURCEW); null when unknown.
    std::shared_ptr<const WindowClass> Find(const wchar_t* nameOrAtom) const;

private:
    WindowClassRegistry();
    std::shared_ptr<const WindowClass> FindLocked(const wchar_t* nameOrAtom) const;

    mutable std::mutex mutex_;
    std::vector<std::shared_ptr<const WindowClass>> classes_;
    ATOM nextAtom_ = 0xC000;
};

ATOM RegisterClassEx(const WNDCLASSEXW* description);
BOOL UnregisterClass(const wchar_t* name, HINSTANCE instance);
BOOL GetClassInfoEx(HINSTANCE instance, const wchar_t* name, WNDCLASSEXW* out);
ATOM RegisterClass(const WNDCLASSW* description);
BOOL GetClassInfo(HINSTANCE instance, const wchar_t* name, WNDCLASSW* out);
int GetClassName(HWND hwnd, wchar_t* buffer, int size);
