#include "app/ui/map/MapPageCommand.h"

#include <cwchar>

namespace {

struct CommandPrefix {
    const wchar_t* prefix;
    MapPageCommand command;
    bool cancel;
};

constexpr CommandPrefix kPrefixes[] = {
    {L"app:nomal&", MapPageCommand::SeekByTime, true},
    {L"app:search&", MapPageCommand::SeekByQuick, true},
    {L"app:GetFocus&", MapPageCommand::GetFocus, true},
    {L"app:GCMresponse&", MapPageCommand::GcmResponse, false},
    {L"app:MapReady&", MapPageCommand::MapReady, true},
};

// A decimal number as the C library reads it (leading blanks and a sign,
// up to the first non-digit, 0 without digits), cut to its low 32 bits.
uint32_t LowWord(const std::wstring& text) {
    return uint32_t(uint64_t(std::wcstoll(text.c_str(), nullptr, 10)));
}

}  // namespace

MapPageRequest ParseMapPageRequest(const std::wstring& url) {
    for (const CommandPrefix& p : kPrefixes) {
        const size_t length = std::wcslen(p.prefix);
        if (url.compare(0, length, p.prefix) != 0)
            continue;
        return MapPageRequest{p.command, LowWord(url.substr(length)), p.cancel};
    }
    return MapPageRequest{};
}
