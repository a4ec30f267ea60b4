#include "platform/user/FolderListing.h"

#include <algorithm>
#include <cwctype>
#include <filesystem>
#include <system_error>

#include "shared/TextConvert.h"

namespace fs = std::filesystem;

namespace {

// Paths cross into the file system as UTF-8 whatever the locale says.
fs::path Native(const std::wstring& path) {
    return fs::path(WideToUtf8String(path));
}

std::wstring Wide(const fs::path& path) {
    return Utf8ToWideString(path.string());
}

bool LessWithoutCase(const std::wstring& a, const std::wstring& b) {
    return std::lexicographical_compare(
        a.begin(), a.end(), b.begin(), b.end(),
        [](wchar_t x, wchar_t y) { return std::towlower(wint_t(x)) < std::towlower(wint_t(y)); });
}

}  // namespace

std::vector<FolderEntry> ListFolder(const std::wstring& folder) {
    std::vector<FolderEntry> entries;
    std::error_code error;
    for (fs::directory_iterator it(Native(folder), error), end; !error && it != end;
         it.increment(error)) {
        const std::wstring name = Wide(it->path().filename());
        if (name.empty() || name[0] == L'.')
            continue;
        std::error_code ignored;
        entries.push_back(FolderEntry{name, it->is_directory(ignored)});
    }
    std::sort(entries.begin(), entries.end(), [](const FolderEntry& a, const FolderEntry& b) {
        if (a.isFolder != b.isFolder)
            return a.isFolder;
        return LessWithoutCase(a.name, b.name);
    });
    return entries;
}

std::wstring JoinPath(const std::wstring& folder, const std::wstring& name) {
    const fs::path joined =
        !name.empty() && name[0] == L'/' ? Native(name) : Native(folder) / Native(name);
    std::wstring normal = Wide(joined.lexically_normal());
    while (normal.size() > 1 && normal.back() == L'/')
        normal.pop_back();
    return normal;
}

std::wstring ParentFolder(const std::wstring& path) {
    return JoinPath(path, L"..");
}

bool IsFolder(const std::wstring& path) {
    std::error_code ignored;
    return fs::is_directory(Native(path), ignored);
}

bool Exists(const std::wstring& path) {
    std::error_code ignored;
    return fs::exists(Native(path), ignored);
}

std::wstring CurrentFolder() {
    std::error_code error;
    const fs::path here = fs::current_path(error);
    return error ? std::wstring(L"/") : Wide(here);
}

std::wstring ListLine(const FolderEntry& entry) {
    return entry.isFolder ? L"[" + entry.name + L"]" : entry.name;
}
