// The one player of the library, built when the library is loaded and
// destroyed when it is unloaded, with the display it uses.
// Every export forwards to it.
#pragma once

#include "player/core/Player.h"

CPlayer& ThePlayer();

// Runs `body` and gives its result; an exception gives `fallback` instead,
// so that none leaves an export.
template <typename Result, typename Body>
Result Guarded(Result fallback, Body body) noexcept {
    try {
        return body();
    } catch (...) {
        return fallback;
    }
}
