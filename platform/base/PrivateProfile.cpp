#include "platform/base/PrivateProfile.h"

#include <cerrno>
#include <cwchar>
#include <cwctype>
#include <mutex>
#include <vector>

#include "platform/base/IniFile.h"
#include "platform/base/LastError.h"
#include "platform/base/TextFile.h"
#include "shared/TextConvert.h"

namespace {

// Serialises every profile access of the process: a write reads, changes and
// rewrites the file, and must not interleave with another.
std::mutex& ProfileMutex() {
    static std::mutex mutex;
    return mutex;
}

IniFile Load(const std::string& path) {
    return IniFile(base::ReadWholeFile(path).value_or(std::string()));
}

DWORD CopyValue(const std::wstring& value, wchar_t* buffer, DWORD size) {
    const size_t n = std::min<size_t>(value.size(), size - 1);
    value.copy(buffer, n);
    buffer[n] = 0;
    return DWORD(n);
}

// Names one after another, each ended by a null, and a final null.
DWORD CopyList(const std::vector<std::wstring>& names, wchar_t* buffer, DWORD size) {
    std::wstring all;
    for (const std::wstring& name : names)
        all += name + L'\0';
    if (all.size() + 1 <= size) {
        all.copy(buffer, all.size());
        buffer[all.size()] = 0;
        return DWORD(all.size());
    }
    if (size < 2) {
        buffer[0] = 0;
        return 0;
    }
    all.copy(buffer, size - 2);
    buffer[size - 2] = 0;
    buffer[size - 1] = 0;
    return size - 2;
}

std::wstring TrimmedDefault(const wchar_t* value) {
    std::wstring text = value != nullptr ? value : L"";
    while (!text.empty() && std::iswspace(wint_t(text.back())))
        text.pop_back();
    return text;
}

UINT ParseLeadingInt(const std::wstring& text) {
    size_t i = 0;
    while (i < text.size() && std::iswspace(wint_t(text[i])))
        ++i;
    const bool negative = i < text.size() && text[i] == L'-';
    if (i < text.size() && (text[i] == L'-' || text[i] == L'+'))
        ++i;
    const bool hex =
        i + 1 < text.size() && text[i] == L'0' && (text[i + 1] == L'x' || text[i + 1] == L'X');
    if (hex)
        i += 2;
    UINT value = 0;
    for (; i < text.size(); ++i) {
        const wchar_t c = text[i];
        int digit = -1;
        if (c >= L'0' && c <= L'9')
            digit = c - L'0';
        else if (hex && std::iswxdigit(wint_t(c)))
            digit = int(std::towlower(wint_t(c)) - L'a' + 10);
        if (digit < 0)
            break;
        value = value * (hex ? 16u : 10u) + UINT(digit);
    }
    return negative ? UINT(0u - value) : value;
}

// A name or value holding a line break would end its line and start keys or
// sections of its own when the file is read back.
bool BreaksALine(const wchar_t* text) {
    return text != nullptr && std::wcspbrk(text, L"\r\n") != nullptr;
}

}  // namespace

DWORD GetPrivateProfileStringW(const wchar_t* section, const wchar_t* key,
                               const wchar_t* defaultValue, wchar_t* buffer, DWORD size,
                               const wchar_t* fileName) {
    if (buffer == nullptr || size == 0)
        return 0;
    if (fileName == nullptr) {
        SetLastError(EINVAL);
        buffer[0] = 0;
        return 0;
    }
    std::lock_guard lock(ProfileMutex());
    const IniFile ini = Load(WideToUtf8String(fileName));
    if (section == nullptr)
        return CopyList(ini.SectionNames(), buffer, size);
    if (key == nullptr)
        return CopyList(ini.KeyNames(section), buffer, size);
    return CopyValue(ini.Value(section, key).value_or(TrimmedDefault(defaultValue)), buffer, size);
}

UINT GetPrivateProfileIntW(const wchar_t* section, const wchar_t* key, int defaultValue,
                           const wchar_t* fileName) {
    if (section == nullptr || key == nullptr || fileName == nullptr)
        return UINT(defaultValue);
    std::lock_guard lock(ProfileMutex());
    const std::optional<std::wstring> value = Load(WideToUtf8String(fileName)).Value(section, key);
    return value ? ParseLeadingInt(*value) : UINT(defaultValue);
}

BOOL WritePrivateProfileStringW(const wchar_t* section, const wchar_t* key, const wchar_t* value,
                                const wchar_t* fileName) {
    if (section == nullptr || fileName == nullptr || BreaksALine(section) || BreaksALine(key) ||
        BreaksALine(value)) {
        SetLastError(EINVAL);
        return FALSE;
    }
    const std::string path = WideToUtf8String(fileName);
    std::lock_guard lock(ProfileMutex());
    const std::optional<std::string> text = base::ReadWholeFile(path);
    if (!text && errno != ENOENT) {
        // The file is there but cannot be read: rewriting it from nothing
        // would throw away every other key.
        SetLastError(errno);
        return FALSE;
    }
    const bool deleting = key == nullptr || value == nullptr;
    if (deleting && !text)
        return TRUE;  // nothing to delete, and no file is made for it
    IniFile ini(text.value_or(std::string()));
    if (key == nullptr)
        ini.DeleteSection(section);
    else if (value == nullptr)
        ini.DeleteKey(section, key);
    else
        ini.SetValue(section, key, value);
    return base::ReplaceWholeFile(path, ini.Text()) ? TRUE : FALSE;
}
