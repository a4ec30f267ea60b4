// One whole rebuild of a recorder disk's time index, as the rebuild thread
// runs it: find the disk, scan its ring into a new index in a private
// temporary folder, put it in place behind a ".bak" of the old one, and
// remove the temporary folder whatever happened.
//
// Threads: runs on the caller's thread; `stop` may be set from any thread
// and ends the scan before its next sector.
#pragma once

#include <atomic>

#include "player/disk/HddSource.h"
#include "shared/PlayerInterface.h"

// The rebuild's end, for its one end report: SOURCE_REBUILD_DONE with the
// new index in place; SOURCE_DISK_NOT_FOUND, SOURCE_REBUILD_FAILED or
// SOURCE_REBUILD_STOPPED with the disk's index as it was. Progress goes to
// `progress` as (5, null, 0..10000); the end is left to the caller.
zSourceStatus RunTimeIndexRebuild(RebuildCallback progress, const std::atomic<bool>& stop);
