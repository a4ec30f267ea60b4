// A calendar date and time broken into its fields, with the layout of the
// system we stand in for.
#pragma once

#include "platform/base/WinTypes.h"

struct SYSTEMTIME {
    WORD wYear;
    WORD wMonth;      // 1..12
    WORD wDayOfWeek;  // 0 = Sunday
    WORD wDay;        // 1..31
    WORD wHour;
    WORD wMinute;
    WORD wSecond;
    WORD wMilliseconds;
};
