#include "platform/base/MoveFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <string>

#include "platform/base/LastError.h"
#include "shared/TextConvert.h"

namespace {

bool CopyBytes(int from, int to) {
    char buffer[65536];
    for (;;) {
        ssize_t n = ::read(from, buffer, sizeof buffer);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return n == 0;
        for (ssize_t done = 0; done < n;) {
            const ssize_t w = ::write(to, buffer + done, size_t(n - done));
            if (w < 0 && errno != EINTR)
                return false;
            done += w > 0 ? w : 0;
        }
    }
}

// Copies `from` into a new temporary file beside `to`, then links it under
// `to`, which fails when `to` has appeared meanwhile.
bool CopyAcross(const char* from, const char* to, const struct stat& st) {
    const int in = ::open(from, O_RDONLY | O_CLOEXEC);
    if (in < 0)
        return false;
    std::string temp = std::string(to) + ".XXXXXX";
    const int out = ::mkstemp(temp.data());
    if (out < 0) {
        const int error = errno;
        ::close(in);
        errno = error;
        return false;
    }
    const struct timespec times[2] = {st.st_atim, st.st_mtim};
    bool ok = CopyBytes(in, out) && ::fchmod(out, st.st_mode & 07777) == 0 &&
              ::futimens(out, times) == 0 && ::fsync(out) == 0;
    int error = errno;
    ::close(in);
    ::close(out);
    if (ok && ::link(temp.c_str(), to) != 0) {
        ok = false;
        error = errno;
    }
    ::unlink(temp.c_str());
    errno = error;
    return ok;
}

// A file to another file system: copied whole, then the original goes.
BOOL MoveAcross(const char* existing, const char* target, const struct stat& st) {
    if (!S_ISREG(st.st_mode)) {
        SetLastError(EXDEV);
        return FALSE;
    }
    if (::access(target, F_OK) == 0) {
        SetLastError(EEXIST);
        return FALSE;
    }
    if (!CopyAcross(existing, target, st))
        return FALSE;
    if (::unlink(existing) != 0) {
        const int error = errno;
        ::unlink(target);  // the original stays, so the move did not happen
        SetLastError(DWORD(error));
        return FALSE;
    }
    return TRUE;
}

// For file systems without a no-replace rename: a file is linked under the
// new name, which fails when the name is taken, then unlinked; a directory
// is renamed when nothing has the name.
BOOL MoveWithoutRenameFlags(const char* existing, const char* target, const struct stat& st) {
    if (S_ISREG(st.st_mode)) {
        if (::link(existing, target) == 0)
            return ::unlink(existing) == 0 ? TRUE : FALSE;
        return errno == EXDEV ? MoveAcross(existing, target, st) : FALSE;
    }
    if (::access(target, F_OK) == 0) {
        SetLastError(EEXIST);
        return FALSE;
    }
    return ::rename(existing, target) == 0 ? TRUE : FALSE;
}

}  // namespace

BOOL MoveFileUtf8(const char* existing, const char* target) {
    if (existing == nullptr || target == nullptr) {
        SetLastError(EINVAL);
        return FALSE;
    }
    struct stat st {};
    if (::lstat(existing, &st) != 0)
        return FALSE;
    if (::renameat2(AT_FDCWD, existing, AT_FDCWD, target, RENAME_NOREPLACE) == 0)
        return TRUE;
    if (errno == EINVAL || errno == ENOSYS)
        return MoveWithoutRenameFlags(existing, target, st);
    if (errno != EXDEV)
        return FALSE;
    return MoveAcross(existing, target, st);
}

BOOL MoveFileW(const wchar_t* existing, const wchar_t* target) {
    if (existing == nullptr || target == nullptr) {
        SetLastError(EINVAL);
        return FALSE;
    }
    return MoveFileUtf8(WideToUtf8String(existing).c_str(), WideToUtf8String(target).c_str());
}
