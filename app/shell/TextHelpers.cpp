#include "app/shell/TextHelpers.h"

#include <sys/stat.h>

#include <cerrno>
#include <string>

namespace {

// The path as UTF-8 with one trailing '/' cut (the root stays "/").
std::string DirectoryPathOf(const wchar_t* path) {
    std::string utf8 = WideToUtf8String(path);
    if (utf8.size() > 1 && utf8.back() == '/')
        utf8.pop_back();
    return utf8;
}

bool IsDirectory(const std::string& utf8) {
    struct stat st {};
    return !utf8.empty() && stat(utf8.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

}  // namespace

wchar_t* AnsiToWide(const char* ansi) {
    return Utf8ToWide(ansi);
}

char* StringToUtf8(CString text) {
    return WideToUtf8(text.GetString());
}

bool DirectoryExists(const wchar_t* path) {
    return path != nullptr && IsDirectory(DirectoryPathOf(path));
}

bool CreateDirectoryPath(const wchar_t* path) {
    if (path == nullptr)
        return false;
    if (DirectoryExists(path))
        return true;
    const std::string whole = DirectoryPathOf(path);
    for (std::size_t slash = whole.find('/', 1); slash != std::string::npos;
         slash = whole.find('/', slash + 1)) {
        mkdir(whole.substr(0, slash).c_str(), 0777);
    }
    mkdir(whole.c_str(), 0777);
    return IsDirectory(whole);
}
