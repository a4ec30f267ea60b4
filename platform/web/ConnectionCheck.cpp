#include "platform/web/ConnectionCheck.h"
#include "shared/TextConvert.h"

#include <fcntl.h>
#include <netdb.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <future>
#include <thread>

#include "platform/base/LastError.h"
#include "platform/web/WebText.h"

namespace {

std::atomic<long long> g_timeoutMs{3000};

using AddressList = std::shared_ptr<addrinfo>;

// Resolves on a thread of its own so that a resolver that hangs is left
// behind after the time-out instead of holding the caller.
AddressList Resolve(const web::ServerAddress& server, std::chrono::milliseconds limit) {
    auto task = std::make_shared<std::packaged_task<AddressList()>>([server] {
        addrinfo hints{};
        hints.ai_family = AF_UNSPEC;
        hints.ai_socktype = SOCK_STREAM;
        addrinfo* found = nullptr;
        if (getaddrinfo(server.host.c_str(), server.port.c_str(), &hints, &found) != 0)
            return AddressList();
        return AddressList(found, freeaddrinfo);
    });
    std::future<AddressList> result = task->get_future();
    std::thread([task] { (*task)(); }).detach();
    if (result.wait_for(limit) != std::future_status::ready)
        return nullptr;
    return result.get();
}

bool Connects(const addrinfo& address, std::chrono::milliseconds limit) {
    const int fd = socket(address.ai_family, address.ai_socktype | SOCK_NONBLOCK | SOCK_CLOEXEC,
                          address.ai_protocol);
    if (fd < 0)
        return false;
    bool connected = connect(fd, address.ai_addr, address.ai_addrlen) == 0;
    if (!connected && errno == EINPROGRESS) {
        pollfd p{fd, POLLOUT, 0};
        int error = 0;
        socklen_t size = sizeof error;
        connected = poll(&p, 1, int(limit.count())) == 1 &&
                    getsockopt(fd, SOL_SOCKET, SO_ERROR, &error, &size) == 0 && error == 0;
    }
    close(fd);
    return connected;
}

}  // namespace

namespace web {

bool ParseServerAddress(const std::string& url, ServerAddress* out) {
    const size_t schemeEnd = url.find("://");
    if (schemeEnd == std::string::npos)
        return false;
    const std::string scheme = url.substr(0, schemeEnd);
    if (scheme != "http" && scheme != "https")
        return false;
    const size_t start = schemeEnd + 3;
    std::string authority = url.substr(start, url.find_first_of("/?#", start) - start);
    authority = authority.substr(authority.find('@') + 1);  // npos + 1 is 0
    std::string port = scheme == "https" ? "443" : "80";
    std::string host = authority;
    const size_t bracket = authority.find(']');
    const size_t colon = authority.rfind(':');
    if (colon != std::string::npos && (bracket == std::string::npos || colon > bracket)) {
        host = authority.substr(0, colon);
        port = authority.substr(colon + 1);
    }
    if (host.size() >= 2 && host.front() == '[' && host.back() == ']')
        host = host.substr(1, host.size() - 2);
    if (host.empty() || port.empty() || port.find_first_not_of("0123456789") != std::string::npos)
        return false;
    *out = ServerAddress{host, port};
    return true;
}

}  // namespace web

void SetConnectionCheckTimeout(std::chrono::milliseconds timeout) {
    g_timeoutMs.store(timeout.count());
}

BOOL InternetCheckConnectionW(const wchar_t* url, DWORD, DWORD) {
    web::ServerAddress server;
    if (url == nullptr || !web::ParseServerAddress(WideToUtf8String(url), &server)) {
        SetLastError(ERROR_INTERNET_INVALID_URL);
        return FALSE;
    }
    const std::chrono::milliseconds limit(g_timeoutMs.load());
    const AddressList addresses = Resolve(server, limit);
    for (const addrinfo* a = addresses.get(); a != nullptr; a = a->ai_next) {
        if (Connects(*a, limit))
            return TRUE;
    }
    SetLastError(ERROR_INTERNET_CANNOT_CONNECT);
    return FALSE;
}
