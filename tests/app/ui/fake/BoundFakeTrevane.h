// How the app's UI tests reach the scripted player library: the one instance
// inside the loaded "FakeTrevane.dll", and the program's player binding
// pointed at it for tests of parts that call the player's exports without a
// main window (which binds the library itself).
#pragma once

#include "tests/app/ui/fake/FakeTrevane.h"

// The instance in the library, which is loaded when it is not yet (it stays
// loaded); null when it cannot be.
FakeTrevane* LoadedFakeTrevane();

// Binds every player export of the program (the pfn_ pointers) to the
// library, as the main window does, and resets the fake from the calling
// thread. No zInit: no thread runs and no command is answered. A binding
// that fails ends the test program with a message: no test could run.
FakeTrevane& BindFakeTrevane();
