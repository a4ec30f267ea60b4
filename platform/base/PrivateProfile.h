// The private-profile functions over UTF-8 INI files, with the semantics of
// the platform we stand in for:
// - section and key names compare without case and keep their spelling;
// - a missing file, section or key gives the default (a null default is the
//   empty text; blanks at the end of a default are dropped);
// - a null section lists the section names and a null key the section's key
//   names, each ended by a null, the list by a second one;
// - writing creates the file (not its directory) and the section, replaces a
//   key's value in place and adds new keys at the end of their section, so
//   everything else keeps its order;
// - a null value deletes the key, a null key the whole section.
// Any thread: one lock of this file serialises every access of the process;
// each call reads the file afresh, and each change rewrites it whole through
// a temporary file renamed over it.
#pragma once

#include "platform/base/WinTypes.h"

// The number of characters copied, without the terminator. A value that does
// not fit is cut to size - 1 characters (the result is then size - 1); a list
// that does not fit is cut and doubly terminated (the result is size - 2).
DWORD GetPrivateProfileStringW(const wchar_t* section, const wchar_t* key,
                               const wchar_t* defaultValue, wchar_t* buffer, DWORD size,
                               const wchar_t* fileName);
// The leading decimal (or 0x hexadecimal) integer of the value, with an
// optional sign; 0 for a value that does not start with one; the default
// when the key is missing.
UINT GetPrivateProfileIntW(const wchar_t* section, const wchar_t* key, int defaultValue,
                           const wchar_t* fileName);
// FALSE (with the errno number) when the file cannot be written, without a
// section, when a section, key or value holds a CR or LF (EINVAL: it would
// break its line and inject keys), or when the file is there but cannot be
// read (only a missing file is started anew, so no failed read wipes the
// other keys).
BOOL WritePrivateProfileStringW(const wchar_t* section, const wchar_t* key, const wchar_t* value,
                                const wchar_t* fileName);

inline DWORD GetPrivateProfileString(const wchar_t* s, const wchar_t* k, const wchar_t* d,
                                     wchar_t* b, DWORD n, const wchar_t* f) {
    return GetPrivateProfileStringW(s, k, d, b, n, f);
}
inline UINT GetPrivateProfileInt(const wchar_t* s, const wchar_t* k, int d, const wchar_t* f) {
    return GetPrivateProfileIntW(s, k, d, f);
}
inline BOOL WritePrivateProfileString(const wchar_t* s, const wchar_t* k, const wchar_t* v,
                                      const wchar_t* f) {
    return WritePrivateProfileStringW(s, k, v, f);
}
