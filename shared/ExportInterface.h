// The interface of the export library libOskulo.so: six flat exports over
// its one export controller. Hosts load the library at run time and bind
// each export by name to the *Proc types below.
//
// Threads: the library starts none and takes no lock; every call comes on one
// thread at a time (the player's extraction thread), never overlapping.
// Ownership: the library copies the ExtractParams record; the GOP bytes and
// the GopInfo belong to the caller (zExtractWrite writes scratch pointers into
// its `pictures` table while the call runs). No exception leaves an export.
#pragma once

#include "shared/ExtractParams.h"
#include "shared/GopRecords.h"

#define OSKULO_EXPORT extern "C" __attribute__((visibility("default")))

// Writes "1.8", the build time "hh:mm:ss" and the build date "Mmm dd yyyy",
// each at most 19 bytes and the terminator.
OSKULO_EXPORT void zExtractInfo(char* version, char* buildTime, char* buildDate);
// Opens every requested output; false (and nothing left open) when one fails,
// when an export is already open or when numChannels is not 4, 8, 12 or 16.
OSKULO_EXPORT bool zExtractPre(ExtractParams params);
// One GOP (code 1 = zExtractCode EXTRACT_GOP): 0 processed, 1 refused.
OSKULO_EXPORT int zExtractWrite(int code, const void* gop, int length, GopInfo* info);
// Finishes every output and gives the AVI files their final names.
OSKULO_EXPORT void zExtractFin();
OSKULO_EXPORT bool zIsExtractOpened();
// The files of the last export, asked one by one from index 0 once
// zExtractFin has returned (until the next zExtractPre): the UTF-8 path that
// output `index` finally has goes into `path`, at most `size` bytes with its
// terminator (a longer path is cut). No output replaces an existing file: a
// taken name becomes the next free "<name>_2", "_3" ..., and an AVI file
// that cannot reach its folder at all is kept below the DVR root. Returns 0
// for a file written whole; for an output that failed (it left no file), the
// system's error number that says why (positive: ENOSPC for a full disk,
// EROFS, ENOENT ...; ENODATA for a channel without pictures to give); -1
// past the last output (`path` untouched). After a zExtractPre that failed,
// output 0 is the one that could not be opened.
OSKULO_EXPORT int zExtractOutput(int index, char* path, int size);

using zExtractInfoProc = decltype(&zExtractInfo);
using zExtractPreProc = decltype(&zExtractPre);
using zExtractWriteProc = decltype(&zExtractWrite);
using zExtractFinProc = decltype(&zExtractFin);
using zIsExtractOpenedProc = decltype(&zIsExtractOpened);
using zExtractOutputProc = decltype(&zExtractOutput);
