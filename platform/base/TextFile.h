// Inside platform/base: whole small text files, for the INI and registry
// layers.
#pragma once

#include <cstddef>
#include <optional>
#include <string>

namespace base {

// Larger files are refused by default: these layers keep small files only.
inline constexpr size_t kWholeFileLimit = size_t(64) << 20;

// The bytes of the regular file `path`, at most `maxBytes`; nullopt when it
// cannot be read (errno says why: ENOENT when it is missing, EISDIR or EINVAL
// for a folder, FIFO or device, which are never read and never waited for,
// EFBIG when it is larger than `maxBytes`).
std::optional<std::string> ReadWholeFile(const std::string& path,
                                         size_t maxBytes = kWholeFileLimit);
// Writes a temporary file beside `path` and renames it over `path`, so a
// reader sees the old text or the new one, never a part; the file keeps its
// permission bits (a new one gets 0644). False (errno set) on failure; the
// temporary file is removed then.
bool ReplaceWholeFile(const std::string& path, const std::string& bytes);

}  // namespace base
