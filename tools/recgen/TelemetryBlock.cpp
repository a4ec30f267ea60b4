#include "tools/recgen/TelemetryBlock.h"

#include <algorithm>
#include <stdexcept>

#include "format/TelemetryLayout.h"
#include "shared/ByteOrder.h"

namespace recgen {
namespace {

using Bytes = std::vector<uint8_t>;

uint8_t* Grow(Bytes& out, std::size_t n) {
    out.resize(out.size() + n, 0);
    return out.data() + out.size() - n;
}

void PutText(uint8_t* at, const std::string& text, std::size_t width) {
    std::copy_n(text.begin(), std::min(width, text.size()), at);
}

uint16_t CountOf(const TelemetryBlock& block, int bit, std::size_t records) {
    if (records > 0xFFFF)
        throw std::length_error("telemetry: more than 65535 records");
    return block.declaredCount[std::size_t(bit)].value_or(uint16_t(records));
}

void PutSubHeader(Bytes& out, uint16_t count) {
    StoreU16(Grow(out, 3) + 1, count);
}

void PutVehicle(Bytes& out, const std::vector<VehicleRecord>& records) {
    for (const VehicleRecord& r : records) {
        uint8_t* at = Grow(out, telemetry::kVehicleRecordSize);
        PutText(at, r.id, telemetry::kVehicleIdSize);
        at[14] = uint8_t(r.temperature);
        at[15] = r.alarmInputs;
        at[16] = r.statusBits;
    }
}

void PutWords(Bytes& out, const std::vector<uint16_t>& words) {
    for (uint16_t w : words)
        StoreU16(Grow(out, 2), w);
}

void PutGps(Bytes& out, const std::vector<GpsRecord>& records) {
    for (const GpsRecord& r : records) {
        uint8_t* at = Grow(out, telemetry::kGpsRecordSize);
        PutText(at + 1, r.latitude, 10);
        PutText(at + 11, r.longitude, 11);
        PutText(at + 22, r.altitude, 7);
    }
}

void PutGSensor(Bytes& out, const std::vector<GSensorRecord>& records) {
    for (const GSensorRecord& r : records) {
        uint8_t* at = Grow(out, telemetry::kGSensorRecordSize);
        at[0] = uint8_t(r.x);
        at[1] = uint8_t(r.y);
        at[2] = uint8_t(r.z);
    }
}

void PutTyres(Bytes& out, const TyreBlock& t, std::optional<uint16_t> declared) {
    if (t.tyres.size() > 255)
        throw std::length_error("telemetry: more than 255 tyres");
    uint8_t* hd = Grow(out, telemetry::kTyreHeaderSize);
    StoreU16(hd + 1, declared.value_or(t.recordCount));
    hd[3] = uint8_t(t.tyres.size());
    for (const TyreEntry& e : t.tyres) {
        uint8_t* at = Grow(out, telemetry::kTyreEntrySize);
        at[0] = e.id;
        at[1] = e.status;
        at[2] = e.temperature;
        at[3] = e.pressure;
    }
    uint8_t* truck = Grow(out, telemetry::kTruckLayoutSize);
    truck[0] = t.truck.tractor;
    truck[1] = t.truck.trailer1;
    truck[2] = t.truck.trailer2;
    truck[3] = t.truck.axleFlags;
}

void PutReserved(Bytes& out, uint16_t count, int blockSize) {
    PutSubHeader(out, count);
    Grow(out, std::size_t(blockSize - telemetry::kSubHeaderSize));
}

uint32_t PresentBits(const TelemetryBlock& b) {
    const bool present[8] = {
        b.vehicle.has_value(),        b.speed.has_value(),  b.gps.has_value(),
        b.gsensor.has_value(),        b.tyres.has_value(),  b.reserved5Count.has_value(),
        b.reserved6Count.has_value(), b.voltage.has_value()};
    uint32_t bits = 0;
    for (int i = 0; i < 8; ++i)
        bits |= present[i] ? (1u << i) : 0u;
    return bits;
}

}  // namespace

std::vector<uint8_t> EncodeTelemetry(const TelemetryBlock& b) {
    using namespace telemetry;
    Bytes out;
    const uint32_t bits = PresentBits(b);
    // A wrong top byte, not wrong middle bits: the tag check must look at the top byte.
    StoreU32(Grow(out, kLogHeaderSize), (b.invalidTag ? 0x5B000000u : kLogTag) | bits);
    if (b.vehicle) {
        PutSubHeader(out, CountOf(b, kVehicleData, b.vehicle->size()));
        PutVehicle(out, *b.vehicle);
    }
    if (b.speed) {
        PutSubHeader(out, CountOf(b, kSpeed, b.speed->size()));
        PutWords(out, *b.speed);
    }
    if (b.gps) {
        PutSubHeader(out, CountOf(b, kGps, b.gps->size()));
        PutGps(out, *b.gps);
    }
    if (b.gsensor) {
        PutSubHeader(out, CountOf(b, kGSensor, b.gsensor->size()));
        PutGSensor(out, *b.gsensor);
    }
    if (b.tyres)
        PutTyres(out, *b.tyres, b.declaredCount[kTyres]);
    if (b.reserved5Count)
        PutReserved(out, *b.reserved5Count, kReserved5BlockSize);
    if (b.reserved6Count)
        PutReserved(out, *b.reserved6Count, kReserved6BlockSize);
    if (b.voltage) {
        PutSubHeader(out, CountOf(b, kVoltage, b.voltage->size()));
        PutWords(out, *b.voltage);
    }
    return out;
}

}  // namespace recgen
