// The two text lines burnt into exported pictures: the GOP's date and time,
// and the telemetry line (vehicle id, temperature, speed, position) as the
// export's overlay options select.
//
// Plain functions; no state, any thread.
#pragma once

#include <cstdint>

#include "shared/ExtractParams.h"
#include "shared/GopRecords.h"

namespace oskulo {

inline constexpr int kTimeTextSize = 32;
inline constexpr int kOsdTextSize = 128;

// The date line, empty unless osdDateTime is set.
void BuildTimeText(const ExtractParams& params, const GopInfo& info,
                   wchar_t (&text)[kTimeTextSize]);

// The telemetry line: vehicle id, temperature, speed and position, in that
// order, each when its option is set and (except the id) the GOP carries a
// record at recordIndex. A GPS record whose texts are not a valid position
// is left out: no made-up position is ever shown.
void BuildOsdText(const ExtractParams& params, const GopInfo& info, wchar_t (&text)[kOsdTextSize]);

}  // namespace oskulo
