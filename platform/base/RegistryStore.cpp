#include "platform/base/RegistryStore.h"

#include <sys/stat.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cwctype>
#include <filesystem>

#include "platform/base/ConfigHome.h"
#include "platform/base/TextFile.h"
#include "shared/TextConvert.h"

namespace {

constexpr DWORD kDword = 4;
constexpr DWORD kString = 1;

// The keys software expects on every machine of the platform.
const wchar_t* const kStandardKeys[] = {
    L"HKEY_CLASSES_ROOT",
    L"HKEY_CURRENT_USER\\Software\\Classes",
    L"HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion",
    L"HKEY_CURRENT_USER\\Software\\Microsoft\\Internet Explorer\\Main\\FeatureControl\\"
    L"FEATURE_BROWSER_EMULATION",
    L"HKEY_LOCAL_MACHINE\\SOFTWARE\\Classes",
    L"HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion",
    L"HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Internet Explorer\\Main\\FeatureControl\\"
    L"FEATURE_BROWSER_EMULATION",
    L"HKEY_LOCAL_MACHINE\\SYSTEM\\CurrentControlSet\\Control",
    L"HKEY_USERS",
};

std::wstring Lower(const std::wstring& s) {
    std::wstring out = s;
    for (wchar_t& c : out)
        c = wchar_t(std::towlower(wint_t(c)));
    return out;
}

std::string Escape(const std::wstring& text) {
    std::string out;
    for (char c : WideToUtf8String(text)) {
        if (c == '\\' || c == '"')
            out += '\\';
        if (c == '\n')
            out += "\\n";
        else if (c == '\r')
            out += "\\r";
        else
            out += c;
    }
    return out;
}

// Reads an escaped text up to the unescaped `end` (or the line's end) from `i`.
std::wstring Unescape(const std::string& line, size_t* i, char end) {
    std::string out;
    for (; *i < line.size() && line[*i] != end; ++*i) {
        char c = line[*i];
        if (c == '\\' && *i + 1 < line.size()) {
            c = line[++*i];
            c = c == 'n' ? '\n' : c == 'r' ? '\r' : c;
        }
        out += c;
    }
    return Utf8ToWideString(out);
}

std::vector<BYTE> StringBytes(const std::wstring& text) {
    std::vector<BYTE> bytes((text.size() + 1) * sizeof(wchar_t), 0);
    std::copy_n(reinterpret_cast<const BYTE*>(text.c_str()), text.size() * sizeof(wchar_t),
                bytes.begin());
    return bytes;
}

std::wstring BytesString(const std::vector<BYTE>& bytes) {
    std::wstring text(bytes.size() / sizeof(wchar_t), L'\0');
    std::copy_n(bytes.begin(), text.size() * sizeof(wchar_t), reinterpret_cast<BYTE*>(text.data()));
    while (!text.empty() && text.back() == 0)
        text.pop_back();
    return text;
}

std::string DataText(const RegistryValue& v) {
    char buffer[16];
    if (v.type == kDword && v.data.size() == 4) {
        DWORD d = 0;
        std::copy_n(v.data.begin(), 4, reinterpret_cast<BYTE*>(&d));
        std::snprintf(buffer, sizeof buffer, "dword:%08x", unsigned(d));
        return buffer;
    }
    if (v.type == kString)
        return "sz:" + Escape(BytesString(v.data));
    std::snprintf(buffer, sizeof buffer, "hex(%x):", unsigned(v.type));
    std::string out = buffer;
    for (size_t i = 0; i < v.data.size(); ++i) {
        std::snprintf(buffer, sizeof buffer, i == 0 ? "%02x" : ",%02x", unsigned(v.data[i]));
        out += buffer;
    }
    return out;
}

bool ParseData(const std::string& text, RegistryValue* v) {
    if (text.rfind("dword:", 0) == 0) {
        const DWORD d = DWORD(std::strtoul(text.c_str() + 6, nullptr, 16));
        v->type = kDword;
        v->data.assign(reinterpret_cast<const BYTE*>(&d), reinterpret_cast<const BYTE*>(&d) + 4);
        return true;
    }
    if (text.rfind("sz:", 0) == 0) {
        size_t i = 3;
        v->type = kString;
        v->data = StringBytes(Unescape(text, &i, '\n'));
        return true;
    }
    unsigned type = 0;
    int used = 0;
    if (std::sscanf(text.c_str(), "hex(%x):%n", &type, &used) < 1 || used == 0)
        return false;
    v->type = type;
    for (size_t i = size_t(used); i + 2 <= text.size(); i += 3)
        v->data.push_back(BYTE(std::strtoul(text.substr(i, 2).c_str(), nullptr, 16)));
    return true;
}

}  // namespace

std::string RegistryStore::FilePath() {
    if (const char* path = std::getenv("DVR_REGISTRY_FILE"); path != nullptr && *path != 0)
        return path;
    return UserConfigHome() + "/dvr/registry";
}

std::wstring RegistryStore::Normalise(const std::wstring& path) {
    std::wstring out;
    size_t start = 0;
    while (start <= path.size()) {
        size_t end = path.find(L'\\', start);
        if (end == std::wstring::npos)
            end = path.size();
        if (end > start)
            out += (out.empty() ? L"" : L"\\") + path.substr(start, end - start);
        start = end + 1;
    }
    return out;
}

bool RegistryStore::Load() {
    keys_.clear();
    changed_ = false;
    const std::string path = FilePath();
    const std::optional<std::string> text = base::ReadWholeFile(path);
    if (!text && errno != ENOENT)
        return false;
    if (!text) {
        std::error_code ignored;
        std::filesystem::create_directories(std::filesystem::path(path).parent_path(), ignored);
        changed_ = true;
    } else {
        Parse(*text);
        changed_ = false;
    }
    AddStandardKeys();
    return Save();
}

bool RegistryStore::Save() {
    if (!changed_)
        return true;
    if (!base::ReplaceWholeFile(FilePath(), Text()))
        return false;
    changed_ = false;
    return true;
}

void RegistryStore::AddStandardKeys() {
    bool made = false;
    for (const wchar_t* key : kStandardKeys) {
        Create(key, &made);
        if (made)
            changed_ = true;
    }
}

RegistryKey* RegistryStore::Find(const std::wstring& path) {
    auto it = keys_.find(Lower(Normalise(path)));
    return it == keys_.end() ? nullptr : &it->second;
}

RegistryKey& RegistryStore::Create(const std::wstring& path, bool* made) {
    const std::wstring normal = Normalise(path);
    *made = false;
    size_t end = 0;
    RegistryKey* key = nullptr;
    while (end != std::wstring::npos) {
        end = normal.find(L'\\', end + 1);
        const std::wstring part = normal.substr(0, end);
        auto [it, inserted] = keys_.try_emplace(Lower(part), RegistryKey{part, {}});
        *made = inserted;
        key = &it->second;
    }
    if (*made)
        changed_ = true;
    return *key;
}

bool RegistryStore::HasSubKeys(const std::wstring& path) const {
    const std::wstring prefix = Lower(Normalise(path)) + L"\\";
    auto it = keys_.lower_bound(prefix);
    return it != keys_.end() && it->first.compare(0, prefix.size(), prefix) == 0;
}

void RegistryStore::Erase(const std::wstring& path) {
    if (keys_.erase(Lower(Normalise(path))) > 0)
        changed_ = true;
}

void RegistryStore::Parse(const std::string& text) {
    RegistryKey* key = nullptr;
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find('\n', start);
        if (end == std::string::npos)
            end = text.size();
        const std::string line = text.substr(start, end - start);
        start = end + 1;
        bool made = false;
        if (line.size() > 2 && line[0] == '[' && line.back() == ']') {
            key = &Create(Utf8ToWideString(line.substr(1, line.size() - 2)), &made);
            continue;
        }
        size_t i = 1;
        RegistryValue value;
        if (key == nullptr || line.empty() || line[0] != '"')
            continue;
        value.name = Unescape(line, &i, '"');
        if (i + 2 < line.size() && line[i + 1] == '=' && ParseData(line.substr(i + 2), &value))
            key->values.push_back(std::move(value));
    }
}

std::string RegistryStore::Text() const {
    std::string out;
    for (const auto& [lower, key] : keys_) {
        out += "[" + WideToUtf8String(key.path) + "]\n";
        for (const RegistryValue& v : key.values)
            out += "\"" + Escape(v.name) + "\"=" + DataText(v) + "\n";
    }
    return out;
}
