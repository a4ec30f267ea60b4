// Shared libraries and the program image: LoadLibraryW, GetProcAddress,
// FreeLibrary and GetModuleFileNameW.
//
// A library named the Windows way, "X.dll", is the shared object "libX.so":
// it is looked for in the program directory first, then along the usual
// search of the dynamic loader. A name with a directory part keeps its
// directory. Failures return null and leave an errno number for
// GetLastError (ENOENT for a library or export that is not there).
#pragma once

#include <string>

#include "platform/base/WinTypes.h"

struct HINSTANCE__;
using HMODULE = HINSTANCE__*;
using FARPROC = intptr_t (*)();

HMODULE LoadLibraryW(const wchar_t* fileName);
FARPROC GetProcAddress(HMODULE module, const char* exportName);
BOOL FreeLibrary(HMODULE module);

// The program's own path (`module` must be null). Copies at most size - 1
// characters and the terminator and returns the count copied; a path that
// does not fit is cut, the result is then `size` and the error ENAMETOOLONG,
// as the platform reports an insufficient buffer. 0 on failure.
DWORD GetModuleFileNameW(HMODULE module, wchar_t* buffer, DWORD size);

// The directory of the program image (UTF-8, no trailing '/'); empty when
// /proc/self/exe cannot be read.
std::string ProgramDirectory();

// Cuts the last path element of `path` in place ("/opt/app/marlowin" ->
// "/opt/app"; "/marlowin" -> "/"); FALSE when nothing was removed.
BOOL PathRemoveFileSpecW(wchar_t* path);

// The shared-object file name for a library name: "X.dll" -> "libX.so",
// "dir/X.dll" -> "dir/libX.so"; other names are kept as they are.
std::string SharedObjectName(const std::string& libraryName);
