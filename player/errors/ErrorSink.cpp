#include "player/errors/ErrorSink.h"

#include <atomic>
#include <memory>
#include <utility>
#include <vector>

namespace {

struct HeldReport {
    int code;
    DWORD systemError;
    int value;
};

std::atomic<ErrorSink> g_errorSink{nullptr};
thread_local int t_deferrals = 0;
// The reports raised while t_deferrals > 0, made at the first one. A pointer,
// not a vector: a thread_local with a destructor in this library (which hosts
// load with dlopen) is destroyed at the thread's exit in memory the C library
// then frees and gives to the next thread, unseen by the race detector.
thread_local std::vector<HeldReport>* t_held = nullptr;

void Deliver(int code, DWORD systemError, int value) {
    ErrorSink sink = g_errorSink.load();
    if (sink != nullptr)
        sink(code, systemError, value);
}

}  // namespace

void SetErrorSink(ErrorSink sink) {
    g_errorSink.store(sink);
}

void ReportError(int code, DWORD systemError, int value) {
    if (t_deferrals > 0) {
        if (t_held == nullptr)
            t_held = new std::vector<HeldReport>;
        t_held->push_back({code, systemError, value});
    } else {
        Deliver(code, systemError, value);
    }
}

CReportDeferral::CReportDeferral() {
    ++t_deferrals;
}

// The held reports are taken first: one that the sink raises in turn, with
// nothing held any more, goes out at once.
CReportDeferral::~CReportDeferral() {
    if (--t_deferrals > 0)
        return;
    const std::unique_ptr<std::vector<HeldReport>> held(std::exchange(t_held, nullptr));
    if (held == nullptr)
        return;
    for (const HeldReport& report : *held)
        Deliver(report.code, report.systemError, report.value);
}
