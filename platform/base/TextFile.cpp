#include "platform/base/TextFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

namespace base {

namespace {

// Opens `path` for reading when it names a regular file. The open does not
// wait (a FIFO would block until a writer came); the descriptor is made
// blocking again for the reads. -1 with errno set otherwise.
int OpenRegularFile(const std::string& path, struct stat* st) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0)
        return -1;
    if (::fstat(fd, st) != 0 || !S_ISREG(st->st_mode)) {
        const int error = S_ISDIR(st->st_mode) ? EISDIR : EINVAL;
        ::close(fd);
        errno = error;
        return -1;
    }
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    return fd;
}

// Reads the whole descriptor, at most `maxBytes`: EFBIG past that.
bool ReadAll(int fd, size_t maxBytes, std::string& bytes) {
    char chunk[4096];
    for (;;) {
        const ssize_t n = ::read(fd, chunk, sizeof chunk);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            return false;
        if (n == 0)
            return true;
        if (size_t(n) > maxBytes - bytes.size()) {
            errno = EFBIG;
            return false;
        }
        bytes.append(chunk, size_t(n));
    }
}

}  // namespace

std::optional<std::string> ReadWholeFile(const std::string& path, size_t maxBytes) {
    struct stat st {};
    const int fd = OpenRegularFile(path, &st);
    if (fd < 0)
        return std::nullopt;
    if (size_t(st.st_size) > maxBytes) {
        ::close(fd);
        errno = EFBIG;
        return std::nullopt;
    }
    std::string bytes;
    const bool read = ReadAll(fd, maxBytes, bytes);
    const int error = errno;
    ::close(fd);
    if (!read) {
        errno = error;
        return std::nullopt;
    }
    return bytes;
}

bool ReplaceWholeFile(const std::string& path, const std::string& bytes) {
    std::string temp = path + ".XXXXXX";
    const int fd = ::mkstemp(temp.data());
    if (fd < 0)
        return false;
    size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            break;
        done += size_t(n);
    }
    struct stat existing {};
    const mode_t mode = ::stat(path.c_str(), &existing) == 0 ? existing.st_mode & 07777 : 0644;
    const bool written = done == bytes.size() && ::fchmod(fd, mode) == 0;
    const int error = errno;
    ::close(fd);
    if (!written || ::rename(temp.c_str(), path.c_str()) != 0) {
        const int failure = written ? errno : error;
        ::unlink(temp.c_str());
        errno = failure;
        return false;
    }
    return true;
}

}  // namespace base
