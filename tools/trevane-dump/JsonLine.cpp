#include "tools/trevane-dump/JsonLine.h"

#include <cstdio>

void JsonLine::Key(std::string_view key) {
    if (!m_body.empty())
        m_body += ',';
    m_body += Quoted(key);
    m_body += ':';
}

JsonLine& JsonLine::Int(std::string_view key, int64_t value) {
    Key(key);
    m_body += std::to_string(value);
    return *this;
}

JsonLine& JsonLine::Float(std::string_view key, double value) {
    Key(key);
    m_body += Number(value);
    return *this;
}

JsonLine& JsonLine::Text(std::string_view key, std::string_view text) {
    Key(key);
    m_body += Quoted(text);
    return *this;
}

JsonLine& JsonLine::Null(std::string_view key) {
    Key(key);
    m_body += "null";
    return *this;
}

JsonLine& JsonLine::Raw(std::string_view key, std::string_view json) {
    Key(key);
    m_body += json;
    return *this;
}

void JsonLine::Print() const {
    std::printf("%s\n", Json().c_str());
    std::fflush(stdout);
}

std::string JsonLine::Quoted(std::string_view text) {
    std::string out = "\"";
    for (const char c : text) {
        if (c == '\0')
            break;
        if (c == '"' || c == '\\') {
            out += '\\';
            out += c;
        } else if (static_cast<unsigned char>(c) < 0x20 || static_cast<unsigned char>(c) >= 0x7F) {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\u%04x", static_cast<unsigned char>(c));
            out += escaped;
        } else {
            out += c;
        }
    }
    return out + "\"";
}

// Shortest text that reads back as the same float.
std::string JsonLine::Number(double value) {
    char text[32];
    std::snprintf(text, sizeof text, "%.9g", value);
    return text;
}
