// GDK key values as the window system's virtual-key codes. Pure; any thread.
#pragma once

#include "platform/user/UserTypes.h"

// 0 for a key the window system has no code for.
UINT VirtualKeyFromKeyval(unsigned keyval);
