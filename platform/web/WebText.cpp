#include "platform/web/WebText.h"

#include <cstdio>

#include "shared/TextConvert.h"

namespace web {

namespace {

std::string Escaped(unsigned code) {
    char buffer[8];
    std::snprintf(buffer, sizeof buffer, "\\u%04X", code);
    return buffer;
}

}  // namespace

std::string JavaScriptString(const std::string& text) {
    std::string out = "\"";
    for (const wchar_t w : Utf8ToWideString(text)) {
        const auto c = char32_t(w);
        if (c == '"' || c == '\\')
            out += std::string("\\") + char(c);
        else if (c < 0x20 || c == 0x7F || c == 0x2028 || c == 0x2029)
            out += Escaped(unsigned(c));
        else if (c == '/' && !out.empty() && out.back() == '<')
            out += "\\/";
        else
            out += WideToUtf8String(std::wstring_view(&w, 1));
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
    const std::string utf8 = WideToUtf8String(address);
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
