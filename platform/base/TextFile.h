// Inside platform/base: whole small text files, for the INI and registry
// layers.
#pragma once

#include <optional>
#include <string>

namespace base {

// The file's bytes; nullopt when it cannot be read (errno says why).
std::optional<std::string> ReadWholeFile(const std::string& path);
// Writes a temporary file beside `path` and renames it over `path`, so a
// reader sees the old text or the new one, never a part; the file keeps its
// permission bits (a new one gets 0644). False (errno set) on failure; the
// temporary file is removed then.
bool ReplaceWholeFile(const std::string& path, const std::string& bytes);

}  // namespace base
