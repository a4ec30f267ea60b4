#include "platform/base/Process.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <thread>

#include "platform/base/LastError.h"
#include "platform/base/Waitable.h"
#include "shared/TextConvert.h"

extern char** environ;

namespace {

class ProcessObject final : public WaitableObject {
public:
    ProcessObject() : WaitableObject(false) {}
    std::atomic<DWORD> exitCode{STILL_ACTIVE};
};

// Stands for the program's first thread, which the caller only closes.
class ProcessThreadObject final : public KernelObject {};

DWORD ExitCodeOf(int status) {
    if (WIFEXITED(status))
        return DWORD(WEXITSTATUS(status));
    return WIFSIGNALED(status) ? DWORD(128 + WTERMSIG(status)) : DWORD(1);
}

// Reaps the child when it ends and signals its object; the thread keeps the
// object alive, so closing the handle early is harmless.
void WatchChild(pid_t pid, std::shared_ptr<ProcessObject> process) {
    std::thread([pid, process] {
        int status = 0;
        while (::waitpid(pid, &status, 0) < 0 && errno == EINTR) {
        }
        process->exitCode.store(ExitCodeOf(status));
        process->SetSignalled(true);
    }).detach();
}

std::string ProgramPath(const wchar_t* applicationName, const std::vector<std::wstring>& args) {
    std::string path = applicationName != nullptr ? WideToUtf8String(applicationName)
                       : args.empty()             ? std::string()
                                                  : WideToUtf8String(args[0]);
    const std::string exe = ".exe";
    const bool hasExe =
        path.size() > exe.size() && path.compare(path.size() - exe.size(), exe.size(), exe) == 0;
    if (hasExe && ::access(path.c_str(), F_OK) != 0)
        path.resize(path.size() - exe.size());
    return path;
}

// Spawns with `directory` (when not empty) as the child's working directory.
int Spawn(pid_t* pid, const std::string& program, char* const* argv, const std::string& directory) {
    posix_spawn_file_actions_t actions;
    if (::posix_spawn_file_actions_init(&actions) != 0)
        return ENOMEM;
    int error =
        directory.empty() ? 0 : ::posix_spawn_file_actions_addchdir_np(&actions, directory.c_str());
    if (error == 0)
        error = ::posix_spawn(pid, program.c_str(), &actions, nullptr, argv, environ);
    ::posix_spawn_file_actions_destroy(&actions);
    return error;
}

// Starts `program` with `args` as its argument array (the program itself
// when there are none) and fills `info`.
BOOL StartProgram(const std::string& program, const std::vector<std::wstring>& args,
                  const wchar_t* directory, PROCESS_INFORMATION* info) {
    std::vector<std::string> utf8;
    utf8.reserve(args.size() + 1);
    if (args.empty())
        utf8.push_back(program);
    for (const std::wstring& a : args)
        utf8.push_back(WideToUtf8String(a));
    std::vector<char*> argv;
    for (std::string& a : utf8)
        argv.push_back(a.data());
    argv.push_back(nullptr);
    pid_t pid = 0;
    const int error =
        Spawn(&pid, program, argv.data(), directory != nullptr ? WideToUtf8String(directory) : "");
    if (error != 0) {
        SetLastError(DWORD(error));
        return FALSE;
    }
    auto process = std::make_shared<ProcessObject>();
    WatchChild(pid, process);
    info->hProcess = RegisterHandle(process);
    info->hThread = RegisterHandle(std::make_shared<ProcessThreadObject>());
    info->dwProcessId = DWORD(pid);
    info->dwThreadId = DWORD(pid);
    return TRUE;
}

}  // namespace

std::vector<std::wstring> SplitCommandLine(const std::wstring& line) {
    std::vector<std::wstring> args;
    const size_t n = line.size();
    size_t i = 0;
    for (;;) {
        while (i < n && (line[i] == L' ' || line[i] == L'\t'))
            ++i;
        if (i >= n)
            return args;
        std::wstring arg;
        bool quoted = false;
        while (i < n && (quoted || (line[i] != L' ' && line[i] != L'\t'))) {
            if (line[i] == L'\\') {
                size_t slashes = 0;
                for (; i < n && line[i] == L'\\'; ++i)
                    ++slashes;
                const bool beforeQuote = i < n && line[i] == L'"';
                arg.append(beforeQuote ? slashes / 2 : slashes, L'\\');
                if (beforeQuote && slashes % 2 == 1)
                    arg += line[i++];  // an escaped quote
                continue;
            }
            if (line[i] == L'"' && quoted && i + 1 < n && line[i + 1] == L'"') {
                arg += L'"';  // "" inside quotes is one quote
                i += 2;
                continue;
            }
            if (line[i] == L'"')
                quoted = !quoted;
            else
                arg += line[i];
            ++i;
        }
        args.push_back(std::move(arg));
    }
}

BOOL CreateProcessW(const wchar_t* applicationName, wchar_t* commandLine, const void*, const void*,
                    BOOL inheritHandles, DWORD, void* environment, const wchar_t* directory,
                    STARTUPINFOW*, PROCESS_INFORMATION* info) {
    const std::vector<std::wstring> args =
        SplitCommandLine(commandLine != nullptr ? commandLine : L"");
    const std::string program = ProgramPath(applicationName, args);
    if (info == nullptr || program.empty() || inheritHandles || environment != nullptr) {
        SetLastError(EINVAL);
        return FALSE;
    }
    return StartProgram(program, args, directory, info);
}

BOOL StartProcess(const std::vector<std::wstring>& args, const wchar_t* directory,
                  PROCESS_INFORMATION* info) {
    if (info == nullptr || args.empty() || args[0].empty()) {
        SetLastError(EINVAL);
        return FALSE;
    }
    return StartProgram(WideToUtf8String(args[0]), args, directory, info);
}

BOOL GetExitCodeProcess(HANDLE process, DWORD* exitCode) {
    std::shared_ptr<ProcessObject> object = LookUpHandleAs<ProcessObject>(process);
    if (object == nullptr || exitCode == nullptr) {
        SetLastError(EBADF);
        return FALSE;
    }
    *exitCode = object->exitCode.load();
    return TRUE;
}

BOOL IsUserAnAdmin() {
    return ::geteuid() == 0 ? TRUE : FALSE;
}
