// What the scanner, the style sheet and the table attributes share inside
// the markup drawer: where a name begins, and keyword tables of values.
#pragma once

#include <cstddef>

#include "platform/afx/String.h"

namespace html {

// Names (of attributes, selectors and properties) begin with a letter, a
// digit or a ".".
inline bool IsNameStart(wchar_t c) {
    return (c >= L'0' && c <= L'9') || (c >= L'a' && c <= L'z') || (c >= L'A' && c <= L'Z') ||
           c == L'.';
}

struct Keyword {
    const wchar_t* word;
    int value;
};

// A `current` for Lookup that no table holds: the word is not a keyword.
inline constexpr int kNotAKeyword = -1000;

// The value of `word` in `table`, or `current` for a word that is not there.
template <size_t N>
int Lookup(const Keyword (&table)[N], const CString& word, int current) {
    for (const Keyword& keyword : table) {
        if (word == keyword.word)
            return keyword.value;
    }
    return current;
}

}  // namespace html
