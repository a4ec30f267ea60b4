// A disk that fills up, for the tests of what an export does when its
// writes fail: while a FileSizeLimit lives, no file of this process may grow
// beyond `bytes` (RLIMIT_FSIZE, with SIGXFSZ ignored), so a write past it
// fails with EFBIG the way a write onto a full disk fails with ENOSPC.
// Unlike a size-limited mount it needs no privilege; it lowers only the soft
// limit and puts the old one back.
#pragma once

#include <sys/resource.h>

#include <csignal>
#include <cstdint>

class FileSizeLimit {
public:
    explicit FileSizeLimit(uint64_t bytes) {
        ::getrlimit(RLIMIT_FSIZE, &saved_);
        oldHandler_ = std::signal(SIGXFSZ, SIG_IGN);
        rlimit limit = saved_;
        limit.rlim_cur = rlim_t(bytes);
        active_ = ::setrlimit(RLIMIT_FSIZE, &limit) == 0;
    }
    ~FileSizeLimit() {
        ::setrlimit(RLIMIT_FSIZE, &saved_);
        std::signal(SIGXFSZ, oldHandler_);
    }
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;

    // False when the limit could not be set (the test then cannot show anything).
    bool Active() const { return active_; }

private:
    rlimit saved_{};
    void (*oldHandler_)(int) = SIG_DFL;
    bool active_ = false;
};
