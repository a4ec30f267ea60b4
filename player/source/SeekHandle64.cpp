#include "player/source/SeekHandle64.h"

uint64_t SeekHandle64(HANDLE handle, uint64_t offset, DWORD origin) {
    LONGLONG position = 0;
    if (!SetFilePointerEx(handle, LONGLONG(offset), &position, origin))
        return kSeekFailed;
    return uint64_t(position);
}
