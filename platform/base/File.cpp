#include "platform/base/File.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "platform/base/LastError.h"

namespace {

int OpenFlags(DWORD access, DWORD creation) {
    int flags = O_CLOEXEC;
    const bool read = (access & GENERIC_READ) != 0, write = (access & GENERIC_WRITE) != 0;
    flags |= (read && write) ? O_RDWR : write ? O_WRONLY : O_RDONLY;
    switch (creation) {
        case CREATE_NEW:
            return flags | O_CREAT | O_EXCL;
        case CREATE_ALWAYS:
            return flags | O_CREAT | O_TRUNC;
        case OPEN_EXISTING:
            return flags;
        case OPEN_ALWAYS:
            return flags | O_CREAT;
        case TRUNCATE_EXISTING:
            return flags | O_TRUNC;
        default:
            return -1;
    }
}

// The object of a live file handle, or null with EBADF as the last error.
std::shared_ptr<FileObject> FileOf(HANDLE file) {
    std::shared_ptr<FileObject> object = LookUpHandleAs<FileObject>(file);
    if (object == nullptr)
        SetLastError(EBADF);
    return object;
}

}  // namespace

FileObject::~FileObject() {
    ::close(fd_);
}

HANDLE CreateFile(const char* path, DWORD desiredAccess, DWORD creationDisposition) {
    const int flags = OpenFlags(desiredAccess, creationDisposition);
    if (path == nullptr || flags == -1) {
        SetLastError(EINVAL);
        return INVALID_HANDLE_VALUE;
    }
    const int fd = ::open(path, flags, 0666);
    if (fd == -1)
        return INVALID_HANDLE_VALUE;
    return RegisterHandle(std::make_shared<FileObject>(fd));
}

BOOL ReadFile(HANDLE file, void* buffer, DWORD size, DWORD* read) {
    if (read != nullptr)
        *read = 0;
    std::shared_ptr<FileObject> object = FileOf(file);
    if (object == nullptr)
        return FALSE;
    DWORD done = 0;
    while (done < size) {
        const ssize_t n = ::read(object->Fd(), static_cast<char*>(buffer) + done, size - done);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            return FALSE;
        if (n == 0)
            break;
        done += DWORD(n);
    }
    if (read != nullptr)
        *read = done;
    return TRUE;
}

BOOL WriteFile(HANDLE file, const void* buffer, DWORD size, DWORD* written) {
    if (written != nullptr)
        *written = 0;
    std::shared_ptr<FileObject> object = FileOf(file);
    if (object == nullptr)
        return FALSE;
    DWORD done = 0;
    while (done < size) {
        const ssize_t n =
            ::write(object->Fd(), static_cast<const char*>(buffer) + done, size - done);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            return FALSE;
        done += DWORD(n);
        if (written != nullptr)
            *written = done;
    }
    return TRUE;
}

BOOL SetFilePointerEx(HANDLE file, LONGLONG distance, LONGLONG* newPosition, DWORD moveMethod) {
    std::shared_ptr<FileObject> object = FileOf(file);
    if (object == nullptr)
        return FALSE;
    const int whence = moveMethod == FILE_BEGIN     ? SEEK_SET
                       : moveMethod == FILE_CURRENT ? SEEK_CUR
                       : moveMethod == FILE_END     ? SEEK_END
                                                    : -1;
    if (whence == -1) {
        SetLastError(EINVAL);
        return FALSE;
    }
    const off_t position = ::lseek(object->Fd(), off_t(distance), whence);
    if (position == off_t(-1))
        return FALSE;
    if (newPosition != nullptr)
        *newPosition = LONGLONG(position);
    return TRUE;
}

BOOL GetFileSizeEx(HANDLE file, LONGLONG* size) {
    std::shared_ptr<FileObject> object = FileOf(file);
    if (object == nullptr)
        return FALSE;
    struct stat st {};
    if (::fstat(object->Fd(), &st) != 0)
        return FALSE;
    *size = LONGLONG(st.st_size);
    return TRUE;
}
