#include "player/errors/ErrorSink.h"

#include <atomic>

namespace {

std::atomic<ErrorSink> g_errorSink{nullptr};

}  // namespace

void SetErrorSink(ErrorSink sink) {
    g_errorSink.store(sink);
}

void ReportError(int code, DWORD systemError, int value) {
    ErrorSink sink = g_errorSink.load();
    if (sink != nullptr)
        sink(code, systemError, value);
}
