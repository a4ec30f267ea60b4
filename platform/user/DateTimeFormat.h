// The fields of a date-time picker's format and what the keys do to them.
// A format is made of fields (yyyy, yy, M, MM, d, dd, H, HH, h, hh, m, mm, s,
// ss, tt) and literal text between them (any other character, or text in
// single quotes). Plain data, no window.
#pragma once

#include <string>
#include <vector>

#include "platform/base/SystemTime.h"

enum class DateField { Literal, Year, Month, Day, Hour24, Hour12, Minute, Second, AmPm };

struct FormatPart {
    DateField field = DateField::Literal;
    int width = 0;         // digits shown (2 pads with a zero; 4 and 2 for years)
    std::wstring literal;  // for DateField::Literal
};

std::vector<FormatPart> ParseDateFormat(const std::wstring& format);
std::wstring FormatPartText(const FormatPart& part, const SYSTEMTIME& t);

// `t` with `field` moved by `delta` units, wrapping within the field (a
// year is not wrapped); the day is kept within the month.
SYSTEMTIME StepDateField(const SYSTEMTIME& t, DateField field, int delta);
// `t` with `field` set to a typed value; false when it cannot hold it.
bool SetDateField(SYSTEMTIME* t, DateField field, int value);

int DaysInMonth(int year, int month);
// Fills wDayOfWeek.
void SetDayOfWeek(SYSTEMTIME* t);
// Orders two times by their date and time fields (milliseconds and the day
// of the week are ignored): negative, zero or positive.
int CompareSystemTimes(const SYSTEMTIME& a, const SYSTEMTIME& b);
bool IsValidSystemTime(const SYSTEMTIME& t);
