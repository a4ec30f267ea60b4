// Moving a finished export file from its temporary name to its final name
// without ever replacing an existing file.
#pragma once

#include <string>

namespace oskulo {

// Moves `from` to `to`, or, when `to` exists, to the first free name of
// "<stem>_2<ext>", "<stem>_3<ext>", ... beside it. Works across file systems.
// Returns the name the file now has: `to` or the free name chosen; `from`
// itself when the move failed (the file stays where it was).
std::string MoveToFreeName(const std::string& from, const std::string& to);

}  // namespace oskulo
