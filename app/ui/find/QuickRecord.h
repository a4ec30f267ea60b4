// The fields of a recorder's 128-byte quick-index record (little-endian):
//   0 u32 time-index entry, 4 u16 speed (km/h), 6 u16 temperature (degrees
//   Celsius, above 127 meaning value - 256), 8..10 i8 G-sensor x, y, z
//   (g = value * 2 / 127), 12 u8 tyre count, 16 + 2t u8 tyre t's pressure
//   (PSI), 17 + 2t u8 tyre t's temperature + 40 (valid 0..185), 84 char[10]
//   latitude, 96 char[11] longitude, 108 char[7] altitude (GPS texts).
// The tyre pairs end where the latitude begins, so at most 34 fit; a larger
// count in a damaged record is cut to that.
#pragma once

#include <algorithm>
#include <cstdint>

#include "shared/ByteOrder.h"
#include "shared/QuickIndexRecords.h"

inline constexpr int kQuickTyreCapacity = 34;
inline constexpr int kTyreTemperatureOffset = 40;
inline constexpr uint8_t kTyreTemperatureValidMax = 185;

class QuickRecord {
public:
    explicit QuickRecord(const QuickInxUnit& unit) : m_bytes(unit.bytes) {}

    uint32_t TimeEntry() const { return LoadU32(m_bytes); }
    uint16_t SpeedKmh() const { return LoadU16(m_bytes + 4); }
    int TemperatureCelsius() const {
        const int value = LoadU16(m_bytes + 6);
        return value > 127 ? value - 256 : value;
    }
    // Axis 0, 1, 2: x, y, z in g.
    double GForce(int axis) const { return int8_t(m_bytes[8 + axis]) * 2.0 / 127; }
    int TyreCount() const { return std::min<int>(m_bytes[12], kQuickTyreCapacity); }
    uint8_t TyrePsi(int tyre) const { return m_bytes[16 + 2 * tyre]; }
    // The stored byte: the temperature + 40.
    uint8_t TyreTemperatureByte(int tyre) const { return m_bytes[17 + 2 * tyre]; }
    static bool IsValidTyreTemperature(uint8_t byte) { return byte <= kTyreTemperatureValidMax; }

    // GPS texts, not terminated: 10 and 11 characters (the altitude at 108
    // is not read).
    const char* Latitude() const { return reinterpret_cast<const char*>(m_bytes + 84); }
    const char* Longitude() const { return reinterpret_cast<const char*>(m_bytes + 96); }

private:
    const uint8_t* m_bytes;
};

// The first and last record numbers of a quick-index header, laid out as a
// time index's header (magic, first, last).
inline uint32_t QuickFirstRecord(const QuickInxHd& header) {
    return LoadU32(header.bytes + 4);
}
inline uint32_t QuickLastRecord(const QuickInxHd& header) {
    return LoadU32(header.bytes + 8);
}
