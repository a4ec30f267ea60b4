// An export library for the main window's tests: the six exports, doing
// nothing, so that the binding succeeds without the real one.
#include "shared/ExportInterface.h"

void zExtractInfo(char*, char*, char*) {}
bool zExtractPre(ExtractParams) {
    return false;
}
int zExtractWrite(int, const void*, int, GopInfo*) {
    return 0;
}
void zExtractFin() {}
bool zIsExtractOpened() {
    return false;
}
int zExtractOutput(int, char*, int) {
    return -1;
}
