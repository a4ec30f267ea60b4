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

// The first `length` bytes of a UTF-8 text, never cutting a character.
std::string CutUtf8(const std::string& text, std::size_t length) {
    if (text.size() <= length)
        return text;
    while (length > 0 && (static_cast<unsigned char>(text[length]) & 0xC0) == 0x80)
        --length;
    return text.substr(0, length);
}

// Name n of `to` ("<stem>_<n><ext>" from 2 on), its stem cut so that the
// whole name stays within maxLength bytes.
std::string Candidate(const std::string& to, int n, std::size_t maxLength) {
    const std::size_t slash = to.find_last_of('/');
    const std::size_t dot = to.find_last_of('.');
    const bool hasExt = dot != std::string::npos && (slash == std::string::npos || dot > slash);
    const std::string stem = hasExt ? to.substr(0, dot) : to;
    const std::string ext = hasExt ? to.substr(dot) : std::string();
    const std::string number = n == 1 ? std::string() : "_" + std::to_string(n);
    const std::size_t tail = number.size() + ext.size();
    return CutUtf8(stem, maxLength > tail ? maxLength - tail : 0) + number + ext;
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
        const std::string name = Candidate(to, n, std::string::npos);
        const int result = MoveNoReplace(from, name);
        if (result == 0)
            return name;
        if (result != EEXIST)
            return from;
    }
    return from;
}

std::vector<std::string> FreeNames(const std::vector<std::string>& names, std::size_t maxLength) {
    for (int n = 1; n <= kMaxAttempts; ++n) {
        std::vector<std::string> numbered;
        bool free = true;
        for (const std::string& name : names) {
            numbered.push_back(Candidate(name, n, maxLength));
            free = free && !Exists(numbered.back());
        }
        if (free)
            return numbered;
    }
    return names;
}

}  // namespace oskulo
