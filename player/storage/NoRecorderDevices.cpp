#include "player/storage/NoRecorderDevices.h"

bool CNoRecorderDevices::Detect(int, CDataSource*) {
    return false;
}

bool CNoRecorderDevices::Open(int, const CDataSource&) {
    return false;
}

bool CNoRecorderDevices::IsPresent(int) {
    return false;
}

void CNoRecorderDevices::Close(int) {}

bool CNoRecorderDevices::RebuildTimeIndex(const CDataSource&, const char*, zSourceCallback) {
    return false;
}
