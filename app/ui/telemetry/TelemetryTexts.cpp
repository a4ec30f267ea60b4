#include "app/ui/telemetry/TelemetryTexts.h"

#include "app/ui/telemetry/UnitConversions.h"

CString SpeedUnitText(int unit) {
    return unit == kUnitImperial ? CString(L"mile/h") : CString(L"km/h");
}

CString TemperatureUnitText(int unit) {
    return unit == kUnitImperial ? CString(L"\u2109") : CString(L"\u2103");
}

CString ValueWithUnitText(int value, const CString& unitText) {
    CString text;
    text.Format(L"%d %s", value, unitText);
    return text;
}

CString VoltageText(float volts) {
    CString text;
    text.Format(L"%2.1fV", volts);
    return text;
}

CString CalendarTimeText(const std::tm& t) {
    CString text;
    text.Format(L"%04d-%02d-%02d %02d:%02d:%02d", t.tm_year + 1900, t.tm_mon + 1, t.tm_mday,
                t.tm_hour, t.tm_min, t.tm_sec);
    return text;
}
