// 64-bit files behind kernel handles, opened by UTF-8 path: the operations
// the readers and writers call (CreateFile, ReadFile, WriteFile,
// SetFilePointerEx, GetFileSizeEx). Every failure returns FALSE (or
// INVALID_HANDLE_VALUE) and leaves its errno number for GetLastError; a stale
// or foreign handle fails with EBADF. A handle may be used from
// several threads, but its file pointer is shared, as on Windows.
#pragma once

#include <memory>

#include "platform/base/Handle.h"
#include "platform/base/WinTypes.h"

inline constexpr DWORD GENERIC_READ = 0x80000000u;
inline constexpr DWORD GENERIC_WRITE = 0x40000000u;

inline constexpr DWORD CREATE_NEW = 1;
inline constexpr DWORD CREATE_ALWAYS = 2;
inline constexpr DWORD OPEN_EXISTING = 3;
inline constexpr DWORD OPEN_ALWAYS = 4;
inline constexpr DWORD TRUNCATE_EXISTING = 5;

inline constexpr DWORD FILE_BEGIN = 0;
inline constexpr DWORD FILE_CURRENT = 1;
inline constexpr DWORD FILE_END = 2;

// An open file descriptor; the handle's object. Closing the last reference
// closes the descriptor. Other layers (raw devices, images) wrap their own
// descriptors in it to hand out file handles.
class FileObject final : public KernelObject {
public:
    explicit FileObject(int fd) : fd_(fd) {}
    ~FileObject() override;
    int Fd() const { return fd_; }

private:
    int fd_;
};

// Opens or creates `path` (UTF-8) for GENERIC_READ and/or GENERIC_WRITE with
// one of the creation dispositions above. Files are always shared.
HANDLE CreateFile(const char* path, DWORD desiredAccess, DWORD creationDisposition);

// `read` / `written` (optional) receive the byte count; a short read at the
// end of the file is a success, as on Windows.
BOOL ReadFile(HANDLE file, void* buffer, DWORD size, DWORD* read);
BOOL WriteFile(HANDLE file, const void* buffer, DWORD size, DWORD* written);

// Moves the file pointer by `distance` from FILE_BEGIN, FILE_CURRENT or
// FILE_END; `newPosition` (optional) receives the result. A position before 0
// fails.
BOOL SetFilePointerEx(HANDLE file, LONGLONG distance, LONGLONG* newPosition, DWORD moveMethod);

BOOL GetFileSizeEx(HANDLE file, LONGLONG* size);
