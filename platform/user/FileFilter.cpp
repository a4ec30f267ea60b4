#include "platform/user/FileFilter.h"

#include <cwctype>

namespace {

wchar_t Fold(wchar_t c) {
    return wchar_t(std::towlower(wint_t(c)));
}

bool Match(const wchar_t* name, const wchar_t* pattern) {
    if (*pattern == 0)
        return *name == 0;
    if (*pattern == L'*') {
        for (const wchar_t* n = name;; ++n) {
            if (Match(n, pattern + 1))
                return true;
            if (*n == 0)
                return false;
        }
    }
    if (*name == 0)
        return false;
    if (*pattern != L'?' && Fold(*pattern) != Fold(*name))
        return false;
    return Match(name + 1, pattern + 1);
}

}  // namespace

std::vector<FileFilter> ParseFilterList(const wchar_t* list) {
    std::vector<FileFilter> filters;
    if (list == nullptr)
        return filters;
    while (*list != 0) {
        std::wstring description = list;
        list += description.size() + 1;
        if (*list == 0)
            break;
        std::wstring patterns = list;
        list += patterns.size() + 1;
        filters.push_back(FileFilter{std::move(description), std::move(patterns)});
    }
    return filters;
}

bool MatchesPatterns(const std::wstring& name, const std::wstring& patterns) {
    size_t start = 0;
    while (start <= patterns.size()) {
        size_t end = patterns.find(L';', start);
        if (end == std::wstring::npos)
            end = patterns.size();
        std::wstring one = patterns.substr(start, end - start);
        while (!one.empty() && one.front() == L' ')
            one.erase(0, 1);
        if (one == L"*.*" || (!one.empty() && Match(name.c_str(), one.c_str())))
            return true;
        start = end + 1;
    }
    return false;
}

bool HasWildcard(const std::wstring& text) {
    return text.find_first_of(L"*?") != std::wstring::npos;
}
