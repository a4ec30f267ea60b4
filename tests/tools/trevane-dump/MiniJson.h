// A small JSON reader for checking the dump's output: objects, arrays,
// numbers, strings (with \u00XX escapes), true, false and null.
#pragma once

#include <map>
#include <memory>
#include <string>
#include <vector>

struct JsonValue {
    enum class Kind { Null, Bool, Number, String, Array, Object } kind = Kind::Null;
    bool boolean = false;
    double number = 0;
    std::string text;
    std::vector<JsonValue> items;
    std::map<std::string, JsonValue> fields;

    bool Has(const std::string& key) const { return fields.count(key) != 0; }
    const JsonValue& operator[](const std::string& key) const { return fields.at(key); }
    const JsonValue& operator[](size_t i) const { return items.at(i); }
};

// False when `text` is not one JSON value.
bool ParseJson(const std::string& text, JsonValue* value);
