#include "platform/web/WebText.h"

#include <cstdio>

namespace web {

namespace {

void AppendUtf8(std::string& out, char32_t c) {
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

// The code point starting at `i` (advanced past it); U+FFFD for a bad sequence.
char32_t NextCodePoint(const std::string& s, size_t& i) {
    const auto lead = static_cast<unsigned char>(s[i++]);
    int more = lead < 0x80           ? 0
               : (lead >> 5) == 0x6  ? 1
               : (lead >> 4) == 0xE  ? 2
               : (lead >> 3) == 0x1E ? 3
                                     : -1;
    if (more < 0)
        return 0xFFFD;
    char32_t c = more == 0 ? lead : lead & (0x3F >> more);
    for (; more > 0; --more) {
        if (i >= s.size() || (static_cast<unsigned char>(s[i]) & 0xC0) != 0x80)
            return 0xFFFD;
        c = (c << 6) | (static_cast<unsigned char>(s[i++]) & 0x3F);
    }
    return c;
}

std::string Escaped(unsigned code) {
    char buffer[8];
    std::snprintf(buffer, sizeof buffer, "\\u%04X", code);
    return buffer;
}

}  // namespace

std::string ToUtf8(const std::wstring& text) {
    std::string out;
    for (wchar_t c : text)
        AppendUtf8(out, char32_t(c));
    return out;
}

std::wstring FromUtf8(const std::string& text) {
    std::wstring out;
    for (size_t i = 0; i < text.size();)
        out += wchar_t(NextCodePoint(text, i));
    return out;
}

std::string JavaScriptString(const std::string& text) {
    std::string out = "\"";
    for (size_t i = 0; i < text.size();) {
        const char32_t c = NextCodePoint(text, i);
        if (c == '"' || c == '\\')
            out += std::string("\\") + char(c);
        else if (c < 0x20 || c == 0x7F || c == 0x2028 || c == 0x2029)
            out += Escaped(unsigned(c));
        else if (c == '/' && !out.empty() && out.back() == '<')
            out += "\\/";
        else
            AppendUtf8(out, c);
    }
    return out + "\"";
}

std::string FunctionCallScript(const std::string& name, const std::vector<std::string>& args) {
    std::string list;
    for (const std::string& a : args)
        list += (list.empty() ? "" : ",") + JavaScriptString(a);
    return "(function(){var f=window[" + JavaScriptString(name) +
           "];if(typeof f!=='function')return false;try{f(" + list +
           ");}catch(e){return false;}return true;})()";
}

std::string NavigationUri(const std::wstring& address) {
    const std::string utf8 = ToUtf8(address);
    if (utf8.empty() || utf8[0] != '/')
        return utf8;
    std::string uri = "file://";
    for (unsigned char c : utf8) {
        const bool plain = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') ||
                           (c >= '0' && c <= '9') || c == '/' || c == '-' || c == '_' || c == '.' ||
                           c == '~';
        if (plain) {
            uri += char(c);
        } else {
            char buffer[4];
            std::snprintf(buffer, sizeof buffer, "%%%02X", c);
            uri += buffer;
        }
    }
    return uri;
}

}  // namespace web
