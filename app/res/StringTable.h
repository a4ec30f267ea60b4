// The string table: the fixed English texts that have no language key.
#pragma once

#include "platform/user/UserTypes.h"

struct StringEntry {
    UINT id;
    const wchar_t* text;
};

// Every entry, in id order.
const StringEntry* StringTableBegin();
const StringEntry* StringTableEnd();
