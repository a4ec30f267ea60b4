#include "platform/base/Registry.h"

#include <algorithm>
#include <cwctype>
#include <map>
#include <mutex>
#include <optional>
#include <string>

#include "platform/base/RegistryStore.h"

namespace {

struct OpenKey {
    std::wstring path;
    REGSAM access;
};

// Guards the open keys and every use of the store file.
std::mutex g_mutex;
std::map<uintptr_t, OpenKey> g_open;  // by handle value
uintptr_t g_nextHandle = 0x1000;

const wchar_t* RootName(HKEY key) {
    if (key == HKEY_CLASSES_ROOT)
        return L"HKEY_CLASSES_ROOT";
    if (key == HKEY_CURRENT_USER)
        return L"HKEY_CURRENT_USER";
    if (key == HKEY_LOCAL_MACHINE)
        return L"HKEY_LOCAL_MACHINE";
    if (key == HKEY_USERS)
        return L"HKEY_USERS";
    return nullptr;
}

// The path and access a handle stands for; roots may do anything.
std::optional<OpenKey> Resolve(HKEY key) {
    if (const wchar_t* root = RootName(key))
        return OpenKey{root, KEY_ALL_ACCESS};
    auto it = g_open.find(uintptr_t(key));
    if (it == g_open.end())
        return std::nullopt;
    return it->second;
}

std::wstring Join(const std::wstring& path, const wchar_t* subKey) {
    return subKey != nullptr && *subKey != 0 ? path + L"\\" + subKey : path;
}

HKEY NewHandle(const std::wstring& path, REGSAM access) {
    const uintptr_t value = g_nextHandle;
    g_nextHandle += 4;
    g_open[value] = OpenKey{RegistryStore::Normalise(path), access};
    return reinterpret_cast<HKEY>(value);
}

// Runs `action` on the loaded store and saves what it changed.
template <typename Action>
LONG WithStore(Action action) {
    RegistryStore store;
    if (!store.Load())
        return ERROR_REGISTRY_IO_FAILED;
    const LONG result = action(store);
    if (result == ERROR_SUCCESS && !store.Save())
        return ERROR_REGISTRY_IO_FAILED;
    return result;
}

// Runs `action` on the loaded store for an open key that grants `access`,
// under the registry lock.
template <typename Action>
LONG WithOpenKey(HKEY key, REGSAM access, Action action) {
    std::lock_guard lock(g_mutex);
    const std::optional<OpenKey> open = Resolve(key);
    if (!open)
        return ERROR_INVALID_HANDLE;
    if ((open->access & access) == 0)
        return ERROR_ACCESS_DENIED;
    return WithStore([&](RegistryStore& store) { return action(store, open->path); });
}

RegistryValue* FindValue(RegistryKey& key, const wchar_t* name) {
    const std::wstring wanted = name != nullptr ? name : L"";
    auto it = std::find_if(key.values.begin(), key.values.end(), [&](const RegistryValue& v) {
        return v.name.size() == wanted.size() &&
               std::equal(v.name.begin(), v.name.end(), wanted.begin(), [](wchar_t a, wchar_t b) {
                   return std::towlower(wint_t(a)) == std::towlower(wint_t(b));
               });
    });
    return it == key.values.end() ? nullptr : &*it;
}

}  // namespace

LONG RegOpenKeyExW(HKEY key, const wchar_t* subKey, DWORD, REGSAM access, HKEY* result) {
    if (result == nullptr)
        return ERROR_INVALID_PARAMETER;
    *result = nullptr;
    std::lock_guard lock(g_mutex);
    const std::optional<OpenKey> base = Resolve(key);
    if (!base)
        return ERROR_INVALID_HANDLE;
    const std::wstring path = Join(base->path, subKey);
    return WithStore([&](RegistryStore& store) {
        if (store.Find(path) == nullptr)
            return ERROR_FILE_NOT_FOUND;
        *result = NewHandle(path, access);
        return ERROR_SUCCESS;
    });
}

LONG RegCreateKeyExW(HKEY key, const wchar_t* subKey, DWORD, wchar_t*, DWORD, REGSAM access,
                     const void*, HKEY* result, DWORD* disposition) {
    if (result == nullptr)
        return ERROR_INVALID_PARAMETER;
    *result = nullptr;
    std::lock_guard lock(g_mutex);
    const std::optional<OpenKey> base = Resolve(key);
    if (!base)
        return ERROR_INVALID_HANDLE;
    const std::wstring path = Join(base->path, subKey);
    HKEY made = nullptr;
    const LONG status = WithStore([&](RegistryStore& store) {
        bool isNew = false;
        store.Create(path, &isNew);
        if (disposition != nullptr)
            *disposition = isNew ? REG_CREATED_NEW_KEY : REG_OPENED_EXISTING_KEY;
        return ERROR_SUCCESS;
    });
    if (status == ERROR_SUCCESS)
        made = NewHandle(path, access);
    *result = made;
    return status;
}

LONG RegCloseKey(HKEY key) {
    std::lock_guard lock(g_mutex);
    if (RootName(key) != nullptr)
        return ERROR_SUCCESS;
    return g_open.erase(uintptr_t(key)) > 0 ? ERROR_SUCCESS : ERROR_INVALID_HANDLE;
}

LONG RegQueryValueExW(HKEY key, const wchar_t* name, DWORD*, DWORD* type, BYTE* data, DWORD* size) {
    if (data != nullptr && size == nullptr)
        return ERROR_INVALID_PARAMETER;
    return WithOpenKey(key, KEY_QUERY_VALUE, [&](RegistryStore& store, const std::wstring& path) {
        RegistryKey* k = store.Find(path);
        RegistryValue* v = k != nullptr ? FindValue(*k, name) : nullptr;
        if (v == nullptr)
            return ERROR_FILE_NOT_FOUND;
        if (type != nullptr)
            *type = v->type;
        const DWORD needed = DWORD(v->data.size());
        const DWORD room = size != nullptr ? *size : 0;
        if (size != nullptr)
            *size = needed;
        if (data == nullptr)
            return ERROR_SUCCESS;
        if (room < needed)
            return ERROR_MORE_DATA;
        std::copy(v->data.begin(), v->data.end(), data);
        return ERROR_SUCCESS;
    });
}

LONG RegSetValueExW(HKEY key, const wchar_t* name, DWORD, DWORD type, const BYTE* data,
                    DWORD size) {
    if (data == nullptr && size != 0)
        return ERROR_INVALID_PARAMETER;
    return WithOpenKey(key, KEY_SET_VALUE, [&](RegistryStore& store, const std::wstring& path) {
        RegistryKey* k = store.Find(path);
        if (k == nullptr)
            return ERROR_FILE_NOT_FOUND;  // deleted since it was opened
        RegistryValue* v = FindValue(*k, name);
        if (v == nullptr) {
            k->values.push_back(RegistryValue{name != nullptr ? name : L"", type, {}});
            v = &k->values.back();
        }
        v->type = type;
        v->data.assign(data, data + size);
        store.Touch();
        return ERROR_SUCCESS;
    });
}

LONG RegDeleteValueW(HKEY key, const wchar_t* name) {
    return WithOpenKey(key, KEY_SET_VALUE, [&](RegistryStore& store, const std::wstring& path) {
        RegistryKey* k = store.Find(path);
        RegistryValue* v = k != nullptr ? FindValue(*k, name) : nullptr;
        if (v == nullptr)
            return ERROR_FILE_NOT_FOUND;
        k->values.erase(k->values.begin() + (v - k->values.data()));
        store.Touch();
        return ERROR_SUCCESS;
    });
}

LONG RegDeleteKeyW(HKEY key, const wchar_t* subKey) {
    if (subKey == nullptr || *subKey == 0)
        return ERROR_INVALID_PARAMETER;
    std::lock_guard lock(g_mutex);
    const std::optional<OpenKey> base = Resolve(key);
    if (!base)
        return ERROR_INVALID_HANDLE;
    const std::wstring path = Join(base->path, subKey);
    return WithStore([&](RegistryStore& store) {
        if (store.Find(path) == nullptr)
            return ERROR_FILE_NOT_FOUND;
        if (store.HasSubKeys(path))
            return ERROR_KEY_HAS_CHILDREN;
        store.Erase(path);
        return ERROR_SUCCESS;
    });
}
