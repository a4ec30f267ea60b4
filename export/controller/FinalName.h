// Moving a finished export file from its temporary name to its final name
// without ever replacing an existing file.
#pragma once

#include <string>
#include <vector>

namespace oskulo {

// Moves `from` to `to`, or, when `to` exists, to the first free name of
// "<stem>_2<ext>", "<stem>_3<ext>", ... beside it. Works across file systems.
// Returns the name the file now has: `to` or the free name chosen; `from`
// itself when the move failed (the file stays where it was).
std::string MoveToFreeName(const std::string& from, const std::string& to);

// Names of files that are created together (a movie and its subtitles, a
// recording's data and index), numbered alike so that none of them exists:
// the names themselves, or all with "_2", "_3", ... before their
// extensions. Each name is at most maxLength bytes: a longer one has its
// stem cut (at a whole UTF-8 character) before it is numbered, so that the
// number always fits. The names themselves when no number up to 1000 is free.
std::vector<std::string> FreeNames(const std::vector<std::string>& names,
                                   std::size_t maxLength = std::string::npos);

}  // namespace oskulo
