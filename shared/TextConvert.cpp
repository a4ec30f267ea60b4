#include "TextConvert.h"

#include <cstddef>
#include <cstring>
#include <cwchar>
#include <string>

namespace {

constexpr char32_t kReplacement = 0xFFFD;

// Length of the sequence a lead byte starts, 0 for a byte that cannot lead.
int SequenceLength(unsigned char lead) {
    if (lead < 0x80)
        return 1;
    if (lead >= 0xC2 && lead <= 0xDF)
        return 2;
    if (lead >= 0xE0 && lead <= 0xEF)
        return 3;
    if (lead >= 0xF0 && lead <= 0xF4)
        return 4;
    return 0;
}

// Decodes one sequence at `s`; on a malformed one consumes a single byte and
// gives the replacement character.
char32_t DecodeOne(const unsigned char* s, std::size_t left, std::size_t* used) {
    const int n = SequenceLength(s[0]);
    *used = 1;
    if (n == 1)
        return s[0];
    if (n == 0 || std::size_t(n) > left)
        return kReplacement;
    char32_t c = s[0] & (0x7F >> n);
    for (int i = 1; i < n; ++i) {
        if ((s[i] & 0xC0) != 0x80)
            return kReplacement;
        c = (c << 6) | (s[i] & 0x3F);
    }
    static constexpr char32_t kSmallest[] = {0, 0, 0x80, 0x800, 0x10000};
    if (c < kSmallest[n] || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF))
        return kReplacement;
    *used = std::size_t(n);
    return c;
}

void AppendUtf8(std::string& out, char32_t c) {
    if (c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF))
        c = kReplacement;
    if (c < 0x80) {
        out += char(c);
    } else if (c < 0x800) {
        out += char(0xC0 | (c >> 6));
        out += char(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += char(0xE0 | (c >> 12));
        out += char(0x80 | ((c >> 6) & 0x3F));
        out += char(0x80 | (c & 0x3F));
    } else {
        out += char(0xF0 | (c >> 18));
        out += char(0x80 | ((c >> 12) & 0x3F));
        out += char(0x80 | ((c >> 6) & 0x3F));
        out += char(0x80 | (c & 0x3F));
    }
}

}  // namespace

std::wstring Utf8ToWideString(std::string_view utf8) {
    const auto* s = reinterpret_cast<const unsigned char*>(utf8.data());
    std::wstring wide;
    wide.reserve(utf8.size());
    for (std::size_t i = 0; i < utf8.size();) {
        std::size_t used = 0;
        wide += wchar_t(DecodeOne(s + i, utf8.size() - i, &used));
        i += used;
    }
    return wide;
}

wchar_t* Utf8ToWide(const char* utf8) {
    if (utf8 == nullptr)
        return nullptr;
    const std::wstring wide = Utf8ToWideString(utf8);
    auto* result = new wchar_t[wide.size() + 1];
    std::wmemcpy(result, wide.c_str(), wide.size() + 1);
    return result;
}

std::string WideToUtf8String(std::wstring_view wide) {
    std::string utf8;
    for (wchar_t c : wide)
        AppendUtf8(utf8, char32_t(c));
    return utf8;
}

char* WideToUtf8(const wchar_t* wide) {
    if (wide == nullptr)
        return nullptr;
    const std::string utf8 = WideToUtf8String(wide);
    auto* result = new char[utf8.size() + 2]();
    std::memcpy(result, utf8.data(), utf8.size());
    return result;
}
