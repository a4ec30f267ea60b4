// The head of a movie file and its media data size. The media data follow
// the `mdat` header at offset 28; an 8-byte `wide` atom stands before it, so
// that a movie above 4 GiB can turn the two into one 16-byte `mdat` header
// with a 64-bit size without moving any byte of the media.
#pragma once

#include <cstdint>
#include <cstdio>

inline constexpr uint64_t kMovHeadSize = 36;  // ftyp, wide and the mdat header

// Writes `ftyp`, `wide` and an `mdat` header whose size is set later.
bool WriteMovHead(FILE* mov);

// Sets the `mdat` size for media data ending at `mediaEnd` (where the `moov`
// atom starts). Leaves the file position anywhere.
bool WriteMdatSize(FILE* mov, uint64_t mediaEnd);
