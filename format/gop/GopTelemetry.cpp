// Step 7 of Parse: the telemetry block at the end of the GOP, log_hd and the
// sub-blocks of its set bits. Every sub-block must fit whole before the GOP's
// end; the first one that does not ends the walk, keeping what came before.
#include <algorithm>
#include <cstring>

#include "GopParts.h"
#include "format/TelemetryLayout.h"

namespace gop_detail {
namespace {

namespace tl = telemetry;

// A sub-block with its 3-byte header and `count` records of `size` bytes.
struct Records {
    const uint8_t* first;
    int count;   // all records of the sub-block
    int stored;  // those with a row in the record: below framesPerChannel
};

// Takes a whole sub-block from the cursor; false (cursor unmoved) when its
// header or its records would pass the GOP's end.
bool TakeRecords(ByteCursor& cursor, int size, const GopView& gop, Records* records) {
    ByteCursor at = cursor;
    const uint8_t* header = at.Take(tl::kSubHeaderSize);
    if (header == nullptr)
        return false;
    const int count = LoadU16(header + 1);
    const uint8_t* first = at.Take(uint64_t(count) * uint64_t(size));
    if (first == nullptr)
        return false;
    cursor = at;
    *records = {first, count, std::min(count, gop.framesPerChannel)};
    return true;
}

void SetAlarm(const uint8_t* rec, const GopView& gop, AlarmFlags* alarm) {
    const uint8_t inputs = rec[15], status = rec[16];
    for (int i = 0; i < 4; ++i) {
        alarm->inputs[i] = (inputs >> i) & 1;
        alarm->outputs[i] = (status >> i) & 1;
    }
    const bool upper = gop.first.version >= 3;
    if (!upper || gop.first.channelCountCode == 2) {
        for (int i = 4; i < 8; ++i)
            alarm->inputs[i] = 0;
    } else if (gop.first.channelCountCode == 3) {
        for (int i = 4; i < 8; ++i)
            alarm->inputs[i] = (inputs >> i) & 1;
    }  // any other code leaves inputs 5 to 8 as they were
}

bool ReadVehicle(ByteCursor& cursor, const GopView& gop, GopInfo* info) {
    Records r;
    if (!TakeRecords(cursor, tl::kVehicleRecordSize, gop, &r))
        return false;
    if (r.count > 0)
        std::memcpy(info->carId, r.first, tl::kVehicleIdSize);
    for (int k = 0; k < r.stored; ++k) {
        const uint8_t* rec = r.first + tl::kVehicleRecordSize * k;
        info->temperature[k] = int8_t(rec[14]);
        SetAlarm(rec, gop, &info->alarm[k]);
    }
    info->temperatureCount += r.stored;
    info->alarmCount += r.stored;
    return true;
}

// Speed and voltage: u16 words of whole part and tenths.
bool ReadTenths(ByteCursor& cursor, const GopView& gop, float* values, int32_t* count) {
    Records r;
    if (!TakeRecords(cursor, tl::kSpeedRecordSize, gop, &r))
        return false;
    for (int k = 0; k < r.stored; ++k)
        values[k] = tl::TenthsWordValue(LoadU16(r.first + tl::kSpeedRecordSize * k));
    *count += r.stored;
    return true;
}

bool ReadGps(ByteCursor& cursor, const GopView& gop, GopInfo* info) {
    Records r;
    if (!TakeRecords(cursor, tl::kGpsRecordSize, gop, &r))
        return false;
    for (int k = 0; k < r.stored; ++k) {
        const uint8_t* rec = r.first + tl::kGpsRecordSize * k;
        GpsText& gps = info->gps[k];
        std::memcpy(gps.latitude, rec + 1, sizeof(gps.latitude));
        std::memcpy(gps.longitude, rec + 11, sizeof(gps.longitude));
        std::memcpy(gps.altitude, rec + 22, sizeof(gps.altitude));
    }
    info->gpsCount += r.stored;
    return true;
}

bool ReadGSensor(ByteCursor& cursor, const GopView& gop, GopInfo* info) {
    Records r;
    if (!TakeRecords(cursor, tl::kGSensorRecordSize, gop, &r))
        return false;
    for (int k = 0; k < r.stored; ++k)
        for (int axis = 0; axis < 3; ++axis)
            info->gsensor[k][axis] = int8_t(r.first[tl::kGSensorRecordSize * k + axis]);
    info->gsensorCount += r.stored;
    return true;
}

void ClearCounts(GopInfo* info) {
    info->temperatureCount = info->alarmCount = info->speedCount = info->gpsCount = 0;
    info->gsensorCount = info->tpmsCount = info->voltageCount = 0;
}

// One sub-block; false ends the walk (it did not fit, or a bad truck layout).
bool ReadSubBlock(int bit, ByteCursor& cursor, const GopView& gop, GopInfo* info) {
    switch (bit) {
        case tl::kVehicleData:
            return ReadVehicle(cursor, gop, info);
        case tl::kSpeed:
            return ReadTenths(cursor, gop, info->speed, &info->speedCount);
        case tl::kGps:
            return ReadGps(cursor, gop, info);
        case tl::kGSensor:
            return ReadGSensor(cursor, gop, info);
        case tl::kTyres:
            return ReadTyres(cursor, gop, info) == TyreResult::kGoodLayout;
        case tl::kReserved5:
            return cursor.Skip(tl::kReserved5BlockSize);
        case tl::kReserved6:
            return cursor.Skip(tl::kReserved6BlockSize);
        default:
            return ReadTenths(cursor, gop, info->voltage, &info->voltageCount);
    }
}

}  // namespace

void ReadTelemetry(const GopView& gop, GopInfo* info) {
    ClearCounts(info);
    if (gop.telemetryLength == 0)
        return;
    ByteCursor cursor(gop.bytes, gop.end, gop.end - gop.telemetryLength);
    uint32_t logHd = 0;
    if (!cursor.ReadU32(&logHd) || (logHd & tl::kLogTagMask) != tl::kLogTag)
        return;
    for (int bit = 0; bit < 8; ++bit)
        if (((logHd >> bit) & 1) != 0 && !ReadSubBlock(bit, cursor, gop, info))
            return;
}

}  // namespace gop_detail
