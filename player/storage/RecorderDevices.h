// CRecorderDevices: the layer under the source manager that finds a
// recorder's hard disk or SD card attached to this machine and reads it raw.
// The source manager's device threads call it; which implementation they get
// is chosen when the manager is built.
//
// Kinds are source types: 1 recorder hard disk, 2 SD card.
//
// Threads: Detect and RebuildTimeIndex on the storage threads without the
// manager's lock; Open, IsPresent and Close under it, never at once.
#pragma once

#include "player/source/DataSource.h"
#include "shared/PlayerInterface.h"

class CRecorderDevices {
public:
    virtual ~CRecorderDevices() = default;

    // Looks once for an attached device of `kind`; true with the four paths
    // of its data and indexes in `paths`.
    virtual bool Detect(int kind, CDataSource* paths) = 0;
    // Opens the device reader of `kind` on detected paths.
    virtual bool Open(int kind, const CDataSource& paths) = 0;
    // Is the open device of `kind` still attached?
    virtual bool IsPresent(int kind) = 0;
    virtual void Close(int kind) = 0;
    // Rebuilds the time index of the disk at `paths` into the file `target`
    // with a reader of its own, reporting progress and the end (kind 5) to
    // `callback`. True when it reported its end.
    virtual bool RebuildTimeIndex(const CDataSource& paths, const char* target,
                                  zSourceCallback callback) = 0;
};
