#include "tests/tools/trevane-dump/MiniJson.h"

#include <cstdlib>
#include <cstring>

namespace {

class Parser {
public:
    explicit Parser(const std::string& text) : s_(text) {}

    bool Whole(JsonValue* value) {
        if (!Value(value))
            return false;
        Skip();
        return i_ == s_.size();
    }

private:
    void Skip() {
        while (i_ < s_.size() && std::strchr(" \t\r\n", s_[i_]) != nullptr)
            ++i_;
    }
    bool Eat(char c) {
        Skip();
        if (i_ < s_.size() && s_[i_] == c) {
            ++i_;
            return true;
        }
        return false;
    }
    bool Word(const char* word) {
        const size_t n = std::strlen(word);
        if (s_.compare(i_, n, word) != 0)
            return false;
        i_ += n;
        return true;
    }
    bool String(std::string* out) {
        if (!Eat('"'))
            return false;
        while (i_ < s_.size() && s_[i_] != '"') {
            if (s_[i_] == '\\' && i_ + 1 < s_.size()) {
                const char e = s_[++i_];
                if (e == 'u' && i_ + 4 < s_.size()) {
                    *out += char(std::strtol(s_.substr(i_ + 1, 4).c_str(), nullptr, 16));
                    i_ += 5;
                    continue;
                }
                *out += e == 'n' ? '\n' : e;
                ++i_;
                continue;
            }
            *out += s_[i_++];
        }
        return Eat('"');
    }
    bool Value(JsonValue* v) {
        Skip();
        if (i_ >= s_.size())
            return false;
        const char c = s_[i_];
        if (c == '{')
            return Object(v);
        if (c == '[')
            return Array(v);
        if (c == '"') {
            v->kind = JsonValue::Kind::String;
            return String(&v->text);
        }
        if (Word("null"))
            return true;
        if (Word("true") || Word("false")) {
            v->kind = JsonValue::Kind::Bool;
            v->boolean = c == 't';
            return true;
        }
        char* end = nullptr;
        v->number = std::strtod(s_.c_str() + i_, &end);
        if (end == s_.c_str() + i_)
            return false;
        v->kind = JsonValue::Kind::Number;
        i_ = size_t(end - s_.c_str());
        return true;
    }
    bool Array(JsonValue* v) {
        v->kind = JsonValue::Kind::Array;
        Eat('[');
        if (Eat(']'))
            return true;
        do {
            v->items.emplace_back();
            if (!Value(&v->items.back()))
                return false;
        } while (Eat(','));
        return Eat(']');
    }
    bool Object(JsonValue* v) {
        v->kind = JsonValue::Kind::Object;
        Eat('{');
        if (Eat('}'))
            return true;
        do {
            std::string key;
            if (!String(&key) || !Eat(':') || !Value(&v->fields[key]))
                return false;
        } while (Eat(','));
        return Eat('}');
    }

    const std::string& s_;
    size_t i_ = 0;
};

}  // namespace

bool ParseJson(const std::string& text, JsonValue* value) {
    return Parser(text).Whole(value);
}
