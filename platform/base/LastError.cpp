#include "platform/base/LastError.h"

#include <cerrno>

DWORD GetLastError() {
    return DWORD(errno);
}

void SetLastError(DWORD error) {
    errno = int(error);
}
