// The program's language texts: every text its windows show or log, each a
// global named by its key (IDS_STATE_READY holds "Ready" until a language
// file says otherwise), listed with its English default in
// LanguageKeyTable.h.
//
// Language files ("<name>.lang" in config/lang/ below the program directory)
// are UTF-8 text, optionally with a byte-order mark, lines ended by LF or
// CR LF, of any length. A line KEY=VALUE sets the text of KEY to VALUE: KEY
// is everything before the line's first '=', VALUE everything after it,
// neither trimmed nor unescaped; keys compare exactly. Other lines are
// ignored; the last line of a key wins. The first line that contains
// "Language=" names the language: the line without its first 9 characters.
//
// Threads: loading runs on the UI thread; the texts are read from any thread
// (LanguageText.h says why that is safe).
#pragma once

#include "app/shell/LanguageText.h"
#include "platform/afx/String.h"

#define LANGUAGE_TEXT(key, englishDefault) extern LanguageText key;
#include "app/shell/LanguageKeyTable.h"
#undef LANGUAGE_TEXT

// The name of event type 10, "STORAGE FORMAT"; no language file changes it.
extern LanguageText g_strStorageFormatText;
// "CH1" to "CH16"; no language file changes them.
inline constexpr int kChannelNameCount = 16;
extern LanguageText g_strChannelNames[kChannelNameCount];

// Every text back to its English default, then the file applied; false when
// the file could not be read (the defaults stay): a name holding a path
// separator, a file that is not a regular file, or one over 1 MiB is not.
bool LoadLanguageFile(CString fileName);
void SetDefaultLanguageTexts();
// Applies one line (without its line break).
void ApplyLanguageLine(const wchar_t* line);
// The display name of the language file at `path`; `out` stays unchanged
// when the file cannot be read (as for LoadLanguageFile) or names no language.
void ReadLanguageDisplayName(const wchar_t* path, CString& out);
