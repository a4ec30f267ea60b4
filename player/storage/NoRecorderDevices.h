// The device layer of a machine on which no recorder disk or card can be
// found: this build reads no raw devices yet. Detection never finds one, so a
// disk or card source polls until it is closed and a rebuild reports that no
// disk was found.
#pragma once

#include "player/storage/RecorderDevices.h"

class CNoRecorderDevices final : public CRecorderDevices {
public:
    bool Detect(int kind, CDataSource* paths) override;
    // Never reached, since nothing is ever detected: all refuse.
    bool Open(int kind, const CDataSource& paths) override;
    bool IsPresent(int kind) override;
    void Close(int kind) override;
    bool RebuildTimeIndex(const CDataSource& paths, const char* target,
                          zSourceCallback callback) override;
};
