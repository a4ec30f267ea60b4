#include "platform/base/Module.h"

#include <dlfcn.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cwchar>

#include "platform/base/LastError.h"
#include "shared/TextConvert.h"

namespace {

bool EndsWithDll(const std::string& name) {
    if (name.size() < 4)
        return false;
    std::string tail = name.substr(name.size() - 4);
    std::transform(tail.begin(), tail.end(), tail.begin(),
                   [](char c) { return char(std::tolower(static_cast<unsigned char>(c))); });
    return tail == ".dll";
}

void* Open(const std::string& path) {
    return ::dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
}

std::string ExecutablePath() {
    std::string path(256, '\0');
    for (;;) {
        const ssize_t n = ::readlink("/proc/self/exe", path.data(), path.size());
        if (n < 0)
            return {};
        if (size_t(n) < path.size()) {
            path.resize(size_t(n));
            return path;
        }
        path.resize(path.size() * 2);
    }
}

}  // namespace

std::string SharedObjectName(const std::string& libraryName) {
    if (!EndsWithDll(libraryName))
        return libraryName;
    const size_t slash = libraryName.rfind('/');
    const size_t start = slash == std::string::npos ? 0 : slash + 1;
    const std::string stem = libraryName.substr(start, libraryName.size() - 4 - start);
    return libraryName.substr(0, start) + "lib" + stem + ".so";
}

std::string ProgramDirectory() {
    const std::string exe = ExecutablePath();
    const size_t slash = exe.rfind('/');
    return slash == std::string::npos ? std::string() : exe.substr(0, std::max<size_t>(slash, 1));
}

HMODULE LoadLibraryW(const wchar_t* fileName) {
    if (fileName == nullptr || *fileName == 0) {
        SetLastError(EINVAL);
        return nullptr;
    }
    const std::string name = SharedObjectName(WideToUtf8String(fileName));
    void* handle = nullptr;
    if (name.find('/') == std::string::npos) {
        const std::string dir = ProgramDirectory();
        if (!dir.empty())
            handle = Open(dir + "/" + name);
    }
    if (handle == nullptr)
        handle = Open(name);
    if (handle == nullptr)
        SetLastError(ENOENT);
    return static_cast<HMODULE>(handle);
}

FARPROC GetProcAddress(HMODULE module, const char* exportName) {
    if (module == nullptr || exportName == nullptr) {
        SetLastError(EINVAL);
        return nullptr;
    }
    void* symbol = ::dlsym(module, exportName);
    if (symbol == nullptr)
        SetLastError(ENOENT);
    return reinterpret_cast<FARPROC>(symbol);
}

BOOL FreeLibrary(HMODULE module) {
    if (module == nullptr) {
        SetLastError(EINVAL);
        return FALSE;
    }
    return ::dlclose(module) == 0 ? TRUE : FALSE;
}

BOOL PathRemoveFileSpecW(wchar_t* path) {
    if (path == nullptr)
        return FALSE;
    wchar_t* slash = std::wcsrchr(path, L'/');
    if (slash == nullptr) {
        const bool removed = *path != 0;
        *path = 0;
        return removed ? TRUE : FALSE;
    }
    wchar_t* end = slash == path ? slash + 1 : slash;  // the root keeps its '/'
    const bool removed = *end != 0;
    *end = 0;
    return removed ? TRUE : FALSE;
}

DWORD GetModuleFileNameW(HMODULE module, wchar_t* buffer, DWORD size) {
    const std::string exe = ExecutablePath();
    if (module != nullptr || buffer == nullptr || size == 0 || exe.empty()) {
        SetLastError(module != nullptr || buffer == nullptr ? EINVAL : ENOENT);
        return 0;
    }
    const std::wstring path = Utf8ToWideString(exe);
    if (path.size() < size) {
        path.copy(buffer, path.size());
        buffer[path.size()] = 0;
        return DWORD(path.size());
    }
    path.copy(buffer, size - 1);
    buffer[size - 1] = 0;
    SetLastError(ENAMETOOLONG);
    return size;
}
