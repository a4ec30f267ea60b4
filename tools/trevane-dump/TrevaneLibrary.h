// libTrevane.so loaded at run time from the directory of this program, with
// the exports the dump needs bound by name. The library is never unloaded.
#pragma once

#include <string>

#include "shared/PlayerInterface.h"

struct TrevaneLibrary {
    zInitProc init = nullptr;
    zReleaseProc release = nullptr;
    zOpenProc open = nullptr;
    zPlayMSGProc playMsg = nullptr;
    zTellInxHdProc tellTimeInxHd = nullptr;
    zTellInxUnitProc tellTimeInxUnit = nullptr;
    zStartExtractProc startExtract = nullptr;
};

// False with `error` set when the library or one of the exports is missing.
bool LoadTrevane(TrevaneLibrary* library, std::string* error);
