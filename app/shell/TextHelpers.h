// Text and path helpers of the program. The conversions return a new array
// that the caller releases with delete[]; a null input gives a null result.
// Paths are UTF-8 on disk and '/' separates their parts.
#pragma once

#include "platform/afx/String.h"
#include "shared/TextConvert.h"

// Text in the system's multibyte code page, which is UTF-8 on the systems we
// run on, so this is Utf8ToWide under the name the program's code uses.
wchar_t* AnsiToWide(const char* ansi);

// The string as UTF-8 with two terminating zero bytes (as WideToUtf8).
char* StringToUtf8(CString text);

// True when the path names a directory; one trailing '/' is ignored.
bool DirectoryExists(const wchar_t* path);

// Creates the directory and every missing parent; true when it exists
// afterwards. Single failures (a parent that exists already) are ignored.
bool CreateDirectoryPath(const wchar_t* path);
