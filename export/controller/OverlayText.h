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

// The widest telemetry line the options can make with info's vehicle id:
// every selected part present, each with the value that prints widest (the
// lowest temperature, the highest speed, a position far west and south).
// The overlay's font is fitted to it, so that no GOP's line runs over.
void BuildWidestOsdText(const ExtractParams& params, const GopInfo& info,
                        wchar_t (&text)[kOsdTextSize]);

}  // namespace oskulo
