// The texts zExtractInfo writes: each cut to 19 bytes, its terminator
// included, as the player's own information export writes them.
#pragma once

#include <cstring>

namespace oskulo {

inline constexpr std::size_t kInfoTextSize = 19;

inline void WriteInfoText(char* out, const char* text) {
    if (out == nullptr)
        return;
    const std::size_t length = strnlen(text, kInfoTextSize - 1);
    std::memcpy(out, text, length);
    out[length] = '\0';
}

}  // namespace oskulo
