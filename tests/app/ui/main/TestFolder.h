// A main-window test's own folder, named as the program's daily log and
// picture folder as it is made: a fixture makes it before its window, whose
// constructor takes the log folder. The folder and everything in it go when
// the test ends.
#pragma once

#include <cwchar>

#include "app/shell/AppConfig.h"
#include "tests/tools/recgen/TempDir.h"

class TestFolder : public TempDir {
public:
    TestFolder() {
        std::wcsncpy(g_szLogDir, Path().wstring().c_str(), kConfigPathSize - 1);
        std::wcsncpy(g_szJpegDir, Path().wstring().c_str(), kConfigPathSize - 1);
    }
};
