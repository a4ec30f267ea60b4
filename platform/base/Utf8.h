// Inside platform/base: the wide text (UTF-32 wchar_t) of the W functions to
// and from the UTF-8 that Linux paths and files speak. Invalid input becomes
// U+FFFD rather than failing, so a path is always usable.
#pragma once

#include <string>
#include <string_view>

namespace base {

std::string ToUtf8(std::wstring_view text);
std::wstring FromUtf8(std::string_view text);

}  // namespace base
