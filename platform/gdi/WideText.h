// Inside platform/gdi: wide text (UTF-32 wchar_t) to UTF-8, for the C
// libraries below (fontconfig, file names).
#pragma once

#include <string>

std::string WideToUtf8(const std::wstring& text);
