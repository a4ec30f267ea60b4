#include "shared/PairFiles.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

FILE* OpenKeepingBytes(const char* path, bool* created) {
    int fd = ::open(path, O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
    *created = fd >= 0;
    if (fd < 0 && errno == EEXIST)
        fd = ::open(path, O_WRONLY | O_CLOEXEC);
    FILE* file = fd >= 0 ? ::fdopen(fd, "wb") : nullptr;
    if (file == nullptr && fd >= 0)
        ::close(fd);
    return file;
}

bool EmptyFile(FILE* file) {
    struct stat st {};
    return ::fstat(::fileno(file), &st) == 0 &&
           (!S_ISREG(st.st_mode) || st.st_size == 0 || ::ftruncate(::fileno(file), 0) == 0);
}

void DiscardFile(FILE** file, bool created, const char* path) {
    if (*file != nullptr)
        std::fclose(*file);
    *file = nullptr;
    if (created)
        ::unlink(path);
}
