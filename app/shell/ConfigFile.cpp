#include "app/shell/ConfigFile.h"

#include <stdlib.h>
#include <unistd.h>

#include <filesystem>
#include <system_error>

#include "platform/base/ConfigHome.h"
#include "shared/TextConvert.h"

namespace {

namespace fs = std::filesystem;

// Whether a new file can really be made in `folder`: settings are written to
// a temporary file there that is then renamed over the old one, so the folder
// must take files (permission bits alone do not say so for every user or
// file system).
bool FolderTakesFiles(const fs::path& folder) {
    std::string probe = (folder / ".AppConfig.ini.XXXXXX").string();
    const int fd = ::mkstemp(probe.data());
    if (fd < 0)
        return false;
    ::close(fd);
    ::unlink(probe.c_str());
    return true;
}

// A settings file can be written when its folder takes files and, when it
// exists, it is a regular file that can be read and written (every write
// reads it first and keeps what it does not change).
bool CanWrite(const fs::path& file) {
    std::error_code error;
    if (fs::exists(file, error)) {
        if (!fs::is_regular_file(file, error) || ::access(file.c_str(), R_OK | W_OK) != 0)
            return false;
    }
    return FolderTakesFiles(file.parent_path());
}

// Makes the user's copy from the shipped one unless it exists; false when
// neither is there afterwards.
bool MakeUserCopy(const fs::path& shipped, const fs::path& user) {
    std::error_code error;
    if (fs::exists(user, error))
        return true;
    fs::create_directories(user.parent_path(), error);
    if (fs::exists(shipped, error))
        return fs::copy_file(shipped, user, error);
    return CanWrite(user);
}

}  // namespace

std::wstring ConfigFilePath(const std::wstring& programDir) {
    const fs::path shipped = fs::path(WideToUtf8String(programDir)) / "config" / "AppConfig.ini";
    if (CanWrite(shipped))
        return Utf8ToWideString(shipped.string());
    const fs::path user = fs::path(UserConfigHome()) / "marlowin" / "AppConfig.ini";
    if (!MakeUserCopy(shipped, user))
        return Utf8ToWideString(shipped.string());
    return Utf8ToWideString(user.string());
}
