#include "app/ui/find/QuickSearch.h"

#include <cstdlib>

#include "app/res/ResourceIds.h"
#include "app/shell/LanguageTexts.h"
#include "app/ui/find/FindTexts.h"
#include "app/ui/find/QuickRecord.h"
#include "app/ui/telemetry/UnitConversions.h"
#include "shared/GpsDegrees.h"

namespace {

// A record's position as the decimal-degree texts; false without a valid fix.
struct DegreeTexts {
    char longitude[11] = {};
    char latitude[10] = {};
};

bool ReadDegreeTexts(const QuickRecord& record, DegreeTexts* out) {
    char altitude[10] = {};
    return GpsTextToDegrees(record.Longitude(), record.Latitude(), nullptr, out->longitude,
                            out->latitude, altitude);
}

bool Within(double value, double centre, double tolerance) {
    return centre - tolerance <= value && value <= centre + tolerance;
}

int DisplayTyreTemperature(int unit, int temperatureByte) {
    return int(
        RoundHalfAway(CelsiusToDisplayTemperature(unit, temperatureByte - kTyreTemperatureOffset)));
}

CString TyreCells(const QuickRecord& record, int temperatureUnit) {
    CString text;
    for (int t = 0; t < record.TyreCount(); ++t) {
        const uint8_t temperature = record.TyreTemperatureByte(t);
        if (QuickRecord::IsValidTyreTemperature(temperature))
            text.AppendFormat(L" %d:%d/%d", t + 1, record.TyrePsi(t),
                              DisplayTyreTemperature(temperatureUnit, temperature));
        else
            text.AppendFormat(L" %d:%d/error", t + 1, record.TyrePsi(t));
    }
    return text;
}

CString PositionCell(const QuickRecord& record) {
    DegreeTexts degrees;
    if (!ReadDegreeTexts(record, &degrees))
        return L"-";
    return CString(degrees.longitude) + L"/" + CString(degrees.latitude);
}

CString Number(const wchar_t* format, double value) {
    CString text;
    text.Format(format, value);
    return text;
}

}  // namespace

QuickRecordTest::QuickRecordTest(const QuickSearch& search, const FindUnits& units)
    : m_search(search) {
    switch (search.buttonId) {
        case IDC_FIND_SPEED_BUTTON:
            m_threshold = RoundHalfAway(DisplaySpeedToKmh(units.speedUnit, search.value));
            break;
        case IDC_FIND_TEMPERATURE_BUTTON:
            m_threshold =
                RoundHalfAway(DisplayTemperatureToCelsius(units.temperatureUnit, search.value));
            break;
        case IDC_FIND_TYRE_TEMP_BUTTON:
            m_threshold =
                RoundHalfAway(DisplayTemperatureToCelsius(units.temperatureUnit, search.value)) +
                kTyreTemperatureOffset;
            break;
        default:
            m_threshold = search.value;
    }
}

bool QuickRecordTest::operator()(const QuickInxUnit& unit) const {
    const QuickRecord record(unit);
    switch (m_search.buttonId) {
        case IDC_FIND_SPEED_BUTTON:
            return m_threshold >= 0 && record.SpeedKmh() > m_threshold;
        case IDC_FIND_G_BUTTON:
            for (int axis = 0; axis < 3; ++axis) {
                const double g = record.GForce(axis);
                if (g > m_threshold || g < -m_threshold)
                    return true;
            }
            return false;
        case IDC_FIND_TEMPERATURE_BUTTON:
            return record.TemperatureCelsius() > m_threshold;
        case IDC_FIND_TYRE_TEMP_BUTTON:
            return AnyTyre(unit, &QuickRecordTest::TyreHotter);
        case IDC_FIND_PRESSURE_ABOVE_BUTTON:
            return AnyTyre(unit, &QuickRecordTest::PressureAbove);
        case IDC_FIND_PRESSURE_BELOW_BUTTON:
            return AnyTyre(unit, &QuickRecordTest::PressureBelow);
        case IDC_FIND_POSITION_BUTTON:
            return PositionMatches(unit);
        default:
            return false;
    }
}

bool QuickRecordTest::PositionMatches(const QuickInxUnit& unit) const {
    DegreeTexts degrees;
    return ReadDegreeTexts(QuickRecord(unit), &degrees) &&
           Within(std::atof(degrees.longitude), m_search.longitudeCentre,
                  m_search.longitudeTolerance) &&
           Within(std::atof(degrees.latitude), m_search.latitudeCentre, m_search.latitudeTolerance);
}

bool QuickRecordTest::AnyTyre(const QuickInxUnit& unit,
                              bool (QuickRecordTest::*test)(int, int) const) const {
    const QuickRecord record(unit);
    for (int t = 0; t < record.TyreCount(); ++t) {
        if ((this->*test)(record.TyrePsi(t), record.TyreTemperatureByte(t)))
            return true;
    }
    return false;
}

// A tyre whose sensor reports an error value has no temperature to compare.
bool QuickRecordTest::TyreHotter(int, int temperatureByte) const {
    return QuickRecord::IsValidTyreTemperature(uint8_t(temperatureByte)) &&
           temperatureByte > m_threshold;
}

bool QuickRecordTest::PressureAbove(int psi, int) const {
    return psi > m_threshold;
}

bool QuickRecordTest::PressureBelow(int psi, int) const {
    return psi < m_threshold;
}

std::vector<CString> QuickListHeadings(const FindUnits& units) {
    CString temperature, position, tyres;
    temperature.Format(L"%s(%s)", IDC_STATIC_G3.GetString(), units.temperatureUnitText.GetString());
    position.Format(L"%s/%s(\u00b0)", IDC_STATIC_LO.GetString(), IDC_STATIC_LA.GetString());
    tyres.Format(L"%s(PSI)/%s(%s)", IDC_STATIC_P.GetString(), IDC_STATIC_T.GetString(),
                 units.temperatureUnitText.GetString());
    return {L"tindex",
            IDS_STRING298.Get(),
            IDC_STATIC_S + L"(" + units.speedUnitText + L")",
            L"gx/gy/gz(G)",
            temperature,
            position,
            L"wheel",
            tyres};
}

std::vector<CString> QuickResultCells(const QuickInxUnit& unit, const InxUnit* timeUnit,
                                      const FindUnits& units) {
    const QuickRecord record(unit);
    CString entry, forces, tyreCount;
    entry.Format(L"%d", int(record.TimeEntry()));
    forces.Format(L"%.2f/%.2f/%.2f", record.GForce(0), record.GForce(1), record.GForce(2));
    tyreCount.Format(L"%d", record.TyreCount());
    return {
        entry,
        timeUnit != nullptr ? FormatRecordingTime(timeUnit->time) : CString(L"-"),
        Number(L"%.0f", RoundHalfAway(KmhToDisplaySpeed(units.speedUnit, record.SpeedKmh()))),
        forces,
        Number(L"%.0f", RoundHalfAway(CelsiusToDisplayTemperature(units.temperatureUnit,
                                                                  record.TemperatureCelsius()))),
        PositionCell(record),
        tyreCount,
        TyreCells(record, units.temperatureUnit),
    };
}
