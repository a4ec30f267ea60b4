#include "player/errors/ErrorSink.h"

#include <atomic>
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
thread_local std::vector<HeldReport> t_held;  // raised while t_deferrals > 0

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
    if (t_deferrals > 0)
        t_held.push_back({code, systemError, value});
    else
        Deliver(code, systemError, value);
}

CReportDeferral::CReportDeferral() {
    ++t_deferrals;
}

// The held reports are taken first: one that the sink raises in turn, with
// nothing held any more, goes out at once.
CReportDeferral::~CReportDeferral() {
    if (--t_deferrals > 0)
        return;
    for (const HeldReport& report : std::exchange(t_held, {}))
        Deliver(report.code, report.systemError, report.value);
}
