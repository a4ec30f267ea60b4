// Opening a recording pair for writing without costing an existing file its
// bytes: both files are opened first, and only when both are open is either
// emptied. Used by the raw copy writer and the recording writer.
#pragma once

#include <cstdio>

// Opens `path` for writing without emptying it; *created says whether this
// call made the file. Null when it cannot be opened.
FILE* OpenKeepingBytes(const char* path, bool* created);

// Empties a regular file (a device such as /dev/full has nothing to empty).
bool EmptyFile(FILE* file);

// Closes *file (when open) and removes `path` when this writer created it.
void DiscardFile(FILE** file, bool created, const char* path);
