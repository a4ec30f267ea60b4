// The languages the settings dialog offers: the files of config/lang/ below
// the program directory named "<name>.lang" (these lower-case letters) that
// name their language (a "Language=" line). A file name that does not fit
// [MutiLanguage] LangFile (kLangFileSize - 1 characters) is left out: it
// could be chosen but not found again at the next start.
#pragma once

#include <vector>

#include "platform/afx/String.h"

struct LanguageChoice {
    CString fileName;     // "English.lang"
    CString displayName;  // "English"
};

// Sorted by file name; empty when the folder is missing or unreadable.
std::vector<LanguageChoice> ListLanguageFiles(const wchar_t* programDir);
