// The JSON of the records the library hands to its host.
#pragma once

#include <string>

#include "shared/GopRecords.h"
#include "shared/IndexRecords.h"
#include "tools/trevane-dump/JsonLine.h"

// Every GopInfo field but the two pointers (pictures, audioData), keyed by
// its field name. Per-channel tables cover the record's channels, frame
// tables its frames per channel, and each telemetry array its count.
JsonLine GopInfoJson(const GopInfo& info);

JsonLine InxHdJson(const InxHd& header);
JsonLine InxUnitJson(const InxUnit& unit);
std::string GpsJson(const GpsText& gps);
std::string AlarmJson(const AlarmFlags& alarm);
std::string TyresJson(const TpmsTyre* tyres, int count);
