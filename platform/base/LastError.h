// The calling thread's last system error, as GetLastError reports it. Our
// layers set it from errno, so the values are errno numbers.
#pragma once

#include "platform/base/WinTypes.h"

DWORD GetLastError();
void SetLastError(DWORD error);
