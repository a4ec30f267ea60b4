// Where the program keeps config/AppConfig.ini. The copy beside the program is
// used while it can really be written: it can be read and written and its
// folder takes the temporary file every write renames over it (a build tree, a
// folder the user owns). A
// program installed into a folder the user cannot write keeps its settings and
// language choice in "<user config>/marlowin/AppConfig.ini" instead, made from
// the shipped copy at the first start; the language files and pages are still
// read from the program folder.
#pragma once

#include <string>

// The INI file to read and write for the program in `programDir`. Falls back
// to the shipped copy when the user's copy cannot be made either (then the
// settings dialog reports each failed write).
std::wstring ConfigFilePath(const std::wstring& programDir);
