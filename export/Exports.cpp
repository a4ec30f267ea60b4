// The six exports of libOskulo.so over the library's one controller, made
// when the library is loaded and destroyed when it is unloaded. No exception
// leaves an export: a failure inside counts as the call's failure result.
// Each call reads and writes its numbers (positions, speeds in miles) with
// '.' as the decimal point, whatever locale the host chose.
#include <cstdio>
#include <exception>
#include <new>

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

// Each text within 19 bytes, its terminator included, as the player's own
// information export writes them.
constexpr int kInfoTextSize = 19;

}  // namespace

void zExtractInfo(char* version, char* buildTime, char* buildDate) {
    if (version != nullptr)
        std::snprintf(version, kInfoTextSize, "%s", "1.8");
    if (buildTime != nullptr)
        std::snprintf(buildTime, kInfoTextSize, "%s", __TIME__);
    if (buildDate != nullptr)
        std::snprintf(buildDate, kInfoTextSize, "%s", __DATE__);
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
        return output.written ? 0 : 1;
    });
}
