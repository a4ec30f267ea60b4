// An export library for the binding tests: every export of the real one,
// answering with values the tests can recognise.
#include <cstdio>
#include <cstring>

#include "shared/ExportInterface.h"

void zExtractInfo(char* version, char* buildTime, char* buildDate) {
    std::strcpy(version, "stub");
    std::strcpy(buildTime, "12:00:00");
    std::strcpy(buildDate, "Dec 10 2026");
}
bool zExtractPre(ExtractParams params) {
    return params.numChannels == 16 && params.aviOn[15] == 1 &&
           std::strcmp(params.outputDir, "/out") == 0;
}
int zExtractWrite(int code, const void* gop, int length, GopInfo* info) {
    return gop != nullptr && info != nullptr ? code + length : -1;
}
void zExtractFin() {}
bool zIsExtractOpened() {
    return true;
}
int zExtractOutput(int index, char* path, int size) {
    if (index != 0)
        return -1;
    std::snprintf(path, std::size_t(size), "%s", "/out/stub.avi");
    return 1;
}
