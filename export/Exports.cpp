// The six exports of libOskulo.so over the library's one controller, made
// when the library is loaded and destroyed when it is unloaded. No exception
// leaves an export: a failure inside counts as the call's failure result.
// Each call reads and writes its numbers (positions, speeds in miles) with
// '.' as the decimal point, whatever locale the host chose.
#include <cerrno>
#include <cstdio>
#include <exception>
#include <new>

#include "export/InfoText.h"
#include "export/controller/ExportController.h"
#include "shared/ClassicNumbers.h"
#include "shared/ExportInterface.h"

namespace {

oskulo::CExportController* g_pController = nullptr;

__attribute__((constructor)) void CreateController() {
    g_pController = new (std::nothrow) oskulo::CExportController();
}

__attribute__((destructor)) void DestroyController() {
    delete g_pController;
    g_pController = nullptr;
}

template <typename Result, typename Call>
Result Guarded(Result failed, Call call) {
    if (g_pController == nullptr)
        return failed;
    const ClassicNumberScope classicNumbers;
    try {
        return call(*g_pController);
    } catch (...) {
        return failed;
    }
}

}  // namespace

void zExtractInfo(char* version, char* buildTime, char* buildDate) {
    oskulo::WriteInfoText(version, "1.8");
    oskulo::WriteInfoText(buildTime, __TIME__);
    oskulo::WriteInfoText(buildDate, __DATE__);
}

bool zExtractPre(ExtractParams params) {
    return Guarded(false, [&](auto& c) { return c.ExtractPre(params); });
}

int zExtractWrite(int code, const void* gop, int length, GopInfo* info) {
    return Guarded(1, [&](auto& c) { return c.ExtractWrite(code, gop, length, info); });
}

void zExtractFin() {
    Guarded(false, [](auto& c) {
        c.ExtractFin();
        return true;
    });
}

bool zIsExtractOpened() {
    return Guarded(false, [](auto& c) { return c.IsExtractOpened(); });
}

int zExtractOutput(int index, char* path, int size) {
    return Guarded(-1, [&](auto& c) {
        const auto& outputs = c.Outputs();
        if (index < 0 || std::size_t(index) >= outputs.size())
            return -1;
        const oskulo::ExportOutput& output = outputs[std::size_t(index)];
        if (path != nullptr && size > 0)
            std::snprintf(path, std::size_t(size), "%s", output.path.c_str());
        return output.written ? 0 : output.error > 0 ? output.error : EIO;
    });
}
