// Conversions between UTF-8 bytes and wide text (wchar_t, UTF-32 here). Each
// returns a new array that the caller releases with delete[]; a null input
// gives a null result. Malformed UTF-8 turns into U+FFFD per bad byte.
#pragma once

#include <string>
#include <string_view>

wchar_t* Utf8ToWide(const char* utf8);

// The result carries two terminating zero bytes, so an empty text gives two.
char* WideToUtf8(const wchar_t* wide);

// The same conversions for code that keeps its text in std::string and
// std::wstring.
std::string WideToUtf8String(std::wstring_view wide);
std::wstring Utf8ToWideString(std::string_view utf8);
