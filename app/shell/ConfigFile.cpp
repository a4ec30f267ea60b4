#include "app/shell/ConfigFile.h"

#include <unistd.h>

#include <filesystem>
#include <system_error>

#include "platform/base/ConfigHome.h"
#include "shared/TextConvert.h"

namespace {

namespace fs = std::filesystem;

// A file can be written when it exists and may be written, or when it does not
// exist and its folder may be written.
bool CanWrite(const fs::path& file) {
    std::error_code error;
    if (fs::exists(file, error))
        return access(file.c_str(), W_OK) == 0;
    return access(file.parent_path().c_str(), W_OK) == 0;
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
