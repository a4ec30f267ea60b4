#include "export/ssa/SubtitleTelemetry.h"

#include <cstring>

#include "format/TelemetryLayout.h"
#include "shared/ByteOrder.h"

namespace {

constexpr int kTemperatureAt = 14;
constexpr int kLatitudeAt = 1;
constexpr int kLongitudeAt = 11;

// Walks the sub-blocks 0 to 2; each starts with its 3-byte header.
class SubBlockWalk {
public:
    SubBlockWalk(const uint8_t* block, size_t length) : block_(block), length_(length) {}

    // The first record of the next sub-block (null without records), or
    // false when the sub-block does not fit the block.
    bool Next(size_t recordSize, const uint8_t** first) {
        if (length_ - at_ < size_t(telemetry::kSubHeaderSize))
            return false;
        const size_t count = LoadU16(block_ + at_ + 1);
        const size_t size = telemetry::kSubHeaderSize + count * recordSize;
        if (length_ - at_ < size)
            return false;
        *first = count > 0 ? block_ + at_ + telemetry::kSubHeaderSize : nullptr;
        at_ += size;
        return true;
    }

private:
    const uint8_t* block_;
    size_t length_;
    size_t at_ = telemetry::kLogHeaderSize;
};

void ReadVehicle(const uint8_t* record, SubtitleTelemetry* out) {
    const char* id = reinterpret_cast<const char*>(record);
    out->hasVehicle = true;
    out->vehicleId.assign(id, strnlen(id, telemetry::kVehicleIdSize));
    out->temperature = int8_t(record[kTemperatureAt]);
}

void ReadSpeed(const uint8_t* record, SubtitleTelemetry* out) {
    const uint16_t word = LoadU16(record);
    out->hasSpeed = true;
    out->speedWhole = word & 0xFFF;
    out->speedTenths = word >> 12;
}

void ReadGps(const uint8_t* record, SubtitleTelemetry* out) {
    out->hasGps = true;
    std::memcpy(out->latitude.data(), record + kLatitudeAt, out->latitude.size());
    std::memcpy(out->longitude.data(), record + kLongitudeAt, out->longitude.size());
}

}  // namespace

SubtitleTelemetry ReadSubtitleTelemetry(const uint8_t* block, size_t length) {
    SubtitleTelemetry out;
    if (block == nullptr || length < size_t(telemetry::kLogHeaderSize))
        return out;
    // Only the first byte of `log_hd` is read: its bits say which sub-blocks
    // follow. Its other bytes are not checked, so a block whose upper bytes
    // differ still gives its texts.
    const uint8_t present = block[0];
    struct Reader {
        int bit;
        size_t recordSize;
        void (*read)(const uint8_t*, SubtitleTelemetry*);
    };
    static constexpr Reader kReaders[] = {
        {telemetry::kVehicleData, telemetry::kVehicleRecordSize, ReadVehicle},
        {telemetry::kSpeed, telemetry::kSpeedRecordSize, ReadSpeed},
        {telemetry::kGps, telemetry::kGpsRecordSize, ReadGps},
    };
    SubBlockWalk walk(block, length);
    for (const Reader& reader : kReaders) {
        if ((present & (1u << reader.bit)) == 0)
            continue;
        const uint8_t* first = nullptr;
        if (!walk.Next(reader.recordSize, &first))
            break;
        if (first != nullptr)
            reader.read(first, &out);
    }
    return out;
}
