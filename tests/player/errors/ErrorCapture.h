// Test helper: while an ErrorCapture lives, the player's error reports are
// collected instead of going to a host. One capture at a time per process.
#pragma once

#include <mutex>
#include <vector>

#include "player/errors/ErrorSink.h"

struct ReportedError {
    int code;
    DWORD systemError;
    int value;
    bool operator==(const ReportedError&) const = default;
};

class ErrorCapture {
public:
    ErrorCapture() {
        Clear();
        SetErrorSink(&Collect);
    }
    ~ErrorCapture() { SetErrorSink(nullptr); }
    ErrorCapture(const ErrorCapture&) = delete;
    ErrorCapture& operator=(const ErrorCapture&) = delete;

    std::vector<ReportedError> Take() {
        std::lock_guard lock(Mutex());
        return std::move(Reports());
    }
    std::vector<int> TakeCodes() {
        std::vector<int> codes;
        for (const ReportedError& e : Take())
            codes.push_back(e.code);
        return codes;
    }
    void Clear() { Take(); }

private:
    static std::mutex& Mutex() {
        static std::mutex mutex;
        return mutex;
    }
    static std::vector<ReportedError>& Reports() {
        static std::vector<ReportedError> reports;  // guarded by Mutex()
        return reports;
    }
    static void Collect(int code, DWORD systemError, int value) {
        std::lock_guard lock(Mutex());
        Reports().push_back({code, systemError, value});
    }
};
