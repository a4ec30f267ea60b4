// Starting a helper program without waiting for it.
#pragma once

#include <string>
#include <vector>

#include "platform/afx/String.h"

// Starts `applicationPath` with `arguments` after the program's own name,
// each handed over as one argument exactly as given (blanks, quotes and
// backslashes inside it stay inside it), with the caller's environment and
// directory, and returns at once. False when the program could not start.
bool RunProcess(const CString& applicationPath, const std::vector<std::wstring>& arguments);

// The command line that the platform splits (SplitCommandLine) back into
// exactly `arguments`.
std::wstring JoinCommandLine(const std::vector<std::wstring>& arguments);
