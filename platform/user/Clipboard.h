// The clipboard's text, kept by the display (DisplayBackend). Any thread.
// Without a display, copying does nothing and the clipboard reads empty.
#pragma once

#include <string>

#include "platform/base/WinTypes.h"

BOOL SetClipboardText(const std::wstring& text);
std::wstring GetClipboardText();
