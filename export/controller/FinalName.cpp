#include "export/controller/FinalName.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <vector>

namespace oskulo {
namespace {

constexpr int kMaxAttempts = 1000;

std::string Candidate(const std::string& to, int n) {
    if (n == 1)
        return to;
    const std::size_t slash = to.find_last_of('/');
    const std::size_t dot = to.find_last_of('.');
    const bool hasExt = dot != std::string::npos && (slash == std::string::npos || dot > slash);
    const std::string stem = hasExt ? to.substr(0, dot) : to;
    const std::string ext = hasExt ? to.substr(dot) : std::string();
    return stem + "_" + std::to_string(n) + ext;
}

// Taken by any entry, a dangling link or a folder included.
bool Exists(const std::string& name) {
    struct stat st {};
    return ::lstat(name.c_str(), &st) == 0;
}

// Copies into a file created exclusively at `to`; EEXIST when it exists.
int CopyExclusive(const std::string& from, const std::string& to) {
    const int in = ::open(from.c_str(), O_RDONLY | O_CLOEXEC);
    if (in < 0)
        return errno;
    const int out = ::open(to.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
    if (out < 0) {
        const int error = errno;
        ::close(in);
        return error;
    }
    std::vector<char> buffer(1 << 20);
    int error = 0;
    for (;;) {
        const ssize_t n = ::read(in, buffer.data(), buffer.size());
        if (n <= 0) {
            error = n < 0 ? errno : 0;
            break;
        }
        if (::write(out, buffer.data(), std::size_t(n)) != n) {
            error = errno != 0 ? errno : EIO;
            break;
        }
    }
    ::close(in);
    if (::close(out) != 0 && error == 0)
        error = errno;
    if (error != 0)
        ::unlink(to.c_str());
    return error;
}

// 0 moved, EEXIST when `to` exists, another errno on failure.
int MoveNoReplace(const std::string& from, const std::string& to) {
    if (::link(from.c_str(), to.c_str()) == 0) {
        ::unlink(from.c_str());
        return 0;
    }
    if (errno == EEXIST)
        return EEXIST;
    const int error = CopyExclusive(from, to);
    if (error == 0)
        ::unlink(from.c_str());
    return error;
}

}  // namespace

std::string MoveToFreeName(const std::string& from, const std::string& to) {
    for (int n = 1; n <= kMaxAttempts; ++n) {
        const std::string name = Candidate(to, n);
        const int result = MoveNoReplace(from, name);
        if (result == 0)
            return name;
        if (result != EEXIST)
            return from;
    }
    return from;
}

std::vector<std::string> FreeNames(const std::vector<std::string>& names) {
    for (int n = 1; n <= kMaxAttempts; ++n) {
        std::vector<std::string> numbered;
        bool free = true;
        for (const std::string& name : names) {
            numbered.push_back(Candidate(name, n));
            free = free && !Exists(numbered.back());
        }
        if (free)
            return numbered;
    }
    return names;
}

}  // namespace oskulo
