// One JSON object built field by field and printed as one line.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

class JsonLine {
public:
    JsonLine& Int(std::string_view key, int64_t value);
    JsonLine& Float(std::string_view key, double value);
    // `text` up to its first NUL, escaped.
    JsonLine& Text(std::string_view key, std::string_view text);
    JsonLine& Null(std::string_view key);
    // A value already written as JSON (an array or object).
    JsonLine& Raw(std::string_view key, std::string_view json);

    // The object's text.
    std::string Json() const { return "{" + m_body + "}"; }
    // Prints the object and a newline to stdout, and flushes.
    void Print() const;

    static std::string Quoted(std::string_view text);
    static std::string Number(double value);

private:
    void Key(std::string_view key);
    std::string m_body;
};
