// The value syntax of attributes and style declarations.
#include <algorithm>
#include <cstdint>
#include <cwchar>

#include "app/controls/markup/QoHtmlDrawer.h"

namespace {

bool IsHexDigit(wchar_t c) {
    return (c >= L'0' && c <= L'9') || (c >= L'a' && c <= L'f') || (c >= L'A' && c <= L'F');
}

// Decimal, "0x" hexadecimal or leading-0 octal, clamped to the int range.
long long ReadNumber(const CString& value) {
    return std::wcstoll(value, nullptr, 0);
}

int Clamp(long long value) {
    return int(std::clamp<long long>(value, -CQoHtmlDrawer::kMaxSize, CQoHtmlDrawer::kMaxSize));
}

constexpr int kFontSizes[] = {8, 10, 12, 14, 18, 24, 36};

}  // namespace

COLORREF CQoHtmlDrawer::ParseColor(const CString& value, COLORREF current) const {
    if (value.IsEmpty())
        return current;
    if (value[0] == L'#') {
        if (value.GetLength() != 7)
            return current;
        for (int i = 1; i < 7; ++i) {
            if (!IsHexDigit(value[i]))
                return current;
        }
        const unsigned rgb = unsigned(std::wcstoul(value.Mid(1), nullptr, 16));
        return RGB(BYTE(rgb >> 16), BYTE(rgb >> 8), BYTE(rgb));
    }
    if (value[0] >= L'0' && value[0] <= L'9')
        return COLORREF(std::wcstoull(value, nullptr, 0) & 0xFFFFFFFFu);
    return GetColorByName(value, current);
}

int CQoHtmlDrawer::ParseSize(const CString& text, int current, BOOL fontSizes) const {
    if (text.IsEmpty())
        return current;
    CString value = text;
    if (value[0] == L'+' || value[0] == L'-')
        value.Delete(0);
    if (value.Right(1) == L"%")  // rounded, as MulDiv rounds
        return Clamp(MulDiv(Clamp(current), Clamp(std::wcstoll(value, nullptr, 10)), 100));
    const long long n =
        std::clamp<long long>(std::wcstoll(value, nullptr, 10), -kMaxSize, kMaxSize);
    const long long dpi = m_dc != nullptr ? GetDeviceCaps(m_dc, LOGPIXELSY) : 96;
    const CString unit = value.Right(2);
    if (unit == L"px")
        return Clamp(n);
    if (unit == L"ex") {
        SIZE x{0, m_metrics.tmHeight};
        if (m_dc != nullptr)
            GetTextExtentPoint32(m_dc, L"x", 1, &x);
        return Clamp(n * x.cy);
    }
    if (unit == L"em")
        return Clamp(n * m_metrics.tmHeight);
    if (unit == L"in")
        return Clamp(n * dpi);
    if (unit == L"cm")
        return Clamp(n * dpi * 100 / 254);
    if (unit == L"mm")
        return Clamp(n * dpi * 10 / 254);
    if (unit == L"pt")
        return Clamp(n * dpi / 72);
    if (unit == L"pc")
        return Clamp(n * dpi / 6);
    const long long number = ReadNumber(value);
    if (fontSizes && number >= 1 && number <= 7)
        return kFontSizes[number - 1];
    return Clamp(number);
}
