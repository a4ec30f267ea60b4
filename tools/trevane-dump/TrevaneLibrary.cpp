#include "tools/trevane-dump/TrevaneLibrary.h"

#include <dlfcn.h>
#include <unistd.h>

#include <climits>
#include <filesystem>

namespace {

std::filesystem::path ProgramDirectory() {
    char path[PATH_MAX];
    const ssize_t n = readlink("/proc/self/exe", path, sizeof path - 1);
    if (n <= 0)
        return ".";
    path[n] = '\0';
    return std::filesystem::path(path).parent_path();
}

template <typename Proc>
bool Bind(void* handle, const char* name, Proc* proc, std::string* error) {
    *proc = reinterpret_cast<Proc>(dlsym(handle, name));
    if (*proc == nullptr)
        *error = std::string("missing export ") + name;
    return *proc != nullptr;
}

}  // namespace

bool LoadTrevane(TrevaneLibrary* library, std::string* error) {
    const std::string path = (ProgramDirectory() / "libTrevane.so").string();
    void* handle = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (handle == nullptr) {
        *error = dlerror();
        return false;
    }
    return Bind(handle, "zInit", &library->init, error) &&
           Bind(handle, "zRelease", &library->release, error) &&
           Bind(handle, "zOpen", &library->open, error) &&
           Bind(handle, "zPlayMSG", &library->playMsg, error) &&
           Bind(handle, "zTellTimeInxHd", &library->tellTimeInxHd, error) &&
           Bind(handle, "zTellTimeInxUnit", &library->tellTimeInxUnit, error) &&
           Bind(handle, "zStartExtract", &library->startExtract, error);
}
