#include "platform/afx/StringFormat.h"

#include <cstdint>
#include <cstdio>

namespace {

struct Conversion {
    std::string flags;  // "-+ #0"
    int width = -1;     // -1: none
    int precision = -1;
    bool widthArg = false;
    bool precisionArg = false;
    char length = 0;  // 'h', 'H' (hh), 'l', 'L' (64-bit), 'z'
    wchar_t type = 0;
};

const wchar_t* ParseConversion(const wchar_t* p, Conversion* s) {
    while (*p == L'-' || *p == L'+' || *p == L' ' || *p == L'#' || *p == L'0')
        s->flags += char(*p++);
    if (*p == L'*') {
        s->widthArg = true;
        ++p;
    } else if (*p >= L'0' && *p <= L'9') {
        s->width = 0;
        while (*p >= L'0' && *p <= L'9')
            s->width = s->width * 10 + (*p++ - L'0');
    }
    if (*p == L'.') {
        ++p;
        s->precision = 0;
        if (*p == L'*') {
            s->precisionArg = true;
            ++p;
        }
        while (*p >= L'0' && *p <= L'9')
            s->precision = s->precision * 10 + (*p++ - L'0');
    }
    if (p[0] == L'I' && p[1] == L'6' && p[2] == L'4') {
        s->length = 'L';
        p += 3;
    } else if (p[0] == L'I' && p[1] == L'3' && p[2] == L'2') {
        p += 3;
    } else if (p[0] == L'l' && p[1] == L'l') {
        s->length = 'L';
        p += 2;
    } else if (p[0] == L'h' && p[1] == L'h') {
        s->length = 'H';
        p += 2;
    } else if (*p == L'l' || *p == L'h' || *p == L'w' || *p == L'z' || *p == L'I') {
        s->length = *p == L'w' ? 'l' : *p == L'I' ? 'z' : char(*p);
        ++p;
    }
    s->type = *p;
    return *p != 0 ? p + 1 : p;
}

std::wstring Pad(std::wstring text, const Conversion& s) {
    if (s.width < 0 || int(text.size()) >= s.width)
        return text;
    const size_t fill = size_t(s.width) - text.size();
    if (s.flags.find('-') != std::string::npos)
        return text + std::wstring(fill, L' ');
    return std::wstring(fill, L' ') + text;
}

std::wstring Widen(const char* narrow) {
    std::wstring out;
    for (const char* p = narrow; *p != 0; ++p)
        out += wchar_t(static_cast<unsigned char>(*p));
    return out;
}

std::string NumberFormat(const Conversion& s, const char* length, char type) {
    std::string conversion = "%" + s.flags;
    if (s.width >= 0)
        conversion += std::to_string(s.width);
    if (s.precision >= 0)
        conversion += "." + std::to_string(s.precision);
    return conversion + length + type;
}

// The format is rebuilt from a parsed conversion whose type matches `value`.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wformat-nonliteral"
template <typename T>
std::wstring Number(const Conversion& s, const char* length, T value) {
    char buffer[512];
    std::snprintf(buffer, sizeof buffer, NumberFormat(s, length, char(s.type)).c_str(), value);
    return Widen(buffer);
}
#pragma GCC diagnostic pop

std::wstring Integer(const Conversion& s, va_list& args) {
    const bool isSigned = s.type == L'd' || s.type == L'i';
    if (s.length == 'L') {
        return isSigned ? Number(s, "ll", va_arg(args, long long))
                        : Number(s, "ll", va_arg(args, unsigned long long));
    }
    if (s.length == 'z')
        return Number(s, "z", va_arg(args, size_t));
    // 'l' is 32 bits, as the original platform's long is.
    const int v = va_arg(args, int);
    if (s.length == 'h')
        return isSigned ? Number(s, "", int(short(v))) : Number(s, "", unsigned(uint16_t(v)));
    if (s.length == 'H')
        return isSigned ? Number(s, "", int(int8_t(v))) : Number(s, "", unsigned(uint8_t(v)));
    return isSigned ? Number(s, "", v) : Number(s, "", unsigned(v));
}

std::wstring Text(const Conversion& s, va_list& args) {
    const bool narrow = s.length == 'h' || (s.type == L'S' && s.length != 'l');
    std::wstring text;
    if (narrow) {
        const char* p = va_arg(args, const char*);
        text = p != nullptr ? WidenUtf8(p) : L"(null)";
    } else {
        const wchar_t* p = va_arg(args, const wchar_t*);
        text = p != nullptr ? p : L"(null)";
    }
    if (s.precision >= 0 && int(text.size()) > s.precision)
        text.resize(size_t(s.precision));
    return Pad(text, s);
}

std::wstring Character(const Conversion& s, va_list& args) {
    const int v = va_arg(args, int);
    const bool narrow = s.length == 'h' || (s.type == L'C' && s.length != 'l');
    return Pad(std::wstring(1, narrow ? wchar_t(static_cast<unsigned char>(v)) : wchar_t(v)), s);
}

std::wstring Convert(Conversion& s, va_list& args) {
    if (s.widthArg) {
        s.width = va_arg(args, int);
        if (s.width < 0) {
            s.flags += '-';
            s.width = -s.width;
        }
    }
    if (s.precisionArg)
        s.precision = va_arg(args, int);
    switch (s.type) {
        case L'd':
        case L'i':
        case L'u':
        case L'x':
        case L'X':
        case L'o':
            return Integer(s, args);
        case L'f':
        case L'F':
        case L'e':
        case L'E':
        case L'g':
        case L'G':
        case L'a':
        case L'A':
            return Number(s, "", va_arg(args, double));
        case L'p':
            return Number(s, "", va_arg(args, void*));
        case L's':
        case L'S':
            return Text(s, args);
        case L'c':
        case L'C':
            return Character(s, args);
        case L'%':
            return L"%";
        default:
            return std::wstring(1, s.type);
    }
}

}  // namespace

std::wstring FormatWide(const wchar_t* format, va_list args) {
    std::wstring out;
    if (format == nullptr)
        return out;
    va_list ap;
    va_copy(ap, args);
    for (const wchar_t* p = format; *p != 0;) {
        if (*p != L'%') {
            out += *p++;
            continue;
        }
        Conversion conversion;
        p = ParseConversion(p + 1, &conversion);
        if (conversion.type != 0)
            out += Convert(conversion, ap);
    }
    va_end(ap);
    return out;
}

std::wstring WidenUtf8(const char* text) {
    std::wstring out;
    const auto* p = reinterpret_cast<const unsigned char*>(text);
    while (*p != 0) {
        const unsigned c = *p;
        const int extra = c >= 0xF0 ? 3 : c >= 0xE0 ? 2 : c >= 0xC0 ? 1 : 0;
        unsigned code = extra == 0 ? c : c & (0x3F >> extra);
        int i = 1;
        for (; i <= extra && (p[i] & 0xC0) == 0x80; ++i)
            code = (code << 6) | (p[i] & 0x3F);
        if (c >= 0x80 && (extra == 0 || i <= extra)) {
            out += wchar_t(c);  // not UTF-8: taken as Latin-1
            ++p;
            continue;
        }
        out += wchar_t(code);
        p += extra + 1;
    }
    return out;
}
