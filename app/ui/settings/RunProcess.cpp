#include "app/ui/settings/RunProcess.h"

#include "platform/base/Process.h"

namespace {

bool NeedsQuotes(const std::wstring& argument) {
    return argument.empty() || argument.find_first_of(L" \t\"") != std::wstring::npos;
}

// Inside quotes, backslashes are literal except before a quote: those
// before a quote (or before the closing one) are doubled, and the quote
// itself escaped.
std::wstring Quoted(const std::wstring& argument) {
    std::wstring quoted = L"\"";
    size_t slashes = 0;
    for (wchar_t c : argument) {
        if (c == L'\\') {
            ++slashes;
            continue;
        }
        quoted.append(c == L'"' ? 2 * slashes + 1 : slashes, L'\\');
        quoted += c;
        slashes = 0;
    }
    quoted.append(2 * slashes, L'\\');
    return quoted + L"\"";
}

}  // namespace

std::wstring JoinCommandLine(const std::vector<std::wstring>& arguments) {
    std::wstring line;
    for (const std::wstring& argument : arguments) {
        if (!line.empty())
            line += L' ';
        line += NeedsQuotes(argument) ? Quoted(argument) : argument;
    }
    return line;
}

bool RunProcess(const CString& applicationPath, const std::vector<std::wstring>& arguments) {
    std::vector<std::wstring> all{applicationPath.Std()};
    all.insert(all.end(), arguments.begin(), arguments.end());
    std::wstring commandLine = JoinCommandLine(all);  // CreateProcessW may write into it
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!CreateProcessW(applicationPath, commandLine.data(), nullptr, nullptr, FALSE,
                        CREATE_NO_WINDOW | CREATE_DEFAULT_ERROR_MODE, nullptr, nullptr, &startup,
                        &process))
        return false;
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return true;
}
