// Starting programs (CreateProcessW) and the caller's privileges.
//
// The command line is split into arguments by the platform's rules (blanks
// separate, double quotes group, backslashes escape only before a quote) and
// the program is started with posix_spawn on that argument array: no shell
// ever sees it. The program is `applicationName` when given, else the first
// argument; a name ending in ".exe" that does not exist is tried without the
// extension. The process handle is signalled when the program ends, so
// WaitForSingleObject waits for it; GetExitCodeProcess reads its exit code.
#pragma once

#include <string>
#include <vector>

#include "platform/base/Handle.h"
#include "platform/base/WinTypes.h"

inline constexpr DWORD CREATE_NO_WINDOW = 0x08000000;
inline constexpr DWORD CREATE_DEFAULT_ERROR_MODE = 0x04000000;
inline constexpr DWORD STILL_ACTIVE = 259;

struct STARTUPINFOW {
    DWORD cb;
    wchar_t* lpReserved;
    wchar_t* lpDesktop;
    wchar_t* lpTitle;
    DWORD dwX, dwY, dwXSize, dwYSize, dwXCountChars, dwYCountChars, dwFillAttribute;
    DWORD dwFlags;
    WORD wShowWindow;
    WORD cbReserved2;
    BYTE* lpReserved2;
    HANDLE hStdInput, hStdOutput, hStdError;
};

struct PROCESS_INFORMATION {
    HANDLE hProcess;
    HANDLE hThread;
    DWORD dwProcessId;
    DWORD dwThreadId;
};

// The creation flags are accepted (there is no console to hide); inherited
// handles, attributes and `environment` are not supported (pass false and
// null: the caller's environment is used). `directory` (optional) is the
// program's working directory. FALSE with an errno number on failure.
BOOL CreateProcessW(const wchar_t* applicationName, wchar_t* commandLine, const void* processAttrs,
                    const void* threadAttrs, BOOL inheritHandles, DWORD creationFlags,
                    void* environment, const wchar_t* directory, STARTUPINFOW* startupInfo,
                    PROCESS_INFORMATION* info);
// Starts the program `args[0]` (a path) with `args` as its argument array,
// as they stand: no command line is formed or split. As CreateProcessW
// otherwise.
BOOL StartProcess(const std::vector<std::wstring>& args, const wchar_t* directory,
                  PROCESS_INFORMATION* info);
// STILL_ACTIVE while the program runs; its exit status after, or 128 plus the
// signal that ended it.
BOOL GetExitCodeProcess(HANDLE process, DWORD* exitCode);

// The platform's splitting of a command line into arguments.
std::vector<std::wstring> SplitCommandLine(const std::wstring& commandLine);

// TRUE when the process runs with an effective user id of 0.
BOOL IsUserAnAdmin();
