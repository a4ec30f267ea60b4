// A picture of a top-level window as the screen shows it, saved as PNG.
#pragma once

#include <string>

#include "platform/user/UserTypes.h"

// False when the window is not shown or the file cannot be written.
bool SaveWindowScreenshot(HWND window, const std::string& pngPath);
