// Inside the framework: printf formatting with the original platform's wide
// conventions (see String.h), and UTF-8 reading.
#pragma once

#include <cstdarg>
#include <string>

std::wstring FormatWide(const wchar_t* format, va_list args);
std::wstring WidenUtf8(const char* text);
