#include "platform/user/DateTimeFormat.h"

#include <cwchar>

namespace {

struct Pattern {
    const wchar_t* text;
    DateField field;
    int width;
};

// Longest first, so "yyyy" wins over "yy".
constexpr Pattern kPatterns[] = {
    {L"yyyy", DateField::Year, 4}, {L"yy", DateField::Year, 2},   {L"MM", DateField::Month, 2},
    {L"M", DateField::Month, 1},   {L"dd", DateField::Day, 2},    {L"d", DateField::Day, 1},
    {L"HH", DateField::Hour24, 2}, {L"H", DateField::Hour24, 1},  {L"hh", DateField::Hour12, 2},
    {L"h", DateField::Hour12, 1},  {L"mm", DateField::Minute, 2}, {L"m", DateField::Minute, 1},
    {L"ss", DateField::Second, 2}, {L"s", DateField::Second, 1},  {L"tt", DateField::AmPm, 2},
};

void AddLiteral(std::vector<FormatPart>& parts, const std::wstring& text) {
    if (!parts.empty() && parts.back().field == DateField::Literal)
        parts.back().literal += text;
    else
        parts.push_back(FormatPart{DateField::Literal, 0, text});
}

int Wrap(int value, int low, int count) {
    return low + ((value - low) % count + count) % count;
}

std::wstring Number(int value, int width) {
    wchar_t buffer[16];
    std::swprintf(buffer, 16, L"%0*d", width, value);
    return buffer;
}

long long Key(const SYSTEMTIME& t) {
    return ((((static_cast<long long>(t.wYear) * 13 + t.wMonth) * 32 + t.wDay) * 24 + t.wHour) *
                60 +
            t.wMinute) *
               60 +
           t.wSecond;
}

}  // namespace

std::vector<FormatPart> ParseDateFormat(const std::wstring& format) {
    std::vector<FormatPart> parts;
    size_t i = 0;
    while (i < format.size()) {
        if (format[i] == L'\'') {
            const size_t end = format.find(L'\'', i + 1);
            const size_t stop = end == std::wstring::npos ? format.size() : end;
            AddLiteral(parts, format.substr(i + 1, stop - i - 1));
            i = stop + 1;
            continue;
        }
        const Pattern* match = nullptr;
        for (const Pattern& p : kPatterns) {
            if (format.compare(i, std::wcslen(p.text), p.text) == 0) {
                match = &p;
                break;
            }
        }
        if (match == nullptr) {
            AddLiteral(parts, std::wstring(1, format[i++]));
            continue;
        }
        parts.push_back(FormatPart{match->field, match->width, L""});
        i += std::wcslen(match->text);
    }
    return parts;
}

std::wstring FormatPartText(const FormatPart& part, const SYSTEMTIME& t) {
    switch (part.field) {
        case DateField::Literal:
            return part.literal;
        case DateField::Year:
            return Number(part.width == 2 ? t.wYear % 100 : t.wYear, part.width);
        case DateField::Month:
            return Number(t.wMonth, part.width);
        case DateField::Day:
            return Number(t.wDay, part.width);
        case DateField::Hour24:
            return Number(t.wHour, part.width);
        case DateField::Hour12:
            return Number(t.wHour % 12 == 0 ? 12 : t.wHour % 12, part.width);
        case DateField::Minute:
            return Number(t.wMinute, part.width);
        case DateField::Second:
            return Number(t.wSecond, part.width);
        case DateField::AmPm:
            return t.wHour < 12 ? L"AM" : L"PM";
    }
    return L"";
}

SYSTEMTIME StepDateField(const SYSTEMTIME& t, DateField field, int delta) {
    SYSTEMTIME r = t;
    switch (field) {
        case DateField::Year:
            r.wYear = WORD(t.wYear + delta);
            break;
        case DateField::Month:
            r.wMonth = WORD(Wrap(t.wMonth + delta, 1, 12));
            break;
        case DateField::Day:
            r.wDay = WORD(Wrap(t.wDay + delta, 1, DaysInMonth(t.wYear, t.wMonth)));
            break;
        case DateField::Hour24:
        case DateField::Hour12:
            r.wHour = WORD(Wrap(t.wHour + delta, 0, 24));
            break;
        case DateField::Minute:
            r.wMinute = WORD(Wrap(t.wMinute + delta, 0, 60));
            break;
        case DateField::Second:
            r.wSecond = WORD(Wrap(t.wSecond + delta, 0, 60));
            break;
        case DateField::AmPm:
            r.wHour = WORD((t.wHour + 12) % 24);
            break;
        case DateField::Literal:
            break;
    }
    if (r.wDay > DaysInMonth(r.wYear, r.wMonth))
        r.wDay = WORD(DaysInMonth(r.wYear, r.wMonth));
    SetDayOfWeek(&r);
    return r;
}

bool SetDateField(SYSTEMTIME* t, DateField field, int value) {
    SYSTEMTIME r = *t;
    switch (field) {
        case DateField::Year:
            r.wYear = WORD(value);
            break;
        case DateField::Month:
            r.wMonth = WORD(value);
            break;
        case DateField::Day:
            r.wDay = WORD(value);
            break;
        case DateField::Hour24:
            r.wHour = WORD(value);
            break;
        case DateField::Hour12:
            r.wHour = WORD(value % 12 + (t->wHour >= 12 ? 12 : 0));
            break;
        case DateField::Minute:
            r.wMinute = WORD(value);
            break;
        case DateField::Second:
            r.wSecond = WORD(value);
            break;
        default:
            return false;
    }
    if (field == DateField::Hour12 && (value < 1 || value > 12))
        return false;
    if (r.wMonth >= 1 && r.wMonth <= 12 && r.wDay > DaysInMonth(r.wYear, r.wMonth) &&
        field != DateField::Day)
        r.wDay = WORD(DaysInMonth(r.wYear, r.wMonth));
    if (!IsValidSystemTime(r))
        return false;
    SetDayOfWeek(&r);
    *t = r;
    return true;
}

int DaysInMonth(int year, int month) {
    static constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
    return month == 2 && leap ? 29 : kDays[(month - 1) % 12];
}

void SetDayOfWeek(SYSTEMTIME* t) {
    // Days from 1 March of year 0 in the proleptic Gregorian calendar.
    const int y = t->wMonth <= 2 ? t->wYear - 1 : t->wYear;
    const int m = t->wMonth <= 2 ? t->wMonth + 9 : t->wMonth - 3;
    const long days = 365L * y + y / 4 - y / 100 + y / 400 + (153 * m + 2) / 5 + t->wDay - 1;
    t->wDayOfWeek = WORD((days + 3) % 7);  // 1 March of year 0 was a Wednesday
}

int CompareSystemTimes(const SYSTEMTIME& a, const SYSTEMTIME& b) {
    const long long ka = Key(a);
    const long long kb = Key(b);
    return ka < kb ? -1 : (ka > kb ? 1 : 0);
}

bool IsValidSystemTime(const SYSTEMTIME& t) {
    return t.wYear >= 1601 && t.wYear <= 30827 && t.wMonth >= 1 && t.wMonth <= 12 && t.wDay >= 1 &&
           t.wDay <= DaysInMonth(t.wYear, t.wMonth) && t.wHour < 24 && t.wMinute < 60 &&
           t.wSecond < 60;
}
