// Inside platform/base: the registry as a file. Keys are paths below the
// root names (HKEY_LOCAL_MACHINE\SOFTWARE\...), compared without case and
// kept in their first spelling; each key holds named values of a type and raw
// bytes, in the order they were made.
//
// The file is UTF-8 text, one key per "[path]" line followed by its values:
//   "name"=dword:00002710   "name"=sz:text   "name"=hex(3):01,ff
// (names and texts escape \ " and line breaks with a backslash). It lives at
// $DVR_REGISTRY_FILE when that is set, else at
// $XDG_CONFIG_HOME/dvr/registry (default $HOME/.config/dvr/registry).
// A store always holds the keys every machine of the platform has; a new file
// is made with them, with its directory.
#pragma once

#include <map>
#include <string>
#include <vector>

#include "platform/base/WinTypes.h"

struct RegistryValue {
    std::wstring name;
    DWORD type = 0;
    std::vector<BYTE> data;
};

struct RegistryKey {
    std::wstring path;  // as first spelled
    std::vector<RegistryValue> values;
};

class RegistryStore {
public:
    // Reads the store (made with the standard keys when it is missing). False
    // with errno when the file can be neither read nor made.
    bool Load();
    // Writes the store back if anything changed since Load.
    bool Save();

    static std::string FilePath();
    static std::wstring Normalise(const std::wstring& path);

    // Null when missing.
    RegistryKey* Find(const std::wstring& path);
    // Makes the key and the keys above it; `made` tells whether it was new.
    RegistryKey& Create(const std::wstring& path, bool* made);
    bool HasSubKeys(const std::wstring& path) const;
    void Erase(const std::wstring& path);
    void Touch() { changed_ = true; }

private:
    void Parse(const std::string& text);
    std::string Text() const;
    void AddStandardKeys();

    std::map<std::wstring, RegistryKey> keys_;  // by lower-case path
    bool changed_ = false;
};
