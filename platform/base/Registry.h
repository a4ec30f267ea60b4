// The registry functions over the file store of RegistryStore.h. Results are
// the platform's error codes (ERROR_SUCCESS, ERROR_FILE_NOT_FOUND...), not
// errno numbers. Any thread: one lock of Registry.cpp guards the open keys
// and the store; each call reads the store file afresh and writes it back
// when it changed something. A store that can be neither read nor made fails
// every call with ERROR_REGISTRY_IO_FAILED.
#pragma once

#include "platform/base/WinTypes.h"

struct HKEY__;
using HKEY = HKEY__*;
using REGSAM = DWORD;

inline const HKEY HKEY_CLASSES_ROOT = reinterpret_cast<HKEY>(uintptr_t(0x80000000u));
inline const HKEY HKEY_CURRENT_USER = reinterpret_cast<HKEY>(uintptr_t(0x80000001u));
inline const HKEY HKEY_LOCAL_MACHINE = reinterpret_cast<HKEY>(uintptr_t(0x80000002u));
inline const HKEY HKEY_USERS = reinterpret_cast<HKEY>(uintptr_t(0x80000003u));

inline constexpr LONG ERROR_SUCCESS = 0;
inline constexpr LONG ERROR_FILE_NOT_FOUND = 2;
inline constexpr LONG ERROR_ACCESS_DENIED = 5;
inline constexpr LONG ERROR_INVALID_HANDLE = 6;
inline constexpr LONG ERROR_INVALID_PARAMETER = 87;
inline constexpr LONG ERROR_MORE_DATA = 234;
inline constexpr LONG ERROR_REGISTRY_IO_FAILED = 1016;
inline constexpr LONG ERROR_KEY_HAS_CHILDREN = 1020;

inline constexpr REGSAM KEY_QUERY_VALUE = 0x0001;
inline constexpr REGSAM KEY_SET_VALUE = 0x0002;
inline constexpr REGSAM KEY_CREATE_SUB_KEY = 0x0004;
inline constexpr REGSAM KEY_ENUMERATE_SUB_KEYS = 0x0008;
inline constexpr REGSAM KEY_NOTIFY = 0x0010;
inline constexpr REGSAM KEY_READ = 0x20019;
inline constexpr REGSAM KEY_WRITE = 0x20006;
inline constexpr REGSAM KEY_ALL_ACCESS = 0xF003F;

inline constexpr DWORD REG_NONE = 0;
inline constexpr DWORD REG_SZ = 1;
inline constexpr DWORD REG_EXPAND_SZ = 2;
inline constexpr DWORD REG_BINARY = 3;
inline constexpr DWORD REG_DWORD = 4;
inline constexpr DWORD REG_QWORD = 11;

inline constexpr DWORD REG_OPTION_NON_VOLATILE = 0;
inline constexpr DWORD REG_CREATED_NEW_KEY = 1;
inline constexpr DWORD REG_OPENED_EXISTING_KEY = 2;

// Opens an existing key (never makes one). The access decides what the
// handle may do: values are read with KEY_QUERY_VALUE and set or deleted with
// KEY_SET_VALUE, else ERROR_ACCESS_DENIED.
LONG RegOpenKeyExW(HKEY key, const wchar_t* subKey, DWORD options, REGSAM access, HKEY* result);
// Opens the key, making it and the keys above it when missing; `disposition`
// (optional) says which. `className` and `security` are not used.
LONG RegCreateKeyExW(HKEY key, const wchar_t* subKey, DWORD reserved, wchar_t* className,
                     DWORD options, REGSAM access, const void* security, HKEY* result,
                     DWORD* disposition);
LONG RegCloseKey(HKEY key);
// `type`, `data` and `size` are optional; without `data` only the size is
// told. A buffer too small gives ERROR_MORE_DATA and the size needed. Texts
// (REG_SZ) are wchar_t arrays with their terminator.
LONG RegQueryValueExW(HKEY key, const wchar_t* name, DWORD* reserved, DWORD* type, BYTE* data,
                      DWORD* size);
LONG RegSetValueExW(HKEY key, const wchar_t* name, DWORD reserved, DWORD type, const BYTE* data,
                    DWORD size);
LONG RegDeleteValueW(HKEY key, const wchar_t* name);
// Deletes a key without sub-keys (ERROR_KEY_HAS_CHILDREN otherwise).
LONG RegDeleteKeyW(HKEY key, const wchar_t* subKey);
