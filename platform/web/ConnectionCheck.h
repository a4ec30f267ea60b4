// The connection check: whether the server of an address answers. It opens
// a TCP connection to the address's host and port (80 for http, 443 for
// https, or the port given) and closes it at once; a server that does not
// answer within the time-out counts as no connection. The name is resolved
// under the same time-out. Any thread; blocks the caller for at most about
// twice the time-out.
#pragma once

#include <chrono>
#include <string>

#include "platform/base/WinTypes.h"

inline constexpr DWORD FLAG_ICC_FORCE_CONNECTION = 0x00000001;
// The last error after a failed check.
inline constexpr DWORD ERROR_INTERNET_CANNOT_CONNECT = 12029;
inline constexpr DWORD ERROR_INTERNET_INVALID_URL = 12005;

// TRUE when a connection could be made; FALSE with the last error set
// otherwise. `flags` and `reserved` are accepted: the check always connects.
BOOL InternetCheckConnectionW(const wchar_t* url, DWORD flags, DWORD reserved);

// The time-out of each step; 3 seconds unless set. Any thread.
void SetConnectionCheckTimeout(std::chrono::milliseconds timeout);

namespace web {

struct ServerAddress {
    std::string host;
    std::string port;
};

// The host and port an address names; false for an address without a host
// or with an unknown scheme.
bool ParseServerAddress(const std::string& url, ServerAddress* out);

}  // namespace web
